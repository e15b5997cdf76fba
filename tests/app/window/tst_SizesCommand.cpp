// "Tailles" in the real window: the walk runs beside the window with a line
// telling how far it got and a button to stop it; the rows then show the
// totals, in the interface's language, and a saved tree shows them again
// without its disc.
#include "app/MainWindowFixture.h"
#include "core/tree/ScanDoubles.h"
#include "lang/InterfaceLanguage.h"
#include "tree/NodeTreeView.h"
#include "window/SizesCommand.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

class tst_SizesCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tailles()
    {
        QTemporaryDir dir;
        const QString disc = dir.filePath("disc");
        QVERIFY(makeEntries(disc, {"a/b/", " 50%|x\r/"}));
        QVERIFY(writeFile(disc + "/a/x", QByteArray(1200, 'x')) &&
                writeFile(disc + "/a/b/y", QByteArray(2000, 'y')));
        kvx::test::MainWindowFixture w;
        w.window.Form_Load();
        w.dialogs.folders = {disc};
        w.control<QPushButton>("cmdStartPoint")->click();
        QAction& tailles = *w.control<QAction>("mnuTailles");
        QVERIFY(w.window.mnuMore()->actions().contains(&tailles));
        auto* progress = w.control<QLabel>("lblSizes");
        auto* stop = w.control<QPushButton>("cmdSizesStop");
        kvx::SizesCommand& sizes = w.window.sizesCommand();
        const auto rows = [&w] { // the root's and its children's
            const auto suffix = w.window.TV()->rowAppearance().suffix;
            const kvx::Node* root = w.window.tree().nodeAt(1);
            QStringList shown{"root" + suffix(*root)};
            for (const kvx::Node* node : root->children())
                shown << node->text() + suffix(*node);
            return shown.join('|');
        };

        QSignalSpy walked(&sizes, &kvx::SizesCommand::walkEnded);
        tailles.trigger();
        QVERIFY(progress->isVisible() && stop->isVisible() && sizes.walking());
        QCOMPARE(progress->text(), "Tailles : 0 dossiers, 0 fichiers lus ...");
        stop->click();
        QVERIFY(walked.wait());
        QVERIFY(!tailles.isChecked() && !progress->isVisible() && !stop->isVisible());
        QCOMPARE(rows(), "root| 50%|x\r|a");

        tailles.trigger();
        QVERIFY(walked.wait());
        QVERIFY(tailles.isChecked());
        QCOMPARE(rows(), "root (2 fichiers, 3,2 ko)| 50%|x\r (vide)|a (2 fichiers, 3,2 ko)");
        w.window.language().apply(KVX_TEST_PROGRAM_DIR "/English.lng");
        QCOMPARE(rows(), "root (2 files, 3.2 kB)| 50%|x\r (empty)|a (2 files, 3.2 kB)");

        const QString doc = dir.filePath("tree.kvx");
        w.dialogs.savePaths = {doc, dir.filePath("none.kvx")};
        w.control<QAction>("mnuSave")->trigger();
        const auto saved = w.window.workspace().totals.all();
        QCOMPARE(saved.size(), 4);
        QVERIFY(QDir(disc).removeRecursively());
        w.dialogs.folders = {dir.path()};
        w.control<QPushButton>("cmdStartPoint")->click(); // a new tree: no totals
        QVERIFY(!tailles.isChecked());
        w.dialogs.openPaths = {doc};
        w.dialogs.messageAnswers = {kvx::MessageResult::No}; // not saved, that new tree
        w.control<QAction>("mnuLoad")->trigger();
        QVERIFY(tailles.isChecked());
        QCOMPARE(rows(), "root (2 files, 3.2 kB)| 50%|x\r (empty)|a (2 files, 3.2 kB)");
        QCOMPARE(w.window.workspace().totals.all(), saved);
        tailles.trigger();
        QCOMPARE(rows(), "root| 50%|x\r|a");
        w.control<QAction>("mnuSave")->trigger(); // as it always was, without totals
        QVERIFY(!readFile(dir.filePath("none.kvx")).contains("[Sizes]"));
    }
};

QTEST_MAIN(tst_SizesCommand)
#include "tst_SizesCommand.moc"
