#include "history/TreeHistory.h"
#include "tree/NodeTree.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvx;

namespace {

// Every record of every node in collection order, with its place, and the selection.
QString dump(const NodeTree& tree)
{
    QStringList rows;
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* n = tree.nodeAt(i);
        rows << QStringLiteral("%1#%2 %3|%4|%5 %6,%7,%8 %9:%10 %11%12%13%14 in %15 at %16")
                    .arg(i)
                    .arg(n->id())
                    .arg(n->key(), n->text(), n->tag())
                    .arg(n->image().number())
                    .arg(n->selectedImage().key())
                    .arg(n->expandedImage().number())
                    .arg(n->foreColor())
                    .arg(n->backColor())
                    .arg(n->bold())
                    .arg(n->checked())
                    .arg(n->expanded())
                    .arg(n->sorted())
                    .arg(n->parent() ? n->parent()->index() : 0)
                    .arg(n->row());
    }
    const Node* selected = tree.selectedItem();
    return rows.join('\n') + "\nselected " + (selected ? selected->key() : QString());
}

} // namespace

class tst_TreeHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Sorted children, a gap left by removed leaves, every member set: the
    // restore gives back the same records at the same places, under the same
    // ids, and a node made afterwards still gets a new id.
    void restoreGivesBackEveryRecord()
    {
        NodeTree tree;
        Node* root = tree.addRoot("/r/", "r", image::OpenFolder);
        for (const char* name : {"z", "b", "m", "a", "q"})
            tree.addChild(root, QString("/r/%1/").arg(name), name, image::ClosedFolder);
        tree.setSorted(root, true);
        Node* b = tree.findByKey("/r/b/");
        tree.addChild(b, QString(), "f.zip", image::BlankPage);
        tree.remove(tree.findByKey("/r/m/"));
        tree.remove(tree.findByKey("/r/a/"));
        tree.setTag(b, "1E");
        tree.setExpandedImage(b, image::OpenFolderBw);
        tree.setBold(b, true);
        tree.setForeColor(b, Colour(0x123456));
        tree.setBackColor(b, Colour(0xABCDEF));
        tree.setChecked(b, true);
        tree.setExpanded(b, true);
        tree.setSelectedItem(b);
        tree.addRoot("/s/", "s");
        tree.setRootsSorted(true);
        const QString before = dump(tree);
        const TreeSnapshot shot = tree.snapshot();
        const NodeId bId = b->id();

        tree.remove(root);
        const NodeId lastId = tree.addRoot("/t/", "t")->id();
        QSignalSpy expansions(&tree, &NodeTree::expand);
        tree.restore(shot);
        QCOMPARE(dump(tree), before);
        QCOMPARE(expansions.count(), 0);
        QCOMPARE(tree.find(bId)->key(), QString("/r/b/"));
        QVERIFY(tree.addRoot("/a/", "a")->id() > lastId);
        QCOMPARE(tree.roots().front()->text(), QString("a")); // still sorted
    }

    // e: an edit that changes the tree, n: one that does not, x: a change
    // outside any edit, E: an edit holding another, C: a history cleared
    // during an edit, u: undo, r: redo, s: saved, c: cleared.
    void stepsAndSavedState_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("undoSteps");
        QTest::addColumn<int>("redoSteps");
        QTest::addColumn<bool>("modified");
        QTest::newRow("nothing") << "" << 0 << 0 << false;
        QTest::newRow("edits") << "ee" << 2 << 0 << true;
        QTest::newRow("no change, no step") << "n" << 0 << 0 << false;
        QTest::newRow("nested edits, one step") << "E" << 1 << 0 << true;
        QTest::newRow("cleared during an edit") << "C" << 0 << 0 << true;
        QTest::newRow("saved") << "ees" << 2 << 0 << false;
        QTest::newRow("undone to the saved tree") << "eseu" << 1 << 1 << false;
        QTest::newRow("undone past the saved tree") << "eseuu" << 0 << 2 << true;
        QTest::newRow("redone to the saved tree") << "esuur" << 1 << 0 << false;
        QTest::newRow("redone back") << "eseuur" << 1 << 1 << false;
        QTest::newRow("an edit drops the redo steps") << "eeue" << 2 << 0 << true;
        QTest::newRow("change outside an edit") << "esx" << 1 << 0 << true;
        QTest::newRow("nothing to undo or redo") << "urr" << 0 << 0 << false;
        QTest::newRow("cleared") << "eeuc" << 0 << 0 << true;
        QTest::newRow("cleared and saved") << "eecs" << 0 << 0 << false;
    }
    void stepsAndSavedState()
    {
        QFETCH(QString, actions);
        QFETCH(int, undoSteps);
        QFETCH(int, redoSteps);
        QFETCH(bool, modified);
        NodeTree tree;
        TreeHistory history(tree);
        tree.addRoot("/r/", "r");
        history.markSaved();
        const auto change = [&] { tree.addChild(tree.nodeAt(1), QString(), "f"); };
        for (const QChar action : actions) {
            switch (action.toLatin1()) {
            case 'e': {
                const TreeHistory::Edit edit(history);
                change();
            } break;
            case 'n': {
                const TreeHistory::Edit edit(history);
                tree.setBold(tree.nodeAt(1), tree.nodeAt(1)->bold());
            } break;
            case 'E': {
                const TreeHistory::Edit outer(history);
                change();
                QVERIFY(!history.canUndo()); // no undo in the middle of an edit
                const TreeHistory::Edit inner(history);
                change();
            } break;
            case 'C': {
                const TreeHistory::Edit edit(history);
                change();
                history.clear();
            } break;
            case 'x':
                tree.setExpanded(tree.nodeAt(1), !tree.nodeAt(1)->expanded());
                break;
            case 'u':
                history.undo();
                break;
            case 'r':
                history.redo();
                break;
            case 's':
                history.markSaved();
                break;
            case 'c':
                history.clear();
                break;
            }
        }
        int redone = 0;
        while (history.redo())
            ++redone;
        for (int i = 0; i < redone; ++i)
            history.undo();
        QCOMPARE(int(history.undoCount()), undoSteps);
        QCOMPARE(redone, redoSteps);
        QCOMPARE(history.isModified(), modified);
    }

    // Past the limit of steps, the oldest go.
    void oldestStepsGo()
    {
        NodeTree tree;
        TreeHistory history(tree);
        tree.addRoot("/r/", "r");
        for (size_t i = 0; i < TreeHistory::MaxSteps + 3; ++i) {
            const TreeHistory::Edit edit(history);
            tree.addChild(tree.nodeAt(1), QString(), QString::number(i));
        }
        QCOMPARE(history.undoCount(), TreeHistory::MaxSteps);
        while (history.undo()) {
        }
        QCOMPARE(tree.count(), 4);
    }
};

QTEST_GUILESS_MAIN(tst_TreeHistory)
#include "tst_TreeHistory.moc"
