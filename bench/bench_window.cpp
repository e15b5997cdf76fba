// The window on large trees, driven offscreen as the user drives it: "*" on
// the root of 5,000 folders of 5; opening a full 32,767-node document; adding
// the 30,000 files of 1,000 shown folders and removing them by pattern. Each
// time runs until the tree view has painted its rows again.
#include "BenchDiscs.h"
#include "NoDialogs.h"
#include "doc/TreeDocumentCommands.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "tree/CategoryCommands.h"
#include "tree/DisplayOrder.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTreeView.h"
#include "window/frMain.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

// The started window on the program's folder (its icons).
struct Window
{
    bench::NoDialogs dialogs;
    frMain window{&dialogs, QFileInfo(QStringLiteral(KVX_BENCH_PROGRAM)).path()};

    Window() { window.Form_Load(); }
    NodeTree& tree() { return window.tree(); }
    // The window takes its pending events, then the tree view paints.
    void paint()
    {
        QCoreApplication::processEvents();
        window.TV()->viewport()->repaint();
    }
    void pressOnTree(Qt::Key key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(window.TV(), &press);
    }
};

void BM_StartOn5000Folders(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        w.window.workspace().BuildTree(bench::bigFolder());
        w.paint();
    }
    state.counters["nodes"] = w.tree().count();
}
BENCHMARK(BM_StartOn5000Folders)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_StarOnRootOf5000Folders(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.window.workspace().BuildTree(bench::bigFolder());
        w.tree().setSelectedItem(w.tree().nodeAt(1));
        w.paint();
        state.ResumeTiming();
        w.pressOnTree(Qt::Key_Asterisk, QStringLiteral("*"));
        w.paint();
    }
    state.counters["rows"] = CountVisibleNodes(w.tree());
}
BENCHMARK(BM_StarOnRootOf5000Folders)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_OpenFullDocument(benchmark::State& state)
{
    const ImageRegistry images = ImageRegistry::withBuiltIns();
    NodeTree full;
    full.setImageList(&images);
    bench::fillFullTree(full);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("arbre.kvx"));
    if (!SaveTreeViewInFile(full, TreeViewSettings(), path, true, true))
        state.SkipWithError("save failed");
    Window w;
    for (auto _ : state) {
        if (!w.window.documents().openDocument(path))
            state.SkipWithError("open failed");
        w.paint();
    }
    state.counters["nodes"] = w.tree().count();
    state.counters["rows"] = CountVisibleNodes(w.tree());
}
BENCHMARK(BM_OpenFullDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000 folders, all open, their 30,000 files added ("Ajouter ces fichiers"
// with all files) or removed ("Supprimer").
struct FilesWindow : Window
{
    FilesWindow()
    {
        window.workspace().BuildTree(bench::thousandFolders().path());
        window.workspace().categories.setChecked(0, true);
        window.categoryCommands().cmdExe_Click();
        window.TV()->expandAll();
        paint();
    }
};

void BM_AddFilesToShownTree(benchmark::State& state)
{
    FilesWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.window.categoryCommands().Command1_Click();
        w.paint();
        state.ResumeTiming();
        w.window.categoryCommands().cmdExe_Click();
        w.paint();
    }
    state.counters["rows"] = CountVisibleNodes(w.tree());
}
BENCHMARK(BM_AddFilesToShownTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RemoveFilesByPatternFromShownTree(benchmark::State& state)
{
    FilesWindow w;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.window.categoryCommands().cmdExe_Click();
        w.paint();
        rows = CountVisibleNodes(w.tree());
        state.ResumeTiming();
        w.window.categoryCommands().Command1_Click();
        w.paint();
    }
    state.counters["rows before"] = rows;
    state.counters["rows after"] = CountVisibleNodes(w.tree());
}
BENCHMARK(BM_RemoveFilesByPatternFromShownTree)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
