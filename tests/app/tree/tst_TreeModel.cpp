#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

#include <QTest>

using namespace kvx;

// Beyond the window's steps (where a tester watches too, and the rows' texts
// and open states are compared after every click): edits in one bulk change reach the model as one
// reset, and an index held meanwhile names no removed node; the roles follow the node.
class TestTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelFollowsTheTree()
    {
        ImageRegistry registry = ImageRegistry::withBuiltIns();
        ImageList images{registry};
        NodeTree tree;
        TreeModel model{tree, images};
        NodeTreeView view;
        tree.setImageList(&images.registry());
        model.attachView(&view);
        Node* root = tree.addRoot("/d/", "/d/", image::ClosedFolder, image::SelectedFolder);
        Node* sub = tree.addChild(root, "/d/sub/", "sub", image::ClosedFolder);
        tree.addChild(root, "/d/a/", "a", image::ClosedFolder);
        tree.setExpanded(root, true);
        const QModelIndex held = model.indexOf(sub);
        {
            BulkChange bulk(tree);
            tree.addChild(root, "/d/b/", "b", image::ClosedFolder);
            tree.remove(sub);
            QVERIFY(!model.nodeOf(held));
            tree.setExpanded(root, false);
        }
        QVERIFY(!view.isExpanded(model.indexOf(root)));
        QCOMPARE(model.rowCount(model.indexOf(root)), 2);

        const auto shows = [&](const Node* node, const ImageRef& ref) {
            const QIcon icon = model.indexOf(node).data(Qt::DecorationRole).value<QIcon>();
            return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) ==
                   images.picture(ref).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        Node* file = tree.addChild(root, QString(), "song.mp3", "fil");
        const QModelIndex at = model.indexOf(file);
        QCOMPARE(at.data(Qt::SizeHintRole).toSize().height(), 16);
        QVERIFY(shows(file, "fil"));
        QVERIFY(!at.data(Qt::BackgroundRole).isValid()); // the window colour: the view's own
        tree.setBold(file, true);
        tree.setForeColor(file, rgbColour(255, 0, 0));
        tree.setBackColor(file, kSysButtonFace);
        QVERIFY(at.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Button));
        // A system colour the program does not know: the normal text and background.
        tree.setForeColor(file, 0x80000030);
        tree.setBackColor(file, 0x80001005);
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Text));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Base));
        model.setCheckboxes(true);
        QCOMPARE(model.indexOf(file).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(model.setData(model.indexOf(file), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(file->checked());

        // The folder's picture: plain, expanded, selected.
        QVERIFY(shows(root, image::ClosedFolder));
        tree.setExpandedImage(root, image::OpenFolderBw);
        tree.setExpanded(root, true);
        QVERIFY(shows(root, image::OpenFolderBw));
        tree.setSelectedItem(root);
        QVERIFY(shows(root, image::SelectedFolder));
    }
};

QTEST_MAIN(TestTreeModel)
#include "tst_TreeModel.moc"
