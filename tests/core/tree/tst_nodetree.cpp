#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "tree/TreeSnapshot.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <functional>
#include <vector>

using namespace kvx;

// Positions, lookups and rows stay exact through additions and removals, as if
// every later node moved down at once.
class NodeTreeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Random adds, removals (mostly leaves, as a removal walk does), expansions,
    // selections, undo steps and clears against a plain list of the creation
    // order: positions, rows, keys, depths, the rows shown and their count stay
    // exact; a key is refused exactly while in use; an id is never given twice.
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
        tree.setRootsSorted(seed % 3 == 0); // then position 1 need not be the first row
        std::vector<NodeId> order;          // the expected creation order
        QSet<NodeId> given;
        // The rows: every root, and under each open node its children, in sibling order.
        QList<const Node*> rows;
        const std::function<void(const std::vector<Node*>&)> show = [&](const auto& nodes) {
            for (const Node* node : nodes) {
                rows.append(node);
                if (node->expanded())
                    show(node->children());
            }
        };
        // Children of a sorted node (roots, when sorted) in text order, letter case
        // ignored, equal texts in creation order.
        const auto inOrder = [](const std::vector<Node*>& nodes) {
            for (size_t i = 1; i < nodes.size(); ++i) {
                const int c = nodes[i - 1]->text().compare(nodes[i]->text(), Qt::CaseInsensitive);
                QVERIFY(c < 0 || (c == 0 && nodes[i - 1]->index() < nodes[i]->index()));
            }
        };
        const auto verify = [&] {
            if (tree.rootsSorted())
                inOrder(tree.roots());
            QCOMPARE(tree.count(), int(order.size()));
            rows.clear();
            show(tree.roots());
            QList<const Node*> walked;
            for (const Node* at = FirstRow(tree); at && walked.size() <= rows.size();
                 at = NextNode(tree, at))
                walked.append(at);
            QCOMPARE(walked, rows);
            qint32 fromFirst = 0; // the count starts at position 1
            for (const Node* at = tree.nodeAt(1); at && fromFirst < tree.count();
                 at = NextNode(tree, at))
                ++fromFirst;
            QCOMPARE(CountVisibleNodes(tree), fromFirst);
            QVERIFY(!tree.nodeAt(0) && !tree.nodeAt(tree.count() + 1) && !tree.remove(0));
            QVERIFY(!tree.selectedItem() || tree.find(tree.selectedItem()->id()));
            for (int i = 1; i <= tree.count(); ++i) {
                const Node* node = tree.nodeAt(i);
                QCOMPARE(node->id(), order[size_t(i - 1)]);
                QCOMPARE(node->index(), i);
                QCOMPARE(tree.find(node->id()), node);
                QVERIFY(node->key().isEmpty() || tree.findByKey(node->key()) == node);
                QCOMPARE(tree.siblingsOf(node).at(size_t(node->row())), node);
                QCOMPARE(node->depth(), node->parent() ? node->parent()->depth() + 1 : 0);
                if (node->sorted())
                    inOrder(node->children());
            }
        };
        const std::function<void(const Node*)> forget = [&](const Node* node) {
            std::erase(order, node->id());
            for (const Node* child : node->children())
                forget(child);
        };
        // An undo step: the whole tree as it was, counts and depths included.
        TreeSnapshot saved = tree.snapshot();
        std::vector<NodeId> savedOrder;
        for (int step = 0; step < 3000; ++step) {
            const int roll = int(random.bounded(100));
            if (step % 97 == 0) {
                saved = tree.snapshot();
                savedOrder = order;
            } else if (step % 211 == 0) {
                tree.restore(saved);
                order = savedOrder;
            } else if (!tree.isEmpty() && roll < 30) {
                Node* node = tree.nodeAt(1 + int(random.bounded(tree.count())));
                tree.setExpanded(node, !node->expanded());
                if (roll < 5)
                    tree.setSelectedItem(node);
                else if (roll < 8)
                    tree.setSorted(node, !node->sorted());
            } else if (tree.isEmpty() || roll < 65) {
                const Node* parent = tree.isEmpty() || roll % 10 == 0 // now and then a root
                                         ? nullptr
                                         : tree.nodeAt(1 + int(random.bounded(tree.count())));
                const QString key = roll % 2 ? QStringLiteral("k%1").arg(random.bounded(300)) : "";
                const bool taken =
                    !key.isEmpty() && std::any_of(order.begin(), order.end(), [&](NodeId id) {
                        return tree.find(id)->key() == key;
                    });
                const QString text = roll % 4 == 1 ? key.toUpper() : key;
                const Node* added =
                    parent ? tree.addChild(parent, key, text) : tree.addRoot(key, text);
                QCOMPARE(!added, taken);
                if (added) {
                    QVERIFY(!given.contains(added->id()));
                    given.insert(added->id());
                    order.push_back(added->id());
                }
            } else if (roll < 98) {
                int at = 1 + int(random.bounded(tree.count()));
                while (seed % 2 && at < tree.count() && tree.nodeAt(at)->childCount() > 0)
                    ++at;
                forget(tree.nodeAt(at));
                QVERIFY(tree.remove(at));
            } else {
                tree.clear();
                order.clear();
            }
            if (step % 10 == 0)
                verify();
        }
        verify();
    }
};

QTEST_GUILESS_MAIN(NodeTreeTest)
#include "tst_nodetree.moc"
