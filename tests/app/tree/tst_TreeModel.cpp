#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace kvx;

namespace {

struct Fixture
{
    ImageList images;
    NodeTree tree;
    TreeModel model{tree, images};
    NodeTreeView view;

    Fixture()
    {
        tree.setImageList(&images.registry());
        model.attachView(&view);
        view.resize(300, 300);
    }

    Node* folder(Node* parent, const QString& name)
    {
        const QString key =
            (parent ? parent->key() : QStringLiteral("/")) + name + QLatin1Char('/');
        return parent ? tree.addChild(parent, key, name, image::ClosedFolder, image::SelectedFolder)
                      : tree.addRoot(key, key, image::ClosedFolder, image::SelectedFolder);
    }
};

QImage iconImage(const QVariant& decoration)
{
    return decoration.value<QIcon>().pixmap(16, 16).toImage().convertToFormat(
        QImage::Format_ARGB32);
}

QImage pictureImage(const ImageList& images, const ImageRef& ref)
{
    return images.picture(ref).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passesTheModelTester()
    {
        Fixture f;
        QAbstractItemModelTester tester(&f.model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Node* root = f.folder(nullptr, "data");
        Node* b = f.folder(root, "b");
        f.folder(root, "a");
        f.folder(b, "inner");
        f.tree.addChild(root, QString(), "zz.txt", "fil");
        f.tree.setExpanded(root, true);
        f.tree.setSorted(root, true); // reorders the children by text
        QCOMPARE(f.model.index(0, 0, f.model.indexOf(root)).data().toString(), QString("a"));
        f.tree.setBold(b, true);
        f.tree.addRoot("/other/", "/other/", image::ClosedFolder);
        f.tree.remove(b);
        f.model.setCheckboxes(true);
        f.tree.remove(1);
        f.tree.clear();
        f.folder(nullptr, "again");
        QCOMPARE(f.model.rowCount(), 1);
    }

    void mapsMembersToRoles()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        Node* file = f.tree.addChild(root, QString(), "song.mp3", "fil");
        const QModelIndex at = f.model.indexOf(file);
        QCOMPARE(at.data(Qt::DisplayRole).toString(), QString("song.mp3"));
        QCOMPARE(at.data(Qt::SizeHintRole).toSize().height(), 16);
        QCOMPARE(iconImage(at.data(Qt::DecorationRole)), pictureImage(f.images, "fil"));
        QVERIFY(!at.data(Qt::FontRole).isValid());
        QVERIFY(!at.data(Qt::BackgroundRole).isValid()); // the window colour: the view's own
        QVERIFY(!at.data(Qt::CheckStateRole).isValid());

        f.tree.setBold(file, true);
        f.tree.setForeColor(file, rgbColour(255, 0, 0));
        f.tree.setBackColor(file, rgbColour(0, 0, 255));
        QVERIFY(at.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 255));
        f.tree.setBackColor(file, kSysButtonFace);
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 f.view.palette().color(QPalette::Button));

        f.model.setCheckboxes(true);
        const QModelIndex again = f.model.indexOf(file);
        QCOMPARE(again.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(f.model.setData(again, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(file->checked());
    }

    void decorationFollowsSelectionAndExpansion()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        f.folder(root, "sub");
        const auto decoration = [&] {
            return iconImage(f.model.indexOf(root).data(Qt::DecorationRole));
        };
        QCOMPARE(decoration(), pictureImage(f.images, image::ClosedFolder));
        f.tree.setExpandedImage(root, image::OpenFolderBw);
        f.tree.setExpanded(root, true);
        QCOMPARE(decoration(), pictureImage(f.images, image::OpenFolderBw));
        f.tree.setSelectedItem(root);
        QCOMPARE(decoration(), pictureImage(f.images, image::SelectedFolder));
    }

    void rowsAreSixteenPixelsHigh()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        f.folder(root, "a");
        f.tree.setExpanded(root, true);
        f.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        QCOMPARE(f.view.visualRect(f.model.indexOf(root)).height(), 16);
        QCOMPARE(f.view.visualRect(f.model.indexOf(root->firstChild())).top(),
                 f.view.visualRect(f.model.indexOf(root)).top() + 16);
    }

    void expansionRunsOnceEitherWay()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        Node* sub = f.folder(root, "sub");
        f.folder(sub, "deep");
        QSignalSpy expandEvents(&f.tree, &NodeTree::expand);

        f.view.expand(f.model.indexOf(root)); // the user opens it
        QVERIFY(root->expanded());
        QCOMPARE(expandEvents.count(), 1);

        f.tree.setExpanded(sub, true); // code opens it
        QVERIFY(f.view.isExpanded(f.model.indexOf(sub)));
        QCOMPARE(expandEvents.count(), 2);

        f.view.collapse(f.model.indexOf(sub));
        QVERIFY(!sub->expanded());
        f.tree.setExpanded(root, false);
        QVERIFY(!f.view.isExpanded(f.model.indexOf(root)));
        QCOMPARE(expandEvents.count(), 2);
    }

    void expandedBeforeChildrenOpensWhenTheyArrive()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        f.tree.setExpanded(root, true);
        Node* child = f.folder(root, "late");
        f.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        QVERIFY(f.view.isExpanded(f.model.indexOf(root)));
        QCOMPARE(f.view.indexBelow(f.model.indexOf(root)), f.model.indexOf(child));
    }

    void selectionFollowsBothWays()
    {
        Fixture f;
        Node* root = f.folder(nullptr, "data");
        Node* a = f.folder(root, "a");
        Node* b = f.folder(root, "b");
        f.tree.setExpanded(root, true);

        f.view.setCurrentIndex(f.model.indexOf(a));
        QCOMPARE(f.tree.selectedItem(), a);
        f.tree.setSelectedItem(b);
        QCOMPARE(f.view.currentIndex(), f.model.indexOf(b));
        QVERIFY(f.view.selectionModel()->isSelected(f.model.indexOf(b)));

        // Removing the selected node leaves no dangling selection.
        f.tree.remove(b);
        Node* selected = f.tree.selectedItem();
        QVERIFY(!selected || f.tree.find(selected->id()) == selected);
        f.tree.clear();
        QCOMPARE(f.tree.selectedItem(), nullptr);
    }
};

QTEST_MAIN(TestTreeModel)
#include "tst_TreeModel.moc"
