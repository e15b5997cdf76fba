#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"

#include <QTest>

using namespace kvx;

namespace {

// Builds a tree from "depth text" lines, each node the last child of the latest node one level up.
void buildTree(NodeTree& tree, const QStringList& lines)
{
    std::vector<Node*> open;
    for (const QString& line : lines) {
        const int level = line.section(QLatin1Char(' '), 0, 0).toInt();
        const QString text = line.section(QLatin1Char(' '), 1);
        open.resize(size_t(level));
        open.push_back(level == 0 ? tree.addRoot(QString(), text, 1)
                                  : tree.addChild(open.back(), QString(), text, 1));
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
        const QStringList t{"0 root", "1 c1", "1 c2", "2 g1", "2 g2", "1 c3"};
        const QStringList deep{"0 r", "1 a", "2 a1", "3 a11", "1 b"};
        using L = QStringList;
        QTest::newRow("empty") << L{} << L{} << L{};
        QTest::newRow("expanded leaf root") << L{"0 root"} << L{"root"} << L{"root"};
        QTest::newRow("collapsed root") << t << L{} << L{"root"};
        QTest::newRow("children closed") << t << L{"root"} << L{"root", "c1", "c2", "c3"};
        QTest::newRow("c2 open") << t << L{"root", "c2"} << L{"root", "c1", "c2", "g1", "g2", "c3"};
        QTest::newRow("open under closed") << t << L{"c2"} << L{"root"};
        QTest::newRow("climb two levels")
            << deep << L{"r", "a", "a1"} << L{"r", "a", "a1", "a11", "b"};
        QTest::newRow("two roots")
            << L{"0 r1", "1 x", "0 r2", "1 y"} << L{"r1", "r2"} << L{"r1", "x", "r2", "y"};
    }
    void rows()
    {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, expanded);
        QFETCH(QStringList, rows);
        NodeTree nodes;
        buildTree(nodes, tree);
        for (int i = 1; i <= nodes.count(); ++i)
            nodes.setExpanded(nodes.nodeAt(i), expanded.contains(nodes.nodeAt(i)->text()));
        QStringList shown;
        for (const Node* n = FirstRow(nodes); n; n = NextNode(nodes, n))
            shown << n->text();
        QCOMPARE(shown, rows);
        QCOMPARE(CountVisibleNodes(nodes), qint32(rows.size()));
    }
};

QTEST_GUILESS_MAIN(DisplayOrderTest)
#include "tst_displayorder.moc"
