#include "tree/DisplayOrder.h"
#include "tree/ImageRegistry.h"
#include "tree/LevelStyle.h"
#include "tree/NodeTree.h"
#include "tree/TreeSnapshot.h"

#include <QRandomGenerator>
#include <QSignalSpy>
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
    void addFailures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("failure");
        const auto row = [](const char* name, const char* relative, const char* key,
                            const char* image, const char* selected, AddFailure failure) {
            QTest::newRow(name) << QString(relative) << QString(key) << QString(image)
                                << QString(selected) << int(failure);
        };
        row("ok", "r", "new", "fil", "", AddFailure::None);
        row("no key", "r", "", "", "", AddFailure::None);
        row("duplicate key", "r", "r", "", "", AddFailure::DuplicateKey);
        row("no relative", "nope", "x", "", "", AddFailure::UnknownRelative);
        row("image key", "r", "x", "zip", "", AddFailure::UnknownImageKey);
        row("selected key", "r", "x", "", "zip", AddFailure::UnknownImageKey);
    }
    void addFailures()
    {
        QFETCH(QString, relative);
        QFETCH(QString, key);
        QFETCH(QString, image);
        QFETCH(QString, selected);
        QFETCH(int, failure);
        const ImageRegistry images = ImageRegistry::withBuiltIns();
        NodeTree tree;
        tree.setImageList(&images);
        tree.addRoot(QStringLiteral("r"), QStringLiteral("root"), 1, 3);
        AddFailure why = AddFailure::TreeFull;
        const auto ref = [](const QString& k) { return k.isEmpty() ? ImageRef(1) : ImageRef(k); };
        const Node* node = tree.addChild(relative, key, "t", ref(image), ref(selected), &why);
        QCOMPARE(int(why), failure);
        QCOMPARE(node != nullptr, failure == int(AddFailure::None));
        QCOMPARE(tree.count(), node ? 2 : 1);
        QCOMPARE(tree.nodeAt(1)->text(), QStringLiteral("root"));
    }

    // At most 32,767 nodes and 2,049 levels; a failed addition leaves no trace.
    void limits()
    {
        NodeTree tree;
        Node* deepest = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        while (deepest->depth() < NodeTree::MaxDepth)
            deepest = tree.addChild(deepest, QString(), QStringLiteral("c"));
        AddFailure why = AddFailure::None;
        QVERIFY(!tree.addChild(deepest, QStringLiteral("x"), QStringLiteral("x"), {}, {}, &why));
        QCOMPARE(why, AddFailure::TooDeep);
        while (tree.count() < NodeTree::MaxNodes)
            QVERIFY(tree.addChild(tree.nodeAt(1), QString(), QStringLiteral("c")));
        QVERIFY(!tree.addRoot(QStringLiteral("x"), QStringLiteral("x"), {}, {}, &why));
        QCOMPARE(why, AddFailure::TreeFull);
        QVERIFY(!tree.findByKey(QStringLiteral("x")));
        QVERIFY(tree.remove(NodeTree::MaxNodes)); // room again after a removal
        QVERIFY(tree.addRoot(QStringLiteral("x"), QStringLiteral("x")));
    }

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

    // Random adds, removals (mostly leaves, as a removal walk does), expansions
    // and clears against a plain list of the creation order; the count of shown
    // rows against a walk of the display order from position 1.
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
        const auto verify = [&] {
            QCOMPARE(tree.count(), int(order.size()));
            qint32 walked = 0;
            for (const Node* at = tree.nodeAt(1); at && walked < tree.count();
                 at = NextNode(tree, at))
                ++walked;
            QCOMPARE(CountVisibleNodes(tree), walked);
            QVERIFY(!tree.nodeAt(0) && !tree.nodeAt(tree.count() + 1));
            for (int i = 1; i <= tree.count(); ++i) {
                const Node* node = tree.nodeAt(i);
                QCOMPARE(node->id(), order[size_t(i - 1)]);
                QCOMPARE(node->index(), i);
                QCOMPARE(tree.find(node->id()), node);
                QVERIFY(node->key().isEmpty() || tree.findByKey(node->key()) == node);
                QCOMPARE(tree.siblingsOf(node).at(size_t(node->row())), node);
                QCOMPARE(node->depth(), node->parent() ? node->parent()->depth() + 1 : 0);
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
        for (int step = 0, named = 0; step < 3000; ++step) {
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
            } else if (tree.isEmpty() || roll < 65) {
                const Node* parent =
                    tree.isEmpty() ? nullptr : tree.nodeAt(1 + int(random.bounded(tree.count())));
                const QString key = random.bounded(2) ? QStringLiteral("k%1").arg(++named) : "";
                order.push_back(
                    (parent ? tree.addChild(parent, key, key) : tree.addRoot(key, key))->id());
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

    void sortedChildren()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        tree.addChild(root, QString(), QStringLiteral("delta"));
        tree.addChild(root, QString(), QStringLiteral("Bravo"));
        tree.setSorted(root, true);
        for (const char* text : {"alpha", "charlie", "bravo"})
            tree.addChild(root, QString(), QString::fromLatin1(text));
        QStringList texts;
        for (const Node* child : root->children())
            texts << child->text() + QString::number(child->row());
        QCOMPARE(texts, (QStringList{"alpha0", "Bravo1", "bravo2", "charlie3", "delta4"}));
        QCOMPARE(tree.nodeAt(2)->text(), QStringLiteral("delta")); // creation order stays
    }

    void kindAndImages()
    {
        NodeTree tree;
        Node* node = tree.addRoot(QString(), QStringLiteral("n"));
        for (const ImageRef& image :
             {ImageRef(1), ImageRef(5), ImageRef(6), ImageRef(9), ImageRef("fil"), ImageRef()}) {
            tree.setImage(node, image);
            QCOMPARE(node->isFolder(), image.number() >= 1 && image.number() <= 5);
            QCOMPARE(node->isFile(), image.isKey() || image.number() > 5);
        }
        // A level takes the style of a node of its kind only.
        ImageRegistry list = ImageRegistry::withBuiltIns();
        tree.setImageList(&list);
        tree.setImage(node, 1);
        for (const ImageRef& image : {ImageRef(1), ImageRef("fil"), ImageRef(), ImageRef(9)})
            tree.addChild(node, QString(), QStringLiteral("c"), image);
        tree.setBold(node->childAt(1), true);
        QCOMPARE(ApplyStyleToLevel(tree, *node->childAt(1)), 2);
        QVERIFY(node->childAt(3)->bold() && !node->childAt(2)->bold() && !node->childAt(0)->bold());
        QVERIFY(list.add("zip") && !list.add("fil") && list.add()); // unnamed entries never clash
        QCOMPARE(list.positionOf(ImageRef("zip")), 7);
        QCOMPARE(list.positionOf(ImageRef(3)), 3);
        for (const ImageRef& unknown : {ImageRef(99), ImageRef("mp3"), ImageRef()})
            QCOMPARE(list.positionOf(unknown), 0);
    }
};

QTEST_GUILESS_MAIN(NodeTreeTest)
#include "tst_nodetree.moc"
