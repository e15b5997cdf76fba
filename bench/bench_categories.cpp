// Adding the files of every folder and removing them again by pattern, on a
// tree of 1,000 folders holding 30 files each (30,000 file nodes).
#include "BenchDiscs.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/FolderLister.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"
#include "util/ProcessEventsPump.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

// The program's own work only: yields do nothing.
class QuietPump : public EventPump
{
public:
    void yieldToEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}
};

using bench::Disk;
using bench::thousandFolders;

const Disk& oneBigFolder()
{
    static const Disk disk(1, 30000);
    return disk;
}

// The root and one folder node per sub-folder, as a scan gives them.
void buildFolders(NodeTree& tree, const QString& start)
{
    tree.clear();
    const auto listing = DirectoryLister().listFolder(start);
    const QString& rootKey = listing->key;
    const Node* root = tree.addRoot(rootKey, rootKey, image::ClosedFolder, image::SelectedFolder);
    for (const FolderEntry& sub : listing->subFolders)
        tree.addChild(root, rootKey + sub.name + '/', sub.name, image::ClosedFolder,
                      image::SelectedFolder);
}

ImageRegistry iconList()
{
    ImageRegistry images = ImageRegistry::withBuiltIns();
    images.add(QStringLiteral("zip"));
    return images;
}

void BM_AddFilesToFolders(benchmark::State& state)
{
    const ImageRegistry images = iconList();
    NodeTree tree;
    tree.setImageList(&images);
    DirectoryFileLister lister;
    QuietPump pump;
    for (auto _ : state) {
        state.PauseTiming();
        buildFolders(tree, thousandFolders().path());
        state.ResumeTiming();
        FileNodes(tree, lister, pump).AddFilesToFolders(QStringLiteral("*.*"));
    }
    state.counters["nodes"] = tree.count();
}
BENCHMARK(BM_AddFilesToFolders)->Unit(benchmark::kMillisecond);

template <typename Pump> void removeAll(benchmark::State& state, const Disk& disk)
{
    const ImageRegistry images = iconList();
    NodeTree tree;
    tree.setImageList(&images);
    DirectoryFileLister lister;
    Pump pump;
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        buildFolders(tree, disk.path());
        FileNodes(tree, lister, pump).AddFilesToFolders(QStringLiteral("*.*"));
        const int before = tree.count();
        state.ResumeTiming();
        FileNodes(tree, lister, pump).RemoveFilesByPattern(QStringLiteral(";*.txt;*.zip"));
        removed = before - tree.count();
    }
    state.counters["removed"] = removed;
}

void BM_RemoveFilesByPattern(benchmark::State& state)
{
    removeAll<QuietPump>(state, thousandFolders());
}
BENCHMARK(BM_RemoveFilesByPattern)->Unit(benchmark::kMillisecond);

// The same with the event loop of the running program at every position.
void BM_RemoveFilesByPatternWithEvents(benchmark::State& state)
{
    removeAll<ProcessEventsPump>(state, thousandFolders());
}
BENCHMARK(BM_RemoveFilesByPatternWithEvents)->Unit(benchmark::kMillisecond);

// All 30,000 files in one folder: each removal also closes up that folder's
// list of children.
void BM_RemoveFilesByPatternOneFolder(benchmark::State& state)
{
    removeAll<QuietPump>(state, oneBigFolder());
}
BENCHMARK(BM_RemoveFilesByPatternOneFolder)->Unit(benchmark::kMillisecond);

// The whole program adding files by a pattern of many stars to 200 files whose
// 220-character names hold every letter the pattern asks for but the last
// one at its end (under a second).
void BM_ManyStarsProcess(benchmark::State& state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 200; ++i) {
        const QString name = QString(100 + i % 50, u'a') + u'c';
        QFile file(dir.filePath(name + QString(220 - name.size(), u'a')));
        (void)file.open(QIODevice::WriteOnly);
    }
    bench::runKvx(state, {QStringLiteral("--from"), dir.path(), QStringLiteral("--add"),
                          QStringLiteral("*a*a*a*c"), QStringLiteral("--list")});
}
BENCHMARK(BM_ManyStarsProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
