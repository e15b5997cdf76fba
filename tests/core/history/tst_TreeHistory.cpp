#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "history/TreeHistory.h"
#include "tree/NodeTree.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvx;

namespace {

// The tree as its document shows it, with every node's id and row in the
// order of the children, and the selection.
QByteArray shown(const NodeTree& tree)
{
    QByteArray text = TreeViewDocument(tree, TreeViewSettings(), true, true);
    const std::function<void(const std::vector<Node*>&)> walk = [&](const auto& nodes) {
        for (const Node* node : nodes) {
            text += QByteArray::number(node->id()) + ':' + QByteArray::number(node->row()) + ' ';
            walk(node->children());
        }
    };
    walk(tree.roots());
    return text + (tree.selectedItem() ? tree.selectedItem()->key().toUtf8() : "-");
}

} // namespace

class tst_TreeHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Actions: e an edit that changes the tree, n one that does not, E an
    // edit holding another, C a history cleared during an edit, x a change
    // outside any edit, L more edits than are kept, u undo, r redo, s saved,
    // c cleared. The tree has sorted children and a gap left by removed
    // nodes; every undo and redo gives back a tree exactly, ids and selection
    // included, raising no expansion.
    void steps_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("undoSteps");
        QTest::addColumn<int>("redoSteps");
        QTest::addColumn<bool>("modified");
        QTest::newRow("nothing") << "" << 0 << 0 << false;
        QTest::newRow("no change, no step") << "n" << 0 << 0 << false;
        QTest::newRow("nested edits, one step") << "E" << 1 << 0 << true;
        QTest::newRow("cleared during an edit") << "C" << 0 << 0 << true;
        QTest::newRow("saved") << "ees" << 2 << 0 << false;
        QTest::newRow("undone to the saved tree") << "eseu" << 1 << 1 << false;
        QTest::newRow("undone past the saved tree") << "eseuu" << 0 << 2 << true;
        QTest::newRow("redone to the saved tree") << "esuur" << 1 << 0 << false;
        QTest::newRow("an edit drops the redo steps") << "eeue" << 2 << 0 << true;
        QTest::newRow("change outside an edit") << "esx" << 1 << 0 << true;
        QTest::newRow("nothing to undo or redo") << "urr" << 0 << 0 << false;
        QTest::newRow("cleared and saved") << "eeucs" << 0 << 0 << false;
        QTest::newRow("past the limit, the oldest go")
            << "L" << int(TreeHistory::MaxSteps) << 0 << true;
    }
    void steps()
    {
        QFETCH(QString, actions);
        QFETCH(int, undoSteps);
        QFETCH(int, redoSteps);
        QFETCH(bool, modified);
        NodeTree tree;
        TreeHistory history(tree);
        Node* root = tree.addRoot("/r/", "r", image::OpenFolder);
        for (const char* name : {"z", "b", "m", "a", "q"})
            tree.addChild(root, QString("/r/%1/").arg(name), name, image::ClosedFolder);
        tree.setSorted(root, true);
        tree.remove(tree.findByKey("/r/m/"));
        tree.setSelectedItem(tree.findByKey("/r/q/"));
        history.markSaved();
        int made = 0;
        const auto change = [&] {
            Node* b = tree.findByKey("/r/b/");
            tree.setExpanded(b, true);
            ++made;
            tree.setForeColor(tree.addChild(b, QString(), QString::number(made)), Colour(made));
            tree.remove(tree.findByKey("/r/a/"));
            tree.setSelectedItem(b);
        };
        QSignalSpy expansions(&tree, &NodeTree::expand);
        const QByteArray initial = shown(tree);
        for (const QChar action : actions) {
            std::optional<TreeHistory::Edit> edit;
            if (QString("enEC").contains(action))
                edit.emplace(history);
            if (action == 'e' || action == 'E' || action == 'C')
                change();
            for (size_t i = 0; action == 'L' && i < TreeHistory::MaxSteps + 2; ++i) {
                const TreeHistory::Edit one(history);
                change();
            }
            if (action == 'E') {
                QVERIFY(!history.canUndo()); // not in the middle of an edit
                const TreeHistory::Edit inner(history);
                change();
            }
            if (action == 'C' || action == 'c')
                history.clear();
            if (action == 'x')
                tree.setExpanded(tree.nodeAt(1), !tree.nodeAt(1)->expanded());
            if (action == 's')
                history.markSaved();
            if (action == 'u')
                history.undo();
            if (action == 'r')
                history.redo();
        }
        const int expanded = expansions.count();
        const QByteArray final = shown(tree);
        const bool wasModified = history.isModified();
        int undone = 0;
        for (; history.undo(); ++undone) {
        }
        if (!actions.contains(QRegularExpression("[cCL]")))
            QCOMPARE(shown(tree), initial);
        for (int i = 0; i < undone; ++i)
            history.redo();
        QCOMPARE(shown(tree), final);
        int redone = 0;
        for (; history.redo(); ++redone) {
        }
        QCOMPARE(undone, undoSteps);
        QCOMPARE(redone, redoSteps);
        QCOMPARE(wasModified, modified);
        QCOMPARE(expansions.count(), expanded); // a restore raises no expansion
    }
};

QTEST_GUILESS_MAIN(tst_TreeHistory)
#include "tst_TreeHistory.moc"
