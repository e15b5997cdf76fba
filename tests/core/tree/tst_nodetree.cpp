#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/TagNumber.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvx;

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

    void treeFull()
    {
        NodeTree tree;
        const Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        for (int i = 2; i <= NodeTree::MaxNodes; ++i)
            QVERIFY(tree.addChild(root, QString(), QStringLiteral("c")));
        AddFailure why = AddFailure::None;
        QVERIFY(!tree.addChild(root, QStringLiteral("x"), QStringLiteral("x"), {}, {}, &why));
        QCOMPARE(why, AddFailure::TreeFull);
        QVERIFY(!tree.addRoot(QString(), QStringLiteral("x")));
        QCOMPARE(tree.count(), NodeTree::MaxNodes);
        QVERIFY(!tree.findByKey(QStringLiteral("x")));
        QVERIFY(tree.remove(NodeTree::MaxNodes)); // room again after a removal
        QVERIFY(tree.addRoot(QStringLiteral("x"), QStringLiteral("x")));
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

    void expandEventRaisedOnce()
    {
        NodeTree tree;
        Node* root = tree.addRoot(QStringLiteral("r"), QStringLiteral("r"));
        QSignalSpy expand(&tree, &NodeTree::expand);
        tree.setExpanded(root, true); // no children yet: the flag sticks, no event
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

    void kindAndTag_data()
    {
        QTest::addColumn<ImageRef>("image");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("plain"); // -1: not a plain number
        QTest::newRow("1, 0") << ImageRef(1) << true << "0" << 0 << 0;
        QTest::newRow("5, 12E") << ImageRef(5) << true << "12E" << 12 << -1;
        QTest::newRow("6, ZIP") << ImageRef(6) << false << "ZIP" << 0 << -1;
        QTest::newRow("9, 7Z") << ImageRef(9) << false << "7Z" << 7 << -1;
        QTest::newRow("fil, empty") << ImageRef("fil") << false << "" << 0 << -1;
        QTest::newRow("none, 3") << ImageRef() << false << "3" << 3 << 3;
    }
    void kindAndTag()
    {
        QFETCH(ImageRef, image);
        QFETCH(QString, tag);
        NodeTree tree;
        Node* node = tree.addRoot(QString(), QStringLiteral("n"));
        tree.setImage(node, image);
        QTEST(node->isFolder(), "folder");
        QTEST(tagLevel(tag), "level");
        QTEST(plainTagNumber(tag).value_or(-1), "plain");
    }

    void imageRegistry()
    {
        ImageRegistry list = ImageRegistry::withBuiltIns();
        QCOMPARE(list.indexOfKey(QStringLiteral("fil")), 6);
        QVERIFY(list.add(QStringLiteral("zip")));
        QVERIFY(!list.add(QStringLiteral("fil")));
        QVERIFY(list.add()); // unnamed entries never clash
        QCOMPARE(list.count(), 8);
        QCOMPARE(list.positionOf(ImageRef("zip")), 7);
        QCOMPARE(list.positionOf(ImageRef(3)), 3);
        for (const ImageRef& unknown : {ImageRef(99), ImageRef("mp3"), ImageRef()})
            QCOMPARE(list.positionOf(unknown), 0);
    }
};

QTEST_GUILESS_MAIN(NodeTreeTest)
#include "tst_nodetree.moc"
