// The four exports of a full tree with all its 32,767 rows shown: the rows
// collected from the tree and written, pictures and all, as the command line
// and the window make them.
#include "BenchDiscs.h"
#include "export/ExportRows.h"
#include "export/HtmlExport.h"
#include "tree/DisplayOrder.h"
#include "tree/ImageList.h"
#include "util/ProcessEventsPump.h"
#include "workspace/Workspace.h"

#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

void BM_Export(benchmark::State& state)
{
    const auto format = ExportFormat(state.range(0));
    ProcessEventsPump pump;
    NoElementCountDisplay count;
    Workspace workspace(pump, count);
    NodeTree& tree = workspace.tree();
    bench::fillFullTree(tree);
    // Every folder open, marked as scanned so that opening it reads no disc.
    for (int i = 1; i <= tree.count(); ++i) {
        Node* node = tree.nodeAt(i);
        if (node->childCount() > 0) {
            tree.setTag(node, node->tag().section(u'E', 0, 0) + u'E');
            tree.setExpanded(node, true);
        }
    }
    const ImageList pictures(workspace.images());
    qsizetype size = 0;
    for (auto _ : state) {
        const ExportRows rows = collectExportRows(workspace, SystemColourTable::standard());
        size = exportBytes(format, rows, pictures).size();
        benchmark::DoNotOptimize(size);
    }
    state.SetLabel(exportFormatName(format).toString().toStdString());
    state.counters["rows"] = CountVisibleNodes(tree);
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_Export)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
