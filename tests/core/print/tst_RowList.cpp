#include "print/FolderPictures.h"
#include "print/RowList.h"
#include "tree/DisplayOrder.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QTest>

using namespace kvx;

namespace {

QStringList texts(const NodeTree& tree, const RowList& rows)
{
    QStringList out;
    for (NodeId id : rows.rows())
        out << tree.find(id)->text();
    return out;
}

} // namespace

class tst_RowList : public QObject
{
    Q_OBJECT

    ImageRegistry m_images = ImageRegistry::withBuiltIns();

    // root / a, b (b holding b1, b2), c — all collapsed.
    void build(NodeTree& tree)
    {
        tree.setImageList(&m_images);
        Node* root = tree.addRoot(QStringLiteral("/r/"), QStringLiteral("root"), 1);
        tree.addChild(root, QStringLiteral("/r/a/"), QStringLiteral("a"), 1);
        Node* b = tree.addChild(root, QStringLiteral("/r/b/"), QStringLiteral("b"), 1);
        tree.addChild(root, QStringLiteral("/r/c/"), QStringLiteral("c"), 1);
        tree.addChild(b, QStringLiteral("/r/b/b1/"), QStringLiteral("b1"), 1);
        tree.addChild(b, QStringLiteral("/r/b/f.txt"), QStringLiteral("f.txt"), "fil");
    }

private Q_SLOTS:
    void emptyTreeNumbersNothing()
    {
        NodeTree tree;
        RowList rows;
        rows.NumberVisibleNodes(tree);
        QCOMPARE(rows.VisibleNodeCount(), 0);
        QCOMPARE(rows.row(1), NodeId(0));
    }

    void rowsFollowTheDisplayOrder_data()
    {
        QTest::addColumn<bool>("rootOpen");
        QTest::addColumn<bool>("bOpen");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("all collapsed") << false << false << QStringList{"root"};
        QTest::addRow("root open") << true << false << QStringList{"root", "a", "b", "c"};
        QTest::addRow("b open too")
            << true << true << QStringList{"root", "a", "b", "b1", "f.txt", "c"};
        QTest::addRow("b open under a closed root") << false << true << QStringList{"root"};
    }
    void rowsFollowTheDisplayOrder()
    {
        QFETCH(bool, rootOpen);
        QFETCH(bool, bOpen);
        QFETCH(QStringList, expected);
        NodeTree tree;
        build(tree);
        tree.setExpanded(tree.findByKey(QStringLiteral("/r/b/")), bOpen);
        tree.setExpanded(tree.findByKey(QStringLiteral("/r/")), rootOpen);
        tree.setSelectedItem(tree.findByKey(QStringLiteral("/r/c/")));

        RowList rows;
        rows.NumberVisibleNodes(tree);
        QCOMPARE(texts(tree, rows), expected);
        QCOMPARE(rows.VisibleNodeCount(), CountVisibleNodes(tree));
        // The user's selection stays where it was.
        QCOMPARE(tree.selectedItem(), tree.findByKey(QStringLiteral("/r/c/")));
        QCOMPARE(rows.row(1), tree.nodeAt(1)->id());
        QCOMPARE(rows.row(rows.VisibleNodeCount() + 1), NodeId(0));
        // Numbering leaves every key as it was.
        QCOMPARE(tree.nodeAt(3)->key(), QStringLiteral("/r/b/"));
    }

    void numberingAgainStartsAfresh()
    {
        NodeTree tree;
        build(tree);
        tree.setExpanded(tree.nodeAt(1), true);
        RowList rows;
        rows.NumberVisibleNodes(tree);
        QCOMPARE(rows.VisibleNodeCount(), 4);
        tree.clear();
        rows.NumberVisibleNodes(tree);
        QCOMPARE(rows.VisibleNodeCount(), 0);
    }

    void folderPicturesSwitchPairs_data()
    {
        QTest::addColumn<bool>("blackAndWhite");
        QTest::addColumn<int>("closed");
        QTest::addColumn<int>("open");
        QTest::addRow("black and white") << true << 4 << 5;
        QTest::addRow("colour") << false << 1 << 2;
    }
    void folderPicturesSwitchPairs()
    {
        QFETCH(bool, blackAndWhite);
        QFETCH(int, closed);
        QFETCH(int, open);
        NodeTree tree;
        build(tree);
        SetFolderPictures(tree, !blackAndWhite);
        SetFolderPictures(tree, blackAndWhite);
        for (int i = 1; i <= tree.count(); ++i) {
            const Node* node = tree.nodeAt(i);
            if (node->text() == QLatin1String("f.txt")) {
                QCOMPARE(node->image(), ImageRef("fil"));
                QVERIFY(node->isFile());
                continue;
            }
            QCOMPARE(node->image(), ImageRef(closed));
            QCOMPARE(node->expandedImage(), ImageRef(open));
            QVERIFY(node->isFolder());
        }
    }

    void folderPicturesOnAnEmptyTree()
    {
        NodeTree tree;
        SetFolderPictures(tree, true);
        QCOMPARE(tree.count(), 0);
    }
};

QTEST_APPLESS_MAIN(tst_RowList)
#include "tst_RowList.moc"
