#include "app/MainWindowFixture.h"
#include "app/print/JacketTestTree.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueCommands.h"
#include "catalogue/CatalogueWindow.h"
#include "cli/RowListing.h"
#include "core/tree/ScanDoubles.h"
#include "history/TreeHistory.h"
#include "lang/MessageTexts.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace kvx;

namespace {

const MessageTexts kTexts;

// The real window beside a disc, with a catalogue of its own.
struct Window : test::MainWindowFixture
{
    QTemporaryDir dir;
    QString disc = dir.filePath("Disque bleu");
    QString catalogue = dir.filePath("catalogue.sqlite");

    Window()
    {
        QVERIFY(makeEntries(disc, {"Musique/Café Noir.mp3", "Musique/Jazz/Été.flac", "Photos/2020/",
                                   "Photos/Plage.jpg", ".cache/secret.txt", "notes.txt",
                                   "Documents/Été 2020/rapport.doc"}));
        window.Form_Load();
        window.catalogueCommands().setCataloguePath(catalogue);
    }
    // Ctrl and a key in the main window.
    void key(Qt::Key key)
    {
        window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&window));
        QTest::keyClick(&window, key, Qt::ControlModifier);
    }
    void click(const QString& name) { QTest::mouseClick(control<QWidget>(name), Qt::LeftButton); }
    void start(const QString& folder)
    {
        dialogs.folders.push_back(folder);
        click("cmdStartPoint");
    }
    // A click on "Plus ...", then on the item of its menu.
    void more(const QString& item)
    {
        click("cmdMore");
        QMenu* menu = window.mnuMore();
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(control<QAction>(item)).center());
    }
    QString rows()
    {
        QString text;
        QTextStream out(&text);
        writeRows(window.tree(), out);
        out.flush();
        const Node* selected = window.tree().selectedItem();
        return text + "selected " + (selected ? selected->key() : QString());
    }
    CatalogueWindow* catalogueWindow()
    {
        key(Qt::Key_K);
        CatalogueWindow* found = window.catalogueCommands().catalogueWindow();
        return found && found->isVisible() ? found : nullptr;
    }
    // The hits of a text typed anew, "group: path" each.
    QStringList find(CatalogueWindow* at, const QString& text)
    {
        auto* field = at->findChild<QLineEdit*>("txtSearch");
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QSignalSpy searched(at, &CatalogueWindow::searched);
        QTest::keyClicks(field, text);
        if (!searched.wait())
            return {"(no search)"};
        QStringList hits;
        for (int g = 0; g < at->hits()->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = at->hits()->topLevelItem(g);
            for (int i = 0; i < group->childCount(); ++i)
                hits << group->text(0) + ": " + group->child(i)->text(0);
        }
        return hits;
    }
    QStringList said(const QString& kind = "MsgBox")
    {
        QStringList texts;
        for (const auto& call : dialogs.callsOf(kind))
            texts << call.args.front();
        dialogs.calls.clear();
        return texts;
    }
    std::vector<DiscRecord> discs()
    {
        QString error;
        return *Catalogue::open(catalogue, Catalogue::Use::Read, &error)->discs();
    }
};

} // namespace

class tst_CatalogueWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The tree's disc catalogued, then found through the catalogue window as
    // the user types, noted and removed there.
    void catalogueThenFind()
    {
        Window w;
        w.start(w.disc);
        w.dialogs.inputs = {std::nullopt, QString("Bleu 1"), QString("boîte bleue")};
        w.more("mnuCatalogueDisc"); // the name asked, then cancelled
        w.more("mnuCatalogueDisc");
        QCOMPARE(w.said("InputBox"), QStringList({kTexts.text(Msg::DiscNamePrompt).arg(w.disc),
                                                  kTexts.text(Msg::DiscNamePrompt).arg(w.disc),
                                                  kTexts.text(Msg::DiscNotePrompt)}));
        QCOMPARE(w.discs().size(), size_t(1));
        QCOMPARE(w.window.workspace().cover.discId, "KVX-0001");
        CatalogueWindow* at = w.catalogueWindow();
        QVERIFY(at);
        const QString group = QString::fromUtf8("KVX-0001  Bleu 1  —  boîte bleue");
        const QList<std::pair<QString, QStringList>> typed{
            {"ete", {"/Documents/Été 2020/", "/Musique/Jazz/Été.flac"}},
            {"CAFÉ", {"/Musique/Café Noir.mp3"}},
            {"pl", {"/Photos/Plage.jpg"}},
            {"secret", {"/.cache/secret.txt"}},
            {"zzz", {}},
        };
        for (const auto& [text, paths] : typed) {
            QStringList expected;
            for (const QString& path : paths)
                expected << group + ": " + path;
            QCOMPARE(w.find(at, text), expected);
        }
        QCOMPARE(at->findChild<QLabel*>("lblStatus")->text(), kTexts.text(Msg::NoHits));

        // The note changed, then the disc removed after a question: "no" keeps it.
        QTreeWidget* list = at->discs();
        QCOMPARE(list->topLevelItem(0)->text(2), "boîte bleue");
        w.dialogs.inputs = {QString("étagère 2")};
        w.click("cmdNote");
        QCOMPARE(list->topLevelItem(0)->text(2), "étagère 2");
        list->setFocus();
        w.dialogs.messageAnswers = {MessageResult::No, MessageResult::Yes};
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(list->topLevelItemCount(), 1);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(w.discs().empty());
    }

    void catalogueAgain_data()
    {
        QTest::addColumn<QString>("how"); // "cancel" the reading, or the answer to "replace?"
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("cancelled") << "cancel" << QStringList();
        QTest::newRow("replaced") << "yes" << QStringList{"deux"};
        QTest::newRow("kept") << "no" << QStringList{"un"};
    }
    void catalogueAgain()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, notes);
        Window w;
        w.start(w.disc);
        w.dialogs.inputs = {QString("Bleu"), QString("un"), QString("Bleu"), QString("deux")};
        if (how == "cancel") {
            w.dialogs.inputs.pop_front();
            w.dialogs.inputs.pop_front();
            // Cancel pressed as soon as the reading shows its first counts.
            connect(
                &w.window.catalogueCommands(), &CatalogueCommands::cataloguingProgressed, this, [] {
                    auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
                });
        } else {
            w.more("mnuCatalogueDisc");
            w.dialogs.messageAnswers = {how == "yes" ? MessageResult::Yes : MessageResult::No};
        }
        w.more("mnuCatalogueDisc");
        QStringList found;
        for (const DiscRecord& disc : w.discs())
            found << disc.note;
        QCOMPARE(found, notes);
        QCOMPARE(w.said().size(), how == "cancel" ? 0 : 2 + (how == "yes"));
    }

    void openHit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hit");
        QTest::addColumn<QString>("folder"); // opened and selected
        QTest::addColumn<bool>("enter");     // Enter, or a double click
        QTest::newRow("file, Enter") << "flac" << 0 << "Musique/Jazz" << true;
        QTest::newRow("folder, double click") << "2020" << 1 << "Documents/Été 2020" << false;
        QTest::newRow("top file") << "notes" << 0 << "" << true;
    }
    void openHit()
    {
        QFETCH(QString, text);
        QFETCH(int, hit);
        QFETCH(QString, folder);
        QFETCH(bool, enter);
        Window w;
        w.start(w.disc);
        w.dialogs.inputs = {QString("Bleu"), QString()};
        w.more("mnuCatalogueDisc");
        // The disc scanned and opened by hand to the folder, with all its files.
        QString key = w.disc + "/";
        for (const QString& name : folder.split('/', Qt::SkipEmptyParts)) {
            key += name + "/";
            w.window.TV()->expand(w.window.treeModel().indexOf(w.window.tree().findByKey(key)));
        }
        w.window.tree().setSelectedItem(w.window.tree().findByKey(key));
        const QString scanned = w.rows();
        w.said();
        w.key(Qt::Key_B); // an unsaved change
        // The disc is gone: the tree comes from the catalogue.
        QVERIFY(QDir().rename(w.disc, w.dir.filePath("away")));

        CatalogueWindow* at = w.catalogueWindow();
        w.find(at, text);
        QTreeWidget* hits = at->hits();
        QTreeWidgetItem* item = hits->topLevelItem(0)->child(hit);
        at->hits()->setCurrentItem(item);
        QVERIFY(QTest::qWaitForWindowExposed(at));
        w.dialogs.messageAnswers = {MessageResult::No}; // discard the change
        if (enter)
            QTest::keyClick(at->hits(), Qt::Key_Return);
        else {
            const QPoint at = hits->visualItemRect(item).center();
            QTest::mouseClick(hits->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(hits->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(w.said(), QStringList{kTexts.text(Msg::UnsavedChanges)});
        QCOMPARE(w.rows(), scanned);
        QCOMPARE(w.control<QLineEdit>("txtStartPath")->text(), w.disc);

        // Like any tree: files added, saved, printed.
        w.click("chkFile(0)");
        w.click("cmdExe");
        QVERIFY(w.rows().contains("notes.txt"));
        w.dialogs.savePaths = {w.dir.filePath("bleu.kvx"), w.dir.filePath("bleu.pdf")};
        w.key(Qt::Key_S);
        QVERIFY(!w.window.workspace().history().isModified());
        QVERIFY(readFile(w.dir.filePath("bleu.kvx")).contains("\r\nIdentifier=KVX-0001\r\n"));
        w.click("cmdPrint");
        QCOMPARE(w.said(),
                 QStringList{kTexts.text(Msg::JacketSaved).arg(w.dir.filePath("bleu.pdf"))});
        QVERIFY(test::output("pdftotext", {w.dir.filePath("bleu.pdf"), "-"}).contains("notes.txt"));
    }

    void openImage_data()
    {
        QTest::addColumn<bool>("image");
        QTest::newRow("ISO image") << true;
        QTest::newRow("not an image") << false;
    }
    void openImage()
    {
        QFETCH(bool, image);
        Window w;
        w.start(w.disc);
        const QString scanned = w.rows().section("selected", 0, 0);
        const QString file = w.dir.filePath(image ? "bleu.iso" : "notes.txt");
        if (image)
            QCOMPARE(QProcess::execute(
                         "xorriso", {"-as", "mkisofs", "-R", "-J", "-quiet", "-o", file, w.disc}),
                     0);
        else
            QVERIFY(writeFile(file, "texte"));
        w.dialogs.openPaths = {file};
        w.dialogs.messageAnswers = {MessageResult::No}; // the new tree not saved
        w.more("mnuOpenImage");
        QCOMPARE(w.said("ShowOpen").front(), kTexts.text(Msg::ImageFilter) + "|*.iso");
        QString expected = scanned;
        if (image)
            expected.replace(w.disc, file);
        QCOMPARE(w.rows().section("selected", 0, 0), expected);
        QCOMPARE(w.control<QLineEdit>("txtStartPath")->text(), image ? file : w.disc);
    }
};

QTEST_MAIN(tst_CatalogueWindow)
#include "tst_CatalogueWindow.moc"
