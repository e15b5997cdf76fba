// The whole command-line print of a 200-row jacket to PDF: start, scan,
// render, write, exit.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// state.range(0): the template's place in the list below (0: the booklet).
static void BM_PrintJacket200RowsToPdf(benchmark::State& state)
{
    static const char* const templates[] = {"booklet", "tray", "dvd", "slimdvd", "booklet+tray"};
    QTemporaryDir dir;
    // A root, 20 folders with 9 sub-folders each, shown to depth 2: 201 rows, 200 printed at 50
    // x 4.
    for (int i = 1; i <= 20; ++i)
        for (int j = 1; j <= 9; ++j)
            QDir(dir.path()).mkpath(QStringLiteral("src/Dossier %1/Sous-dossier %2").arg(i).arg(j));
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    const QStringList args{
        QStringLiteral("--from"),     dir.filePath(QStringLiteral("src")),
        QStringLiteral("--expand"),   QStringLiteral("2"),
        QStringLiteral("--pdf"),      out,
        QStringLiteral("--columns"),  QStringLiteral("4"),
        QStringLiteral("--template"), QString::fromLatin1(templates[state.range(0)])};
    state.SetLabel(templates[state.range(0)]);
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(KVX_BENCH_PROGRAM), args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("kvx --pdf failed");
            break;
        }
    }
}
BENCHMARK(BM_PrintJacket200RowsToPdf)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();
