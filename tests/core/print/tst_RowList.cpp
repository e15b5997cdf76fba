#include "print/RowList.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QTest>

using namespace kvx;

class tst_RowList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // root / a, b (b1, f.txt), c; "" expands nothing, "-" clears the tree.
    void rowsFollowTheDisplayOrder_data()
    {
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("collapsed") << QStringList{} << QStringList{"root"};
        QTest::addRow("root open") << QStringList{"/r/"} << QStringList{"root", "a", "b", "c"};
        QTest::addRow("b open too")
            << QStringList{"/r/", "/r/b/"} << QStringList{"root", "a", "b", "b1", "f.txt", "c"};
        QTest::addRow("b under a closed root") << QStringList{"/r/b/"} << QStringList{"root"};
        QTest::addRow("tree cleared") << QStringList{"-"} << QStringList{};
    }
    void rowsFollowTheDisplayOrder()
    {
        QFETCH(QStringList, open);
        QFETCH(QStringList, expected);
        const ImageRegistry images = ImageRegistry::withBuiltIns();
        NodeTree tree;
        tree.setImageList(&images);
        Node* root = tree.addRoot(QStringLiteral("/r/"), QStringLiteral("root"), 1);
        tree.addChild(root, QStringLiteral("/r/a/"), QStringLiteral("a"), 1);
        Node* b = tree.addChild(root, QStringLiteral("/r/b/"), QStringLiteral("b"), 1);
        tree.addChild(root, QStringLiteral("/r/c/"), QStringLiteral("c"), 1);
        tree.addChild(b, QStringLiteral("/r/b/b1/"), QStringLiteral("b1"), 1);
        tree.addChild(b, QStringLiteral("/r/b/f.txt"), QStringLiteral("f.txt"), "fil");
        tree.setExpanded(root, true);
        tree.setExpanded(b, true);
        RowList rows;
        rows.NumberVisibleNodes(tree); // numbering again starts afresh
        tree.setExpanded(b, open.contains(QStringLiteral("/r/b/")));
        tree.setExpanded(root, open.contains(QStringLiteral("/r/")));
        tree.setSelectedItem(tree.findByKey(QStringLiteral("/r/c/")));
        if (open.contains(QStringLiteral("-")))
            tree.clear();

        rows.NumberVisibleNodes(tree);
        QStringList got;
        for (NodeId id : rows.rows())
            got << tree.find(id)->text();
        QCOMPARE(got, expected);
        QCOMPARE(rows.VisibleNodeCount(), qint32(expected.size()));
        QCOMPARE(rows.row(rows.VisibleNodeCount() + 1), NodeId(0));
        // The user's selection stays.
        QCOMPARE(tree.selectedItem(), tree.findByKey(QStringLiteral("/r/c/")));
    }
};

QTEST_APPLESS_MAIN(tst_RowList)
#include "tst_RowList.moc"
