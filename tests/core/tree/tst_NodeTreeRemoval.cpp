#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <map>
#include <vector>

using namespace kvx;

// Removal keeps positions, Node::index(), lookups and signals exactly as if
// every later node had moved down at once, whatever the order of removals.
class TestNodeTreeRemoval : public QObject
{
    Q_OBJECT

private:
    // The expected creation order, kept the plain way.
    struct Reference
    {
        std::vector<NodeId> order;
        std::map<NodeId, NodeId> parentOf; // 0 for a root

        void remove(NodeId id)
        {
            std::vector<NodeId> doomed{id};
            for (size_t i = 0; i < doomed.size(); ++i) {
                for (const auto& [child, parent] : parentOf) {
                    if (parent == doomed[i])
                        doomed.push_back(child);
                }
            }
            for (NodeId d : doomed) {
                parentOf.erase(d);
                std::erase(order, d);
            }
        }
    };

    static void verify(const NodeTree& tree, const Reference& expected)
    {
        QCOMPARE(tree.count(), int(expected.order.size()));
        QCOMPARE(tree.isEmpty(), expected.order.empty());
        QVERIFY(!tree.nodeAt(0));
        QVERIFY(!tree.nodeAt(tree.count() + 1));
        for (int i = 1; i <= tree.count(); ++i) {
            const Node* node = tree.nodeAt(i);
            QVERIFY(node);
            QCOMPARE(node->id(), expected.order[size_t(i - 1)]);
            QCOMPARE(node->index(), i);
            QCOMPARE(tree.find(node->id()), node);
            const NodeId parent = expected.parentOf.at(node->id());
            QCOMPARE(node->parent() ? node->parent()->id() : NodeId(0), parent);
            if (!node->key().isEmpty())
                QCOMPARE(tree.findByKey(node->key()), node);
            QCOMPARE(tree.siblingsOf(node).at(size_t(node->row())), node);
        }
    }

private Q_SLOTS:
    void removingALeafMovesLaterNodesDown()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        for (int i = 2; i <= 10; ++i)
            tree.addChild(root, QString(), QString::number(i));
        const Node* fourth = tree.nodeAt(4);
        QVERIFY(tree.remove(3));
        QCOMPARE(tree.count(), 9);
        QCOMPARE(tree.nodeAt(3), fourth);
        QCOMPARE(fourth->index(), 3);
        QCOMPARE(tree.nodeAt(9)->text(), QStringLiteral("10"));
        QCOMPARE(tree.nodeAt(9)->index(), 9);
        QVERIFY(!tree.remove(10));
        QVERIFY(!tree.remove(0));

        // A node added after removals comes last.
        const Node* added = tree.addChild(root, QString(), QStringLiteral("new"));
        QCOMPARE(added->index(), 10);
        QCOMPARE(tree.nodeAt(10), added);
    }

    void removalSignalsAndLookups()
    {
        ImageRegistry images = ImageRegistry::withBuiltIns();
        NodeTree tree;
        tree.setImageList(&images);
        Node* root = tree.addRoot(QStringLiteral("/r/"), QStringLiteral("/r/"), 1);
        Node* leaf = tree.addChild(root, QStringLiteral("/r/a/"), QStringLiteral("a"), 1);
        tree.addChild(root, QString(), QStringLiteral("f.txt"), QStringLiteral("fil"));
        tree.setSelectedItem(leaf);
        const NodeId leafId = leaf->id();

        QSignalSpy before(&tree, &NodeTree::nodeAboutToBeRemoved);
        QSignalSpy after(&tree, &NodeTree::nodeRemoved);
        const quint64 generation = tree.rowsGeneration();
        QVERIFY(tree.remove(leaf));
        QCOMPARE(before.count(), 1);
        QCOMPARE(after.count(), 1);
        QVERIFY(tree.rowsGeneration() != generation);
        QVERIFY(!tree.find(leafId));
        QVERIFY(!tree.findByKey(QStringLiteral("/r/a/")));
        QVERIFY(!tree.selectedItem());
        QCOMPARE(root->childCount(), 1);
        QCOMPARE(root->childAt(0)->row(), 0);
        // The key is free again.
        QVERIFY(tree.addChild(root, QStringLiteral("/r/a/"), QStringLiteral("a"), 1));
    }

    void randomAddsAndRemovalsMatchTheReference_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("leafShare"); // percent of removals aimed at leaves
        for (quint32 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed << int(seed % 2 ? 90 : 50);
    }

    void randomAddsAndRemovalsMatchTheReference()
    {
        QFETCH(quint32, seed);
        QFETCH(int, leafShare);
        QRandomGenerator random(seed);
        NodeTree tree;
        Reference expected;
        int named = 0;
        for (int step = 0; step < 1500; ++step) {
            const int roll = int(random.bounded(100));
            if (tree.isEmpty() || roll < 45) {
                Node* parent =
                    tree.isEmpty() ? nullptr : tree.nodeAt(1 + int(random.bounded(tree.count())));
                const QString key =
                    random.bounded(2) ? QStringLiteral("k%1").arg(++named) : QString();
                Node* node = parent ? tree.addChild(parent, key, key) : tree.addRoot(key, key);
                QVERIFY(node);
                expected.order.push_back(node->id());
                expected.parentOf[node->id()] = parent ? parent->id() : 0;
            } else if (roll < 98) {
                // Mostly leaves, as a removal walk does, sometimes whole branches.
                int position = 1 + int(random.bounded(tree.count()));
                if (int(random.bounded(100)) < leafShare) {
                    while (position <= tree.count() && tree.nodeAt(position)->childCount() > 0)
                        ++position;
                    if (position > tree.count())
                        continue;
                }
                expected.remove(tree.nodeAt(position)->id());
                QVERIFY(tree.remove(position));
            } else {
                tree.clear();
                expected = {};
            }
            if (step % 50 == 0)
                verify(tree, expected);
        }
        verify(tree, expected);
    }

    void removingLeavesInAWalkByPosition()
    {
        // Folders interleaved with files, files removed walking by position.
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        Reference expected;
        expected.order.push_back(root->id());
        expected.parentOf[root->id()] = 0;
        for (int f = 0; f < 20; ++f) {
            Node* folder = tree.addChild(root, QStringLiteral("f%1").arg(f), QStringLiteral("f"));
            expected.order.push_back(folder->id());
            expected.parentOf[folder->id()] = root->id();
            for (int i = 0; i < f % 4; ++i) {
                const Node* file = tree.addChild(folder, QString(), QStringLiteral("x"));
                expected.order.push_back(file->id());
                expected.parentOf[file->id()] = folder->id();
            }
        }
        int i = 1;
        while (i <= tree.count()) {
            const Node* node = tree.nodeAt(i);
            if (node->text() == QLatin1String("x")) {
                expected.remove(node->id());
                tree.remove(i);
                verify(tree, expected);
            } else {
                ++i;
            }
        }
        QCOMPARE(tree.count(), 21);
        // A branch removed after the leaves: later nodes close up as well.
        expected.remove(tree.nodeAt(5)->id());
        QVERIFY(tree.remove(5));
        verify(tree, expected);
    }
};

QTEST_GUILESS_MAIN(TestNodeTreeRemoval)
#include "tst_NodeTreeRemoval.moc"
