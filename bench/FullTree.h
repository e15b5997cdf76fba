#pragma once

// The shape of a large real tree, shared by the benchmarks.
#include "tree/NodeTree.h"

namespace kvx::bench {

// A disc of 32 top folders, each of 32 sub-folders holding 31 files, with a
// few styled nodes: the shape of a large real tree.
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

} // namespace kvx::bench
