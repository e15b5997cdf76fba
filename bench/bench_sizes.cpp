// Folder totals ("Tailles", --sizes) of a large disc: 5,000 folders of 5
// folders each, one file in each of the 30,000 folders. The walk in the
// process, and whole processes: `kvx --from F --sizes --list` beside
// `du -s --apparent-size F`, which reads the same entries.
#include "BenchDiscs.h"
#include "walk/DirectoryWalkSource.h"
#include "walk/FolderTotals.h"

#include <QStandardPaths>

namespace {

QString sizedFolder()
{
    static const QString path = [] {
        const QString root = QDir::tempPath() + QStringLiteral("/kvx-bench-sizes-5000x5");
        if (!QFileInfo::exists(root + QStringLiteral("/.complete"))) {
            QDir(root).removeRecursively();
            const QByteArray bytes(5000, 'x');
            int n = 0;
            const auto file = [&](const QString& folder) {
                QDir().mkpath(folder);
                QFile f(folder + QStringLiteral("/file.bin"));
                if (f.open(QIODevice::WriteOnly))
                    f.write(bytes.left(n++ % 5000));
            };
            for (int i = 0; i < 5000; ++i) {
                const QString top = QStringLiteral("%1/folder %2").arg(root).arg(i);
                file(top);
                for (int j = 0; j < 5; ++j)
                    file(QStringLiteral("%1/sub %2").arg(top).arg(j));
            }
            QFile done(root + QStringLiteral("/.complete"));
            (void)done.open(QIODevice::WriteOnly);
        }
        return root;
    }();
    return path;
}

void BM_TotalsWalk(benchmark::State& state)
{
    const QString folder = sizedFolder();
    for (auto _ : state) {
        kvx::DirectoryWalkSource source(folder);
        const kvx::TotalsWalk walk = kvx::takeFolderTotals(source, {});
        state.counters["files"] = double(walk.totals.find(QString())->files);
    }
}
BENCHMARK(BM_TotalsWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KvxSizesProcess(benchmark::State& state)
{
    kvx::bench::runKvx(state, {"--from", sizedFolder(), "--sizes", "--list"});
}
BENCHMARK(BM_KvxSizesProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DuApparentSizeProcess(benchmark::State& state)
{
    kvx::bench::runProcess(state, QStandardPaths::findExecutable(QStringLiteral("du")),
                           {"-s", "--apparent-size", sizedFolder()});
}
BENCHMARK(BM_DuApparentSizeProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
