#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "tree/TreeWalks.h"

#include <QTest>

using namespace kvx;

namespace {

// Builds a tree from lines of "depth text", each node the last child of the latest node one level
// up.
void buildTree(NodeTree& tree, const QStringList& lines)
{
    std::vector<Node*> open;
    for (const QString& line : lines) {
        const qsizetype depth = line.indexOf(QLatin1Char(' '));
        const int level = line.left(depth).toInt();
        const QString text = line.mid(depth + 1);
        open.resize(size_t(level));
        Node* node = level == 0 ? tree.addRoot(QString(), text, 1)
                                : tree.addChild(open.back(), QString(), text, 1);
        open.push_back(node);
    }
}

} // namespace

class DisplayOrderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("expanded");
        QTest::addColumn<QStringList>("rows");
        const QStringList three{"0 root", "1 c1", "1 c2", "2 g1", "2 g2", "1 c3"};
        QTest::newRow("empty") << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("root alone")
            << QStringList{"0 root"} << QStringList{} << QStringList{"root"};
        QTest::newRow("root alone, expanded")
            << QStringList{"0 root"} << QStringList{"root"} << QStringList{"root"};
        QTest::newRow("collapsed root") << three << QStringList{} << QStringList{"root"};
        QTest::newRow("children collapsed")
            << three << QStringList{"root"} << QStringList{"root", "c1", "c2", "c3"};
        QTest::newRow("child 2 open") << three << QStringList{"root", "c2"}
                                      << QStringList{"root", "c1", "c2", "g1", "g2", "c3"};
        QTest::newRow("open under a closed parent")
            << three << QStringList{"c2"} << QStringList{"root"};
        QTest::newRow("climb of two levels")
            << QStringList{"0 r", "1 a", "2 a1", "3 a11", "1 b"} << QStringList{"r", "a", "a1"}
            << QStringList{"r", "a", "a1", "a11", "b"};
        QTest::newRow("twins") << QStringList{"0 r", "1 same", "1 same", "1 last"}
                               << QStringList{"r"} << QStringList{"r", "same", "same", "last"};
        QTest::newRow("two roots") << QStringList{"0 r1", "1 x", "0 r2", "1 y"}
                                   << QStringList{"r1", "r2"} << QStringList{"r1", "x", "r2", "y"};
        QTest::newRow("expanded leaf is followed by its sibling")
            << QStringList{"0 r", "1 a", "1 b"} << QStringList{"r", "a"}
            << QStringList{"r", "a", "b"};
    }
    void rows()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, expanded);
        QFETCH(QStringList, rows);
        NodeTree nodes;
        buildTree(nodes, tree);
        for (int i = 1; i <= nodes.count(); ++i) {
            if (expanded.contains(nodes.nodeAt(i)->text()))
                nodes.setExpanded(nodes.nodeAt(i), true);
        }
        QStringList shown;
        for (const Node* n = FirstRow(nodes); n; n = NextNode(nodes, n))
            shown << n->text();
        QCOMPARE(shown, rows);
        QCOMPARE(CountVisibleNodes(nodes), qint32(rows.size()));
    }

    void countFollowsChanges()
    {
        NodeTree tree;
        buildTree(tree, {"0 root", "1 c1", "1 c2", "2 g1", "2 g2", "1 c3"});
        Node* root = tree.nodeAt(1);
        Node* c2 = tree.nodeAt(3);
        QCOMPARE(CountVisibleNodes(tree), 1);
        tree.setExpanded(root, true);
        QCOMPARE(CountVisibleNodes(tree), 4);
        tree.setExpanded(c2, true);
        QCOMPARE(CountVisibleNodes(tree), 6);
        tree.addChild(c2, QString(), QStringLiteral("g3"));
        QCOMPARE(CountVisibleNodes(tree), 7);
        tree.setExpanded(c2, false);
        QCOMPARE(CountVisibleNodes(tree), 4);
        tree.addChild(c2, QString(), QStringLiteral("g4")); // under a closed branch
        QCOMPARE(CountVisibleNodes(tree), 4);
        tree.setExpanded(c2, true);
        QCOMPARE(CountVisibleNodes(tree), 8);
        tree.remove(c2);
        QCOMPARE(CountVisibleNodes(tree), 3);
        tree.clear();
        QCOMPARE(CountVisibleNodes(tree), 0);
    }

    void countOfTwoTreesIsNotShared()
    {
        NodeTree one;
        NodeTree two;
        buildTree(one, {"0 a", "1 b"});
        buildTree(two, {"0 a"});
        one.setExpanded(one.nodeAt(1), true);
        QCOMPARE(CountVisibleNodes(one), 2);
        QCOMPARE(CountVisibleNodes(two), 1);
        QCOMPARE(CountVisibleNodes(one), 2);
    }

    void fullyExpandedTreeCountsEveryNode()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QString(), QStringLiteral("r"));
        Node* last = root;
        for (int i = 0; i < 50; ++i) {
            Node* parent = tree.nodeAt(1 + i / 3);
            last = tree.addChild(parent, QString(), QStringLiteral("n%1").arg(i));
        }
        for (int i = 1; i <= tree.count(); ++i)
            tree.setExpanded(tree.nodeAt(i), true);
        QCOMPARE(CountVisibleNodes(tree), tree.count());
        const Node* at = FirstRow(tree);
        const Node* final = at;
        while ((at = NextNode(tree, at)))
            final = at;
        // The last row is reached by always taking the last child.
        const Node* expectLast = root;
        while (expectLast->childCount() > 0)
            expectLast = expectLast->children().back();
        QCOMPARE(final, expectLast);
        Q_UNUSED(last);
    }

    void rowTextsIndentByDepth()
    {
        NodeTree tree;
        buildTree(tree, {"0 /data/", "1 a b", "2 c"});
        tree.setExpanded(tree.nodeAt(1), true);
        tree.setExpanded(tree.nodeAt(2), true);
        QCOMPARE(RowTexts(tree), (QStringList{"/data/", "  a b", "    c"}));
    }
};

QTEST_GUILESS_MAIN(DisplayOrderTest)
#include "tst_displayorder.moc"
