// Building the folder tree of a large disc: 5,000 folders of 5 folders each.
// Compares whole processes: `kvx --from F --list` with `tree -d -L 2 F` (two
// levels), and `kvx --from F --expand 99 --list` with `tree -d F` (every level).
#include "BenchDiscs.h"
#include "tree/DisplayOrder.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NameOrder.h"
#include "tree/NodeTree.h"
#include "tree/TreeWalks.h"
#include "util/ProcessEventsPump.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {

using kvx::bench::bigFolder;
using kvx::bench::runProcess;

// In the process: the start scan, the folders opened down to `depth` (the
// root has depth 0 and is always open) and the rows as `--list` gives them.
void scanAndList(benchmark::State& state, int depth)
{
    const QString folder = bigFolder();
    for (auto _ : state) {
        const kvx::ImageRegistry images = kvx::ImageRegistry::withBuiltIns();
        kvx::NodeTree tree;
        tree.setImageList(&images);
        kvx::DirectoryLister lister;
        kvx::ProcessEventsPump pump;
        kvx::NoElementCountDisplay count;
        kvx::FolderScan scan(tree, lister, pump, count);
        scan.setStartPath(folder);
        scan.BuildTree();
        kvx::ExpandToDepth(tree, depth);
        benchmark::DoNotOptimize(kvx::RowTexts(tree).size());
        state.counters["nodes"] = tree.count();
    }
}

void BM_BuildTree(benchmark::State& state)
{
    scanAndList(state, 1);
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExpandAllRows(benchmark::State& state)
{
    scanAndList(state, 99);
}
BENCHMARK(BM_ExpandAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The listers' order of one large folder's 5,000 names ("folder 0" to
// "folder 4999", numbers in numeric order), as the interface language sorts them.
void BM_NameOrder(benchmark::State& state)
{
    std::vector<kvx::FolderEntry> names;
    for (int i = 0; i < 5000; ++i)
        names.push_back({QStringLiteral("folder %1").arg(i * 7919 % 5000), false});
    for (auto _ : state) {
        std::vector<kvx::FolderEntry> listing = names;
        kvx::sortByName(listing);
        benchmark::DoNotOptimize(listing.data());
    }
}
BENCHMARK(BM_NameOrder)->Unit(benchmark::kMillisecond);

// The node tree's key index alone: the 30,001 folder keys of the large disc
// added as a scan adds them (each checked for a duplicate first), then each
// found again by key.
void BM_AddFolderKeys(benchmark::State& state)
{
    const QString root = QStringLiteral("/tmp/kvx-bench-5000x5/");
    std::vector<QString> keys; // a folder, then its five sub-folders
    for (int i = 0; i < 5000; ++i) {
        const QString folder = root + QStringLiteral("folder %1/").arg(i);
        keys.push_back(folder);
        for (int j = 0; j < 5; ++j)
            keys.push_back(folder + QStringLiteral("sub %1/").arg(j));
    }
    for (auto _ : state) {
        kvx::NodeTree tree;
        kvx::Node* top = tree.addRoot(root, root);
        kvx::Node* folder = nullptr;
        for (size_t k = 0; k < keys.size(); ++k) {
            if (k % 6 == 0)
                folder = tree.addChild(top, keys[k], QString());
            else
                tree.addChild(folder, keys[k], QString());
        }
        for (const QString& key : keys)
            benchmark::DoNotOptimize(tree.findByKey(key));
    }
}
BENCHMARK(BM_AddFolderKeys)->Unit(benchmark::kMillisecond);

void BM_KvxListProcess(benchmark::State& state)
{
    runProcess(state, QStringLiteral(KVX_BENCH_PROGRAM), {"--from", bigFolder(), "--list"});
}
BENCHMARK(BM_KvxListProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TreeCommandProcess(benchmark::State& state)
{
    runProcess(state, QStandardPaths::findExecutable(QStringLiteral("tree")),
               {"-d", "-L", "2", bigFolder()});
}
BENCHMARK(BM_TreeCommandProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KvxExpandAllProcess(benchmark::State& state)
{
    runProcess(state, QStringLiteral(KVX_BENCH_PROGRAM),
               {"--from", bigFolder(), "--expand", "99", "--list"});
}
BENCHMARK(BM_KvxExpandAllProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TreeCommandAllProcess(benchmark::State& state)
{
    runProcess(state, QStandardPaths::findExecutable(QStringLiteral("tree")), {"-d", bigFolder()});
}
BENCHMARK(BM_TreeCommandAllProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
