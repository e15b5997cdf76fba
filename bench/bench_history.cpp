// Undo bookkeeping on a full tree (32,767 nodes) shown in the window's tree
// view: the undo of "Supprimer" on the root, and what an undo step adds to a
// command.
#include "BenchDiscs.h"
#include "doc/TreeViewAppearance.h"
#include "doc/TreeViewSettings.h"
#include "history/TreeHistory.h"
#include "tree/ImageList.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

// A full tree in a tree view that has laid out its rows, as on screen.
struct ShownTree
{
    ImageRegistry images = ImageRegistry::withBuiltIns();
    ImageList pictures{images};
    NodeTree tree;
    TreeModel model{tree, pictures};
    NodeTreeView view;
    TreeHistory history{tree};

    ShownTree()
    {
        tree.setImageList(&images);
        bench::fillFullTree(tree);
        tree.setSelectedItem(tree.nodeAt(1)->childAt(3));
        view.resize(400, 400);
        model.attachView(&view);
        applyTreeViewSettings(TreeViewSettings(), view, model);
        layOut();
    }
    // The view lays its rows out before it paints.
    void layOut() { benchmark::DoNotOptimize(view.indexAt(QPoint(4, 4))); }
};

void BM_UndoDeleteRoot(benchmark::State& state)
{
    ShownTree shown;
    for (auto _ : state) {
        state.PauseTiming();
        {
            const TreeHistory::Edit edit(shown.history);
            shown.tree.remove(1);
        }
        shown.layOut();
        state.ResumeTiming();
        shown.history.undo();
        shown.layOut();
    }
    state.counters["nodes"] = shown.tree.count();
}
BENCHMARK(BM_UndoDeleteRoot)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RedoDeleteRoot(benchmark::State& state)
{
    ShownTree shown;
    for (auto _ : state) {
        state.PauseTiming();
        {
            const TreeHistory::Edit edit(shown.history);
            shown.tree.remove(1);
        }
        shown.history.undo();
        shown.layOut();
        state.ResumeTiming();
        shown.history.redo();
        shown.layOut();
        state.PauseTiming();
        shown.history.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RedoDeleteRoot)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Gras" on one node, alone and as an undo step: the difference is what the
// history adds to any command (it keeps the whole tree, whatever changed).
void BM_BoldWithUndoStep(benchmark::State& state)
{
    ShownTree shown;
    Node* node = shown.tree.selectedItem();
    const bool recorded = state.range(0) != 0;
    for (auto _ : state) {
        if (recorded) {
            const TreeHistory::Edit edit(shown.history);
            shown.tree.setBold(node, !node->bold());
        } else {
            shown.tree.setBold(node, !node->bold());
        }
    }
    state.counters["steps kept"] = double(shown.history.undoCount());
}
BENCHMARK(BM_BoldWithUndoStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
