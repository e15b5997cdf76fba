#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/TagNumber.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvx;

class NodeTreeTest : public QObject
{
    Q_OBJECT

    ImageRegistry m_images = ImageRegistry::withBuiltIns();

    // A root with `n` leaf children keyed k1..kn.
    void fillFlat(NodeTree& tree, int n)
    {
        tree.addRoot(QStringLiteral("r"), QStringLiteral("root"), 1, 3);
        for (int i = 1; i <= n; ++i)
            tree.addChild(QStringLiteral("r"), QStringLiteral("k%1").arg(i),
                          QStringLiteral("n%1").arg(i), 1, 3);
    }

private Q_SLOTS:
    void addFailures_data()
    {
        QTest::addColumn<QString>("relativeKey");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("imageKey");
        QTest::addColumn<int>("failure");
        QTest::newRow("ok child") << "r"
                                  << "new"
                                  << "fil" << int(AddFailure::None);
        QTest::newRow("ok without key") << "r"
                                        << ""
                                        << "" << int(AddFailure::None);
        QTest::newRow("duplicate key") << "r"
                                       << "r"
                                       << "" << int(AddFailure::DuplicateKey);
        QTest::newRow("unknown relative") << "nope"
                                          << "x"
                                          << "" << int(AddFailure::UnknownRelative);
        QTest::newRow("image key missing") << "r"
                                           << "x"
                                           << "zip" << int(AddFailure::UnknownImageKey);
    }
    void addFailures()
    {
        QFETCH(QString, relativeKey);
        QFETCH(QString, key);
        QFETCH(QString, imageKey);
        QFETCH(int, failure);

        NodeTree tree;
        tree.setImageList(&m_images);
        tree.addRoot(QStringLiteral("r"), QStringLiteral("root"), 1, 3);
        AddFailure why = AddFailure::TreeFull;
        const ImageRef image = imageKey.isEmpty() ? ImageRef(1) : ImageRef(imageKey);
        Node* node = tree.addChild(relativeKey, key, QStringLiteral("t"), image, {}, &why);
        QCOMPARE(int(why), failure);
        QCOMPARE(node != nullptr, failure == int(AddFailure::None));
        QCOMPARE(tree.count(), node ? 2 : 1);
        QCOMPARE(tree.nodeAt(1)->text(), QStringLiteral("root")); // the existing node is untouched
    }

    void selectedImageKeyIsCheckedToo()
    {
        NodeTree tree;
        tree.setImageList(&m_images);
        QVERIFY(!tree.addRoot(QStringLiteral("a"), QStringLiteral("a"), 1, QStringLiteral("nope")));
        QVERIFY(tree.isEmpty());
    }

    void treeFull()
    {
        NodeTree tree;
        QVERIFY(tree.addRoot(QStringLiteral("r"), QStringLiteral("r")));
        for (int i = 2; i <= NodeTree::MaxNodes; ++i)
            QVERIFY(tree.addChild(tree.nodeAt(1), QString(), QStringLiteral("c")));
        AddFailure why = AddFailure::None;
        QVERIFY(
            !tree.addChild(tree.nodeAt(1), QStringLiteral("x"), QStringLiteral("x"), {}, {}, &why));
        QCOMPARE(why, AddFailure::TreeFull);
        QVERIFY(!tree.addRoot(QString(), QStringLiteral("x")));
        QCOMPARE(tree.count(), NodeTree::MaxNodes);
        QVERIFY(tree.findByKey(QStringLiteral("x")) == nullptr);
        // Room again after a removal.
        QVERIFY(tree.remove(NodeTree::MaxNodes));
        QVERIFY(tree.addRoot(QStringLiteral("x"), QStringLiteral("x")));
    }

    void removeLeafClosesGap()
    {
        NodeTree tree;
        fillFlat(tree, 9); // 10 nodes
        Node* fourth = tree.nodeAt(4);
        QVERIFY(tree.remove(3));
        QCOMPARE(tree.count(), 9);
        QCOMPARE(tree.nodeAt(3), fourth);
        QCOMPARE(fourth->index(), 3);
        QCOMPARE(fourth->row(), 1);
        QVERIFY(!tree.findByKey(QStringLiteral("k2")));
        for (int i = 1; i <= tree.count(); ++i)
            QCOMPARE(tree.nodeAt(i)->index(), i);
    }

    void removeSubtree()
    {
        // r(1) -> a(2) -> a1(3), a2(5); b(4) -> b1(6); a2 -> a21(7)
        NodeTree tree;
        tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        tree.addChild(QStringLiteral("r"), QStringLiteral("a"), QStringLiteral("a"));
        tree.addChild(QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("a1"));
        tree.addChild(QStringLiteral("r"), QStringLiteral("b"), QStringLiteral("b"));
        tree.addChild(QStringLiteral("a"), QStringLiteral("a2"), QStringLiteral("a2"));
        tree.addChild(QStringLiteral("b"), QStringLiteral("b1"), QStringLiteral("b1"));
        tree.addChild(QStringLiteral("a2"), QStringLiteral("a21"), QStringLiteral("a21"));
        tree.setSelectedItem(tree.findByKey(QStringLiteral("a21")));

        QSignalSpy removed(&tree, &NodeTree::nodeRemoved);
        QVERIFY(tree.remove(tree.findByKey(QStringLiteral("a"))));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(tree.count(), 3);
        QStringList order;
        for (int i = 1; i <= tree.count(); ++i)
            order << tree.nodeAt(i)->key();
        QCOMPARE(order, (QStringList{"r", "b", "b1"}));
        QCOMPARE(tree.nodeAt(2)->row(), 0);
        QVERIFY(!tree.selectedItem()); // the selection went with its node
        for (const char* gone : {"a", "a1", "a2", "a21"})
            QVERIFY(!tree.findByKey(QString::fromLatin1(gone)));
        // A removed node's key can be used again.
        QVERIFY(tree.addChild(QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("again")));
    }

    void removeOutOfRange()
    {
        NodeTree tree;
        fillFlat(tree, 2);
        QVERIFY(!tree.remove(0));
        QVERIFY(!tree.remove(4));
        QCOMPARE(tree.count(), 3);
    }

    void clearForgetsEverything()
    {
        NodeTree tree;
        fillFlat(tree, 3);
        const NodeId id = tree.nodeAt(2)->id();
        tree.clear();
        QCOMPARE(tree.count(), 0);
        QVERIFY(tree.roots().empty());
        QVERIFY(!tree.find(id));
        QVERIFY(!tree.findByKey(QStringLiteral("k1")));
        QVERIFY(tree.addRoot(QStringLiteral("k1"), QStringLiteral("again")));
        QVERIFY(tree.nodeAt(1)->id() != id); // ids are never reused
    }

    void sortedChildren()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        tree.addChild(root, QString(), QStringLiteral("delta"));
        tree.addChild(root, QString(), QStringLiteral("Bravo"));
        tree.setSorted(root, true);
        tree.addChild(root, QString(), QStringLiteral("alpha"));
        tree.addChild(root, QString(), QStringLiteral("charlie"));
        tree.addChild(root, QString(), QStringLiteral("bravo"));
        QStringList texts;
        for (const Node* child : root->children())
            texts << child->text() + QString::number(child->row());
        QCOMPARE(texts, (QStringList{"alpha0", "Bravo1", "bravo2", "charlie3", "delta4"}));
        // Creation order is not display order.
        QCOMPARE(tree.nodeAt(2)->text(), QStringLiteral("delta"));
    }

    void expandEventRaisedOnce()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        QSignalSpy expand(&tree, &NodeTree::expand);
        tree.setExpanded(root, true); // no children yet: the flag sticks, no event
        QCOMPARE(expand.count(), 0);
        QVERIFY(root->expanded());
        tree.setExpanded(root, false);
        tree.addChild(root, QString(), QStringLiteral("c"));
        tree.setExpanded(root, true);
        tree.setExpanded(root, true);
        QCOMPARE(expand.count(), 1);
        QCOMPARE(expand.at(0).at(0).value<NodeId>(), root->id());
        tree.setExpanded(root, false);
        tree.setExpanded(root, true);
        QCOMPARE(expand.count(), 2);
    }

    void kindTest_data()
    {
        QTest::addColumn<ImageRef>("image");
        QTest::addColumn<bool>("folder");
        QTest::newRow("closed folder") << ImageRef(1) << true;
        QTest::newRow("black and white open") << ImageRef(5) << true;
        QTest::newRow("blank page number") << ImageRef(6) << false;
        QTest::newRow("icon number") << ImageRef(9) << false;
        QTest::newRow("key fil") << ImageRef("fil") << false;
        QTest::newRow("no image") << ImageRef() << false;
    }
    void kindTest()
    {
        QFETCH(ImageRef, image);
        QFETCH(bool, folder);
        NodeTree tree;
        Node* node = tree.addRoot(QString(), QStringLiteral("n"));
        tree.setImage(node, image);
        QCOMPARE(node->isFolder(), folder);
    }

    void tagReadings_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("plain"); // -1: not a plain number
        QTest::newRow("0") << "0" << 0 << 0;
        QTest::newRow("0E") << "0E" << 0 << -1;
        QTest::newRow("12E") << "12E" << 12 << -1;
        QTest::newRow("ZIP") << "ZIP" << 0 << -1;
        QTest::newRow("7Z") << "7Z" << 7 << -1;
        QTest::newRow("empty") << "" << 0 << -1;
        QTest::newRow("3") << "3" << 3 << 3;
    }
    void tagReadings()
    {
        QFETCH(QString, tag);
        QFETCH(int, level);
        QFETCH(int, plain);
        QCOMPARE(tagLevel(tag), level);
        QCOMPARE(plainTagNumber(tag).value_or(-1), plain);
    }

    void imageRegistry()
    {
        ImageRegistry list = ImageRegistry::withBuiltIns();
        QCOMPARE(list.count(), 6);
        QCOMPARE(list.indexOfKey(QStringLiteral("fil")), 6);
        QVERIFY(list.add(QStringLiteral("zip")));
        QVERIFY(!list.add(QStringLiteral("fil")));
        QVERIFY(list.add()); // unnamed entries never clash
        QCOMPARE(list.count(), 8);
        QCOMPARE(list.positionOf(ImageRef("zip")), 7);
        QCOMPARE(list.positionOf(ImageRef(3)), 3);
        QCOMPARE(list.positionOf(ImageRef(99)), 0);
        QCOMPARE(list.positionOf(ImageRef("mp3")), 0);
        QCOMPARE(list.positionOf(ImageRef()), 0);
    }
};

QTEST_GUILESS_MAIN(NodeTreeTest)
#include "tst_nodetree.moc"
