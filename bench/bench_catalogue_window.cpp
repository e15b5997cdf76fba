// The catalogue in the window, on 1,000 discs of 1,000 entries: the hits of
// each new keystroke shown in the catalogue window (the typing pause aside),
// and a hit's disc opened as a tree in the main window and painted.
#include "BenchCatalogue.h"
#include "NoDialogs.h"
#include "catalogue/CatalogueCommands.h"
#include "catalogue/CatalogueSearch.h"
#include "catalogue/CatalogueWindow.h"
#include "history/TreeHistory.h"
#include "tree/NodeTreeView.h"
#include "window/frMain.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

struct Window
{
    bench::NoDialogs dialogs;
    frMain window{&dialogs, QFileInfo(QStringLiteral(KVX_BENCH_PROGRAM)).path()};

    Window()
    {
        window.Form_Load();
        window.catalogueCommands().setCataloguePath(bench::bigCatalogue());
    }
};

// The word typed one letter after another; the argument is the letters typed.
void BM_KeystrokeHits(benchmark::State& state)
{
    const QString text = bench::words().at(100).left(int(state.range(0)));
    state.SetLabel(text.toStdString());
    Window w;
    w.window.catalogueCommands().mnuCatalogue_Click();
    CatalogueWindow* at = w.window.catalogueCommands().catalogueWindow();
    auto* field = at->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    int hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(text.chopped(1));
        at->search();
        QCoreApplication::processEvents();
        field->setText(text);
        state.ResumeTiming();
        at->search();
        at->hits()->viewport()->repaint();
        hits = 0;
        for (int i = 0; i < at->hits()->topLevelItemCount(); ++i)
            hits += at->hits()->topLevelItem(i)->childCount();
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_KeystrokeHits)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->UseRealTime();

// A file of disc 500 opened: its disc read from the catalogue, the tree
// built down to the file's folder, selected and painted.
void BM_OpenHitTree(benchmark::State& state)
{
    QString error;
    const auto catalogue = Catalogue::open(bench::bigCatalogue(), Catalogue::Use::Read, &error);
    const auto found = findInCatalogue(*catalogue, QStringLiteral("jpg"), 500, 1);
    if (!found || found->empty()) {
        state.SkipWithError("no hit");
        return;
    }
    const CatalogueHit& hit = found->front();
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.window.workspace().history().markSaved();
        state.ResumeTiming();
        if (!w.window.catalogueCommands().openHit(hit.disc, hit.path, false))
            state.SkipWithError("not opened");
        QCoreApplication::processEvents();
        w.window.TV()->viewport()->repaint();
    }
    state.counters["nodes"] = w.window.tree().count();
}
BENCHMARK(BM_OpenHitTree)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
