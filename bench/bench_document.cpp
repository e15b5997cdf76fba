// Saving and opening a full tree document (32,767 nodes, with pictures and
// styles), through real files in a temporary folder.
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kvx;

namespace {

// A disc of 32 top folders, each of 32 sub-folders holding 31 files, with a
// few styled nodes: the shape of a large real tree.
void fillFullTree(NodeTree& tree)
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

void BM_OpenDocument(benchmark::State& state)
{
    const ImageRegistry images = ImageRegistry::withBuiltIns();
    NodeTree tree;
    tree.setImageList(&images);
    fillFullTree(tree);
    TreeViewSettings settings;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("arbre.kvx"));
    if (!SaveTreeViewInFile(tree, settings, path, true, true))
        state.SkipWithError("save failed");
    NodeTree opened;
    opened.setImageList(&images);
    for (auto _ : state) {
        if (LoadTreeViewFromFile(opened, settings, path, true, true, true) != load_result::Ok)
            state.SkipWithError("open failed");
    }
    state.counters["nodes"] = opened.count();
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

} // namespace
