// The window's open and save commands when they cannot do their work. A
// document saved and opened again is tst_commandline's (the real window
// beside the real program), its contents tst_TreeViewInFile's.
#include "app/MainWindowFixture.h"
#include "history/TreeHistory.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeWalks.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

class tst_TreeDocumentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Cancelled dialogs, a file that is no document and a save onto a folder
    // leave the tree, the view and the folder as they were; the last two say
    // so. The dialogs open in the program's folder, where it may write.
    void refusalsChangeNothing()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath("photo.kvx"), old = dir.filePath("old.kvx");
        QFile file(png);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x89PNG\r\n\x1a\n") == 8);
        file.close();
        QVERIFY(QDir(old).mkpath("inside"));
        test::MainWindowFixture w;
        w.window.Form_Load();
        w.window.tree().addRoot("/x/", "/x/", image::ClosedFolder);
        w.window.workspace().history().markSaved(); // as if opened: nothing to ask

        const int indentation = w.window.TV()->indentation();
        w.dialogs.openPaths = {QString(), png};
        w.dialogs.savePaths = {QString(), old};
        for (int i = 0; i < 2; ++i) {
            w.control<QAction>("mnuLoad")->trigger();
            w.control<QAction>("mnuSave")->trigger();
        }
        QCOMPARE(w.control<QLabel>("lblNbElements")->text(), "1");
        QCOMPARE(RowTexts(w.window.tree()), QStringList{"/x/"});
        QCOMPARE(w.window.TV()->indentation(), indentation);
        QVERIFY(QFileInfo(old + "/inside").isDir());
        QCOMPARE(w.dialogs.callsOf("ShowOpen").at(0).args,
                 QStringList({"*.KVX|*.kvx", "Ouvrir", KVX_TEST_PROGRAM_DIR}));
        QCOMPARE(w.dialogs.callsOf("ShowSave").at(0).args,
                 QStringList({"*.KVX|*.kvx", "Sauvegarder", KVX_TEST_PROGRAM_DIR}));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(2));
        QVERIFY(boxes[0].icon == MessageIcon::Exclamation && boxes[0].args.at(1) == "KVX" &&
                boxes[0].args.at(0).contains(png));
        QVERIFY(boxes[1].icon == MessageIcon::Critical && boxes[1].args.at(1) == "KVX" &&
                boxes[1].args.at(0).contains("(not a regular file but a folder)"));
    }
};

QTEST_MAIN(tst_TreeDocumentCommands)
#include "tst_TreeDocumentCommands.moc"
