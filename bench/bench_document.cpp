// Saving and opening a full tree document (32,767 nodes, with pictures and
// styles), through real files in a temporary folder.
#include "BenchDiscs.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kvx;
using kvx::bench::fillFullTree;

namespace {

void BM_SaveDocument(benchmark::State& state)
{
    const ImageRegistry images = ImageRegistry::withBuiltIns();
    NodeTree tree;
    tree.setImageList(&images);
    fillFullTree(tree);
    const TreeViewSettings settings;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("arbre.kvx"));
    for (auto _ : state) {
        if (!SaveTreeViewInFile(tree, settings, path, true, true))
            state.SkipWithError("save failed");
    }
    state.counters["nodes"] = tree.count();
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

// A full tree saved in `dir` as "arbre.kvx"; its path.
QString savedFullTree(const QTemporaryDir& dir, const ImageRegistry& images)
{
    NodeTree tree;
    tree.setImageList(&images);
    fillFullTree(tree);
    const QString path = dir.filePath(QStringLiteral("arbre.kvx"));
    return SaveTreeViewInFile(tree, TreeViewSettings(), path, true, true) ? path : QString();
}

void BM_OpenDocument(benchmark::State& state)
{
    const ImageRegistry images = ImageRegistry::withBuiltIns();
    QTemporaryDir dir;
    const QString path = savedFullTree(dir, images);
    NodeTree opened;
    opened.setImageList(&images);
    TreeViewSettings settings;
    for (auto _ : state) {
        if (LoadTreeViewFromFile(opened, settings, path, true, true, true) != load_result::Ok)
            state.SkipWithError("open failed");
    }
    state.counters["nodes"] = opened.count();
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

// The whole program reading a full document and listing its shown rows: its
// time and the most memory it held (under 64 MB).
void BM_ListDocumentProcess(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = savedFullTree(dir, ImageRegistry::withBuiltIns());
    bench::runKvx(state, {path, QStringLiteral("--list")});
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1 << 20);
}
BENCHMARK(BM_ListDocumentProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
