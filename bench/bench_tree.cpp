// Adding the children of one node: 32,766 of them in an order unlike their
// texts', under a node that keeps its children sorted (under 0.5 s) and under
// one that does not.
#include "tree/NodeTree.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

void addChildren(benchmark::State& state, bool sorted)
{
    QStringList texts;
    for (int i = 1; i < NodeTree::MaxNodes; ++i)
        texts.append(QStringLiteral("Fichier %1.txt").arg(i));
    std::shuffle(texts.begin(), texts.end(), *QRandomGenerator::global());
    for (auto _ : state) {
        NodeTree tree;
        Node* parent = tree.addRoot(QStringLiteral("/d/"), QStringLiteral("/d/"));
        tree.setSorted(parent, sorted);
        for (const QString& text : texts)
            tree.addChild(parent, QString(), text);
        benchmark::DoNotOptimize(parent->childAt(parent->childCount() - 1)->row());
        state.counters["children"] = parent->childCount();
    }
}

void BM_AddChildrenSorted(benchmark::State& state)
{
    addChildren(state, true);
}
BENCHMARK(BM_AddChildrenSorted)->Unit(benchmark::kMillisecond);

void BM_AddChildrenUnsorted(benchmark::State& state)
{
    addChildren(state, false);
}
BENCHMARK(BM_AddChildrenUnsorted)->Unit(benchmark::kMillisecond);

} // namespace
