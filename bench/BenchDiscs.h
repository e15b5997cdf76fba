#pragma once

// The large discs and trees the benchmarks share.
#include "tree/ImageRef.h"
#include "tree/NodeTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kvx::bench {

// 5,000 folders of 5 folders each, made once in the temporary folder and kept
// between runs.
inline QString bigFolder()
{
    static const QString path = [] {
        const QString root = QDir::tempPath() + QStringLiteral("/kvx-bench-5000x5");
        if (!QFileInfo::exists(root + QStringLiteral("/.complete"))) {
            QDir(root).removeRecursively();
            QDir dir;
            for (int i = 0; i < 5000; ++i) {
                for (int j = 0; j < 5; ++j)
                    dir.mkpath(QStringLiteral("%1/folder %2/sub %3").arg(root).arg(i).arg(j));
            }
            QFile done(root + QStringLiteral("/.complete"));
            (void)done.open(QIODevice::WriteOnly);
        }
        return root;
    }();
    return path;
}

// A folder of `folders` sub-folders holding `files` files each (one in three
// a .zip, the others .txt), made for the run.
class Disk
{
public:
    Disk(int folders, int files)
    {
        for (int f = 0; f < folders; ++f) {
            const QString folder =
                m_dir.filePath(QStringLiteral("folder %1").arg(f, 4, 10, QLatin1Char('0')));
            QDir().mkpath(folder);
            for (int i = 0; i < files; ++i) {
                QFile file(folder +
                           QStringLiteral("/file %1.%2").arg(i).arg(i % 3 ? "txt" : "zip"));
                (void)file.open(QIODevice::WriteOnly);
            }
        }
    }
    [[nodiscard]] QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

inline const Disk& thousandFolders()
{
    static const Disk disk(1000, 30);
    return disk;
}

// A full tree (32,767 nodes): a disc of 32 top folders, each of 32
// sub-folders holding 31 files, with a few styled nodes, the top folders open.
inline void fillFullTree(NodeTree& tree)
{
    Node* root = tree.addRoot(QStringLiteral("/media/disque/"), QStringLiteral("/media/disque/"),
                              image::OpenFolder, image::SelectedFolder);
    tree.setTag(root, QStringLiteral("0E"));
    while (tree.count() < NodeTree::MaxNodes) {
        const QString topKey = root->key() + QStringLiteral("Dossier numéro %1/").arg(tree.count());
        Node* top = tree.addChild(root, topKey, topKey.section(u'/', -2, -2), image::ClosedFolder,
                                  image::SelectedFolder);
        tree.setTag(top, QStringLiteral("1E"));
        tree.setBold(top, true);
        for (int s = 0; s < 32 && tree.count() < NodeTree::MaxNodes; ++s) {
            const QString subKey = topKey + QStringLiteral("Sous-dossier %1/").arg(s);
            Node* sub = tree.addChild(top, subKey, QStringLiteral("Sous-dossier %1").arg(s),
                                      image::ClosedFolder, image::SelectedFolder);
            tree.setTag(sub, QStringLiteral("2"));
            tree.setForeColor(sub, rgbColour(255, 0, 0));
            for (int f = 0; f < 31 && tree.count() < NodeTree::MaxNodes; ++f) {
                Node* file = tree.addChild(sub, QString(), QStringLiteral("Photo %1.jpg").arg(f),
                                           QStringLiteral("fil"));
                tree.setTag(file, QStringLiteral("JPG"));
            }
        }
        tree.setExpanded(top, true);
    }
    tree.setExpanded(root, true);
}

// Runs a program once per iteration, its output dropped.
inline void runProcess(benchmark::State& state, const QString& program,
                       const QStringList& arguments)
{
    if (program.isEmpty()) {
        state.SkipWithError("program not installed");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, arguments);
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("the process failed");
            return;
        }
    }
}

// Runs the real program once per iteration, its output dropped, and reports
// the most memory a run held ("peak_MB", resident).
inline void runKvx(benchmark::State& state, const QStringList& arguments)
{
    QList<QByteArray> owned{QByteArray(KVX_BENCH_PROGRAM)};
    for (const QString& argument : arguments)
        owned.append(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : owned)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    long peak = 0;
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
        peak = std::max(peak, usage.ru_maxrss);
    }
    state.counters["peak_MB"] = double(peak) / 1024;
}

} // namespace kvx::bench
