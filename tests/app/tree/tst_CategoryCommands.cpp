#include "app/MainWindowFixture.h"
#include "core/tree/ScanDoubles.h"
#include "tree/CategoryCommands.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

// The real main window after start-up, with the category controls at hand.
struct Window : kvx::test::MainWindowFixture
{
    Window() { window.Form_Load(); }

    QCheckBox* box(int i) const { return control<QCheckBox>(QStringLiteral("chkFile(%1)").arg(i)); }
    // On the box's indicator, where a click always lands on the box.
    void click(int i, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(box(i), button, {}, QPoint(6, box(i)->height() / 2));
    }
    void press(const char* name) const
    {
        QTest::mouseClick(control<QPushButton>(QString::fromLatin1(name)), Qt::LeftButton);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
    // The active pattern, which both tool tips must show.
    QString activePattern()
    {
        const QString pattern = window.categoryCommands().activePattern();
        const bool shown = control<QGroupBox>("frmPattern")->toolTip() == pattern &&
                           control<QPushButton>("cmdExe")->toolTip() == pattern;
        return shown ? pattern : QStringLiteral("(shown patterns disagree)");
    }
    // A real click on a node's row, then "add files" from the node menu.
    void addFilesTo(const Node* node)
    {
        const QModelIndex index = window.treeModel().indexOf(node);
        window.TV()->scrollTo(index);
        QTest::mouseClick(window.TV()->viewport(), Qt::LeftButton, {},
                          window.TV()->visualRect(index).center());
        QCOMPARE(window.tree().selectedItem(), node);
        control<QAction>(QStringLiteral("mnuAddFile"))->trigger();
    }
};

// "text|tag|image" of a node's file children, in order.
QStringList filesUnder(const Node* node)
{
    QStringList files;
    for (const Node* child : node->children()) {
        if (child->isFile())
            files << describe(child).section(QLatin1Char('|'), 0, 2);
    }
    return files;
}

} // namespace

class TestCategoryCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void categoriesThroughTheWindow()
    {
        QTemporaryDir disc;
        QVERIFY(makeEntries(disc.path(),
                            {"Old.zip/", "Vide/", "a.zip", "b.avi", ".hidden.zip", "main.c",
                             "Films/c.ZIP", "Films/d.avi", "Films/e.mkv", "Films/Action/f.rar",
                             "Disques/A.B.Rar", "Disques/noext", "Disques/été l'x.zip"}));
        Window w;
        const auto folder = [&](const QString& relative) {
            return w.window.tree().findByKey(
                folderKey(QDir::cleanPath(disc.path() + '/' + relative)));
        };
        w.dialogs.folders.push_back(disc.path());
        w.press("cmdStartPoint");
        QVERIFY(folder("Films/Action")); // built one level ahead

        // Archives under every folder, once however often the button is pressed.
        w.click(7);
        QCOMPARE(w.activePattern(), QStringLiteral(";*.zip;*.ace;*.rar;*.cab"));
        w.press("cmdExe");
        w.press("cmdExe");
        QCOMPARE(filesUnder(folder("")), QStringList{"a.zip|ZIP|zip"});
        QCOMPARE(filesUnder(folder("Films/Action")), QStringList{"f.rar|RAR|rar"});
        QCOMPARE(filesUnder(folder("Disques")),
                 (QStringList{"A.B.Rar|RAR|rar", "été l'x.zip|ZIP|zip"}));
        QVERIFY(filesUnder(folder("Old.zip")).isEmpty());

        // A right click edits a pattern (asked with the caption and the pattern) and checks
        // nothing; it takes effect at the next click. A cancel falls back to the default, empty
        // here.
        w.dialogs.inputs.push_back(QStringLiteral("*.mkv"));
        w.click(6, Qt::RightButton);
        QCOMPARE(w.dialogs.calls.back().args,
                 (QStringList{"Fichiers \"Videos\"", "*.avi;*.mpg;*.divx", "*.avi;*.mpg;*.divx"}));
        QVERIFY(!w.box(6)->isChecked());
        w.click(8, Qt::RightButton);
        QCOMPARE(w.box(8)->toolTip(), QString());
        w.click(6);
        QCOMPARE(w.activePattern(), QStringLiteral(";*.mkv;*.zip;*.ace;*.rar;*.cab"));

        // Under the selected folder only; on a file node nothing.
        w.addFilesTo(folder("Films"));
        QCOMPARE(filesUnder(folder("Films")), (QStringList{"c.ZIP|ZIP|zip", "e.mkv|MKV|mkv"}));
        QCOMPARE(filesUnder(folder("")), QStringList{"a.zip|ZIP|zip"});
        const int count = w.window.tree().count();
        w.window.TV()->expand(w.window.treeModel().indexOf(folder("Films")));
        w.addFilesTo(folder("Films")->childAt(1));
        QCOMPARE(w.window.tree().count(), count);

        // All files checks and locks the other boxes; the hidden file stays out.
        w.click(0);
        w.click(5);
        for (int i = 1; i <= 8; ++i)
            QVERIFY(w.box(i)->isChecked() && !w.box(i)->isEnabled());
        QCOMPARE(w.activePattern(), QStringLiteral("*.*"));
        w.press("cmdExe");
        QCOMPARE(w.window.tree().count(), 6 + 10);
        QCOMPARE(filesUnder(folder("Disques")),
                 (QStringList{"A.B.Rar|RAR|rar", "été l'x.zip|ZIP|zip", "noext|NOEXT|fil"}));

        // Removal takes exactly the files matching the pattern, not those whose tag
        // occurs in it (C, AB), nor folders; with no box checked it takes nothing.
        w.click(0);
        for (int i = 0; i <= 8; ++i)
            QVERIFY(!w.box(i)->isChecked() && w.box(i)->isEnabled());
        w.press("Command1");
        QCOMPARE(w.window.tree().count(), 6 + 10);
        w.click(7);
        w.press("Command1");
        QCOMPARE(filesUnder(folder("")), (QStringList{"b.avi|AVI|avi", "main.c|C|c"}));
        QCOMPARE(filesUnder(folder("Films")), (QStringList{"e.mkv|MKV|mkv", "d.avi|AVI|avi"}));
        QCOMPARE(filesUnder(folder("Disques")), QStringList{"noext|NOEXT|fil"});
        QCOMPARE(w.window.tree().count(), 6 + 5);
    }
};

QTEST_MAIN(TestCategoryCommands)
#include "tst_CategoryCommands.moc"
