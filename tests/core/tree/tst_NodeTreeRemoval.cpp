#include "tree/NodeTree.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <vector>

using namespace kvx;

// Removal keeps positions, Node::index(), lookups and rows exactly as if every
// later node had moved down at once, whatever the order of removals.
class TestNodeTreeRemoval : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removeSubtree()
    {
        // r -> a -> a1, a2 -> a21; r -> b -> b1, created interleaved
        NodeTree tree;
        tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        for (const char* pair : {"r a", "a a1", "r b", "a a2", "b b1", "a2 a21"}) {
            const QStringList p = QString::fromLatin1(pair).split(QLatin1Char(' '));
            tree.addChild(p[0], p[1], p[1]);
        }
        tree.setSelectedItem(tree.findByKey(QStringLiteral("a21")));
        QSignalSpy before(&tree, &NodeTree::nodeAboutToBeRemoved);
        QSignalSpy after(&tree, &NodeTree::nodeRemoved);
        QVERIFY(!tree.remove(0));
        QVERIFY(!tree.remove(8));
        QVERIFY(tree.remove(tree.findByKey(QStringLiteral("a"))));
        QCOMPARE(before.count(), 1);
        QCOMPARE(after.count(), 1);
        QCOMPARE(tree.count(), 3);
        QCOMPARE(tree.nodeAt(2)->key(), QStringLiteral("b"));
        QCOMPARE(tree.nodeAt(2)->row(), 0);
        QCOMPARE(tree.nodeAt(3)->index(), 3);
        QVERIFY(!tree.selectedItem()); // the selection went with its node
        QVERIFY(!tree.findByKey(QStringLiteral("a21")));
        // The key is free again, and a new node comes last.
        QCOMPARE(tree.addChild(QStringLiteral("b"), QStringLiteral("a"), "again")->index(), 4);
        const NodeId id = tree.nodeAt(2)->id();
        tree.clear();
        QVERIFY(tree.isEmpty() && tree.roots().empty() && !tree.find(id));
        QVERIFY(tree.addRoot(QStringLiteral("b"), QStringLiteral("b"))->id() != id);
    }

    // Random adds, removals (mostly leaves, as a removal walk does) and clears
    // against a plain list of the creation order.
    void randomAgainstAReference_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomAgainstAReference()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        NodeTree tree;
        std::vector<NodeId> order;
        std::map<NodeId, NodeId> parentOf; // 0 for a root
        const auto verify = [&] {
            QCOMPARE(tree.count(), int(order.size()));
            QVERIFY(!tree.nodeAt(0) && !tree.nodeAt(tree.count() + 1));
            for (int i = 1; i <= tree.count(); ++i) {
                const Node* node = tree.nodeAt(i);
                QCOMPARE(node->id(), order[size_t(i - 1)]);
                QCOMPARE(node->index(), i);
                QCOMPARE(tree.find(node->id()), node);
                QCOMPARE(node->parent() ? node->parent()->id() : 0, parentOf.at(node->id()));
                if (!node->key().isEmpty())
                    QCOMPARE(tree.findByKey(node->key()), node);
                QCOMPARE(tree.siblingsOf(node).at(size_t(node->row())), node);
            }
        };
        for (int step = 0, named = 0; step < 1500; ++step) {
            const int roll = int(random.bounded(100));
            if (tree.isEmpty() || roll < 45) {
                const Node* parent =
                    tree.isEmpty() ? nullptr : tree.nodeAt(1 + int(random.bounded(tree.count())));
                const QString key = random.bounded(2) ? QStringLiteral("k%1").arg(++named) : "";
                const Node* node =
                    parent ? tree.addChild(parent, key, key) : tree.addRoot(key, key);
                order.push_back(node->id());
                parentOf[node->id()] = parent ? parent->id() : 0;
            } else if (roll < 98) {
                int at = 1 + int(random.bounded(tree.count()));
                while (seed % 2 && at < tree.count() && tree.nodeAt(at)->childCount() > 0)
                    ++at;
                std::vector<NodeId> doomed{tree.nodeAt(at)->id()};
                for (size_t i = 0; i < doomed.size(); ++i) {
                    for (const auto& [child, parent] : parentOf) {
                        if (parent == doomed[i])
                            doomed.push_back(child);
                    }
                }
                for (const NodeId d : doomed) {
                    parentOf.erase(d);
                    std::erase(order, d);
                }
                QVERIFY(tree.remove(at));
            } else {
                tree.clear();
                order.clear();
                parentOf.clear();
            }
            if (step % 50 == 0)
                verify();
        }
        verify();
    }
};

QTEST_GUILESS_MAIN(TestNodeTreeRemoval)
#include "tst_NodeTreeRemoval.moc"
