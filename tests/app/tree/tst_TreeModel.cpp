#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace kvx;

namespace {

struct Fixture
{
    ImageRegistry registry = ImageRegistry::withBuiltIns();
    ImageList images{registry};
    NodeTree tree;
    TreeModel model{tree, images};
    NodeTreeView view;
    // Checks the model's answers at every change of every test.
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    Node* root;
    Node* sub;

    Fixture()
    {
        tree.setImageList(&images.registry());
        model.attachView(&view);
        view.resize(300, 300);
        root = tree.addRoot("/d/", "/d/", image::ClosedFolder, image::SelectedFolder);
        sub = tree.addChild(root, "/d/sub/", "sub", image::ClosedFolder, image::SelectedFolder);
    }
    [[nodiscard]] QImage decoration(const Node* node) const
    {
        const QIcon icon = model.indexOf(node).data(Qt::DecorationRole).value<QIcon>();
        return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    [[nodiscard]] QImage picture(const ImageRef& ref) const
    {
        return images.picture(ref).toImage().convertToFormat(QImage::Format_ARGB32);
    }
};

} // namespace

class TestTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Beyond the window's steps (where a tester watches too): children sorted
    // in place; edits in one bulk change reach the model as one reset, and an
    // index held meanwhile names no removed node.
    void sortingAndBulkChanges()
    {
        Fixture f;
        f.tree.addChild(f.root, "/d/a/", "a", image::ClosedFolder);
        f.tree.setExpanded(f.root, true);
        f.tree.setSorted(f.root, true);
        QCOMPARE(f.model.index(0, 0, f.model.indexOf(f.root)).data().toString(), QString("a"));
        const QModelIndex held = f.model.indexOf(f.sub);
        {
            BulkChange bulk(f.tree);
            f.tree.addChild(f.root, "/d/b/", "b", image::ClosedFolder);
            f.tree.remove(f.sub);
            QVERIFY(!f.model.nodeOf(held));
            f.tree.setExpanded(f.root, false);
        }
        QVERIFY(!f.view.isExpanded(f.model.indexOf(f.root)));
        QCOMPARE(f.model.rowCount(f.model.indexOf(f.root)), 2);
    }

    void rolesFollowTheNode()
    {
        Fixture f;
        Node* file = f.tree.addChild(f.root, QString(), "song.mp3", "fil");
        const QModelIndex at = f.model.indexOf(file);
        QCOMPARE(at.data(Qt::DisplayRole).toString(), QString("song.mp3"));
        QCOMPARE(at.data(Qt::SizeHintRole).toSize().height(), 16);
        QCOMPARE(f.decoration(file), f.picture("fil"));
        QVERIFY(!at.data(Qt::BackgroundRole).isValid()); // the window colour: the view's own
        QVERIFY(!at.data(Qt::CheckStateRole).isValid());
        f.tree.setBold(file, true);
        f.tree.setForeColor(file, rgbColour(255, 0, 0));
        f.tree.setBackColor(file, kSysButtonFace);
        QVERIFY(at.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 f.view.palette().color(QPalette::Button));
        f.model.setCheckboxes(true);
        QCOMPARE(f.model.indexOf(file).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(f.model.setData(f.model.indexOf(file), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(file->checked());

        // The folder's picture: plain, expanded, selected.
        QCOMPARE(f.decoration(f.root), f.picture(image::ClosedFolder));
        f.tree.setExpandedImage(f.root, image::OpenFolderBw);
        f.tree.setExpanded(f.root, true);
        QCOMPARE(f.decoration(f.root), f.picture(image::OpenFolderBw));
        f.tree.setSelectedItem(f.root);
        QCOMPARE(f.decoration(f.root), f.picture(image::SelectedFolder));
    }
};

QTEST_MAIN(TestTreeModel)
#include "tst_TreeModel.moc"
