#include "app/MainWindowFixture.h"
#include "core/tree/ScanDoubles.h"
#include "tree/FolderLister.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

// The real main window after start-up, with the category controls at hand.
struct Window : kvx::test::MainWindowFixture
{
    Window() { window.Form_Load(); }

    QCheckBox* box(int i) const
    {
        return window.control<QCheckBox>(QStringLiteral("chkFile(%1)").arg(i));
    }
    QGroupBox* frame() const { return window.control<QGroupBox>(QStringLiteral("frmPattern")); }
    QPushButton* button(const char* name) const
    {
        return window.control<QPushButton>(QString::fromLatin1(name));
    }

    // On the box's indicator, where a click always lands on the box.
    void click(int i, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(box(i), button, {}, QPoint(6, box(i)->height() / 2));
    }
    void press(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // The Tag of frmPattern, after checking that both tool tips show it too.
    QString activePattern() const
    {
        const QString tag = frame()->property("Tag").toString();
        if (tag != frame()->toolTip() || tag != button("cmdExe")->toolTip())
            return QStringLiteral("(shown patterns disagree)");
        return tag;
    }

    // A real click on a node's row in the tree view.
    void select(const Node* node)
    {
        const QModelIndex index = window.treeModel().indexOf(node);
        window.TV()->scrollTo(index);
        QTest::mouseClick(window.TV()->viewport(), Qt::LeftButton, {},
                          window.TV()->visualRect(index).center());
    }

    void addFilesToSelection() { window.control<QAction>(QStringLiteral("mnuAddFile"))->trigger(); }
};

// "text:image key:tag" of a node's file children, in order.
QStringList filesUnder(const Node* node)
{
    QStringList files;
    for (const Node* child : node->children()) {
        if (child->isFile())
            files << child->text() + ":" + child->image().key() + ":" + child->tag();
    }
    return files;
}

QStringList fileNames(const Node* node)
{
    QStringList names;
    for (const Node* child : node->children()) {
        if (child->isFile())
            names << child->text();
    }
    return names;
}

} // namespace

class TestCategoryCommands : public QObject
{
    Q_OBJECT

private:
    // A disc with files of several categories, a folder whose name looks like
    // an archive, an empty folder and a hidden file.
    QTemporaryDir m_disc;

    const Node* folder(Window& w, const QString& relative) const
    {
        const QString path = relative.isEmpty() ? m_disc.path() : m_disc.filePath(relative);
        return w.window.tree().findByKey(folderKey(QDir::cleanPath(path)));
    }

    // Builds the tree with the start command, the folder dialog answering the disc.
    void startOnDisc(Window& w) const
    {
        w.dialogs.folders.push_back(m_disc.path());
        w.press("cmdStartPoint");
        QVERIFY(folder(w, {}));
        QVERIFY(folder(w, QStringLiteral("Films/Action"))); // built one level ahead
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_disc.isValid());
        QVERIFY(
            makeFolders(m_disc.path(), {QStringLiteral("Films/Action"), QStringLiteral("Disques"),
                                        QStringLiteral("Old.zip"), QStringLiteral("Vide")}));
        for (const char* name :
             {"a.zip", "b.avi", ".hidden.zip", "main.c", "Films/c.ZIP", "Films/d.avi",
              "Films/e.mkv", "Films/Action/f.rar", "Films/Action/g.7z", "Disques/h.cab",
              "Disques/noext", "Disques/trailing.", "Disques/été l'x.zip", "Disques/A.B.Rar"})
            QVERIFY(makeFile(m_disc.filePath(QString::fromUtf8(name))));
    }

    void boxesAsTheWindowShowsThem_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("defaultPattern");
        QTest::addColumn<QRect>("twips");
        const auto row = [](int i, const char* caption, const char* pattern, const char* tag,
                            QRect twips) {
            QTest::addRow("%d %s", i, caption) << i << caption << pattern << tag << twips;
        };
        row(0, "Ajouter tous les fichiers", "", "*.*", {120, 120, 2715, 225});
        row(1, "prog", "*.exe;*.com", "", {120, 345, 1335, 225});
        row(2, "txt doc xls", "*.doc;*.xls;*.txt;*.pdf", "", {120, 570, 1335, 225});
        row(3, "html", "*.htm;*.html;*.chm", "", {120, 795, 1335, 225});
        row(4, "images", "*.gif;*.jpg;*.bmp;*.tiff;*.png", "", {120, 1020, 1335, 225});
        row(5, "sons", "*.wav;*.mp3;*.mid", "", {1560, 345, 1335, 225});
        row(6, "Videos", "*.avi;*.mpg;*.divx", "", {1560, 570, 1335, 225});
        row(7, "Archives", "*.zip;*.ace;*.rar;*.cab", "", {1560, 795, 1335, 225});
        row(8, "autres", "*.nfo", "", {1560, 1020, 1335, 225});
    }
    void boxesAsTheWindowShowsThem()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, pattern);
        QFETCH(QString, defaultPattern);
        QFETCH(QRect, twips);
        Window w;
        QCheckBox* box = w.box(index);
        QVERIFY(box);
        QCOMPARE(box->parentWidget(), w.frame());
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->toolTip(), pattern);
        QCOMPARE(box->property("Tag").toString(), defaultPattern);
        QCOMPARE(box->geometry(), TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        QVERIFY(box->isVisible() && box->isEnabled() && !box->isChecked());
        QCOMPARE(w.frame()->title(), QString());
        QCOMPARE(w.activePattern(), QString());
    }

    // Readable as drawn: every caption fits its box, the boxes lie inside the
    // frame's border and none covers another; in French and in English.
    void boxesFitTheFrame_data()
    {
        QTest::addColumn<QString>("language"); // empty: the built-in texts
        QTest::newRow("built-in") << QString();
        QTest::newRow("English") << QStringLiteral("English");
    }
    void boxesFitTheFrame()
    {
        QFETCH(QString, language);
        Window w;
        if (!language.isEmpty()) {
            bool applied = false;
            for (QAction* item : w.window.MNlangue()->actions()) {
                if (item->text().startsWith(language)) {
                    item->trigger();
                    applied = true;
                }
            }
            QVERIFY(applied);
            QCOMPARE(w.box(1)->text(), QStringLiteral("programs"));
        }
        const QRect inside = w.frame()->contentsRect().adjusted(1, 1, -1, -1);
        for (int i = 0; i <= 8; ++i) {
            const QCheckBox* box = w.box(i);
            QVERIFY2(inside.contains(box->geometry()), qPrintable(box->text()));
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
            QVERIFY2(box->fontMetrics().height() <= box->height(), qPrintable(box->text()));
            for (int j = i + 1; j <= 8; ++j)
                QVERIFY(!box->geometry().intersects(w.box(j)->geometry()));
        }
        // Box 0 on top; 1 to 4 down the left column, 5 to 8 down the right one.
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(w.box(i)->y() > w.box(i - 1)->y() || i == 1);
            QVERIFY(w.box(i)->y() > w.box(0)->geometry().bottom());
            QCOMPARE(w.box(i)->x(), w.box(0)->x());
            QCOMPARE(w.box(i + 4)->y(), w.box(i)->y());
            QVERIFY(w.box(i + 4)->x() > w.box(i)->geometry().right());
        }
    }

    // The active pattern depends on the checked boxes only, not on the order
    // in which they were clicked.
    void clicksBuildTheActivePattern_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("Archives then Videos")
            << QList<int>{7, 6} << ";*.avi;*.mpg;*.divx;*.zip;*.ace;*.rar;*.cab";
        QTest::newRow("checked and unchecked")
            << QList<int>{3, 4, 3} << ";*.gif;*.jpg;*.bmp;*.tiff;*.png";
        // Box 0 locks the others: a click on a locked box does nothing.
        QTest::newRow("a box, then all files") << QList<int>{3, 0} << "*.*";
        QTest::newRow("all files, then a box") << QList<int>{0, 3} << "*.*";
    }
    void clicksBuildTheActivePattern()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, pattern);
        for (const bool reversed : {false, true}) {
            Window w;
            QList<int> order = clicks;
            if (reversed && !order.contains(0))
                std::reverse(order.begin(), order.end());
            for (const int i : order)
                w.click(i);
            QCOMPARE(w.activePattern(), pattern);
        }
    }

    void allFilesChecksAndLocksTheOthers()
    {
        Window w;
        w.click(2);
        w.click(0);
        QCOMPARE(w.activePattern(), QStringLiteral("*.*"));
        for (int i = 1; i <= 8; ++i)
            QVERIFY(w.box(i)->isChecked() && !w.box(i)->isEnabled());
        w.click(5); // locked
        QVERIFY(w.box(5)->isChecked());
        QCOMPARE(w.activePattern(), QStringLiteral("*.*"));

        w.click(0);
        QCOMPARE(w.activePattern(), QString());
        for (int i = 0; i <= 8; ++i)
            QVERIFY(!w.box(i)->isChecked() && w.box(i)->isEnabled());
    }

    void rightClickEditsThePattern_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("answer") << 7 << std::optional<QString>("*.7z;*.zip") << "*.7z;*.zip";
        QTest::newRow("emptied") << 7 << std::optional<QString>(QString()) << "";
        QTest::newRow("cancelled") << 7 << std::optional<QString>() << "";
        QTest::newRow("all files, answer") << 0 << std::optional<QString>("*.txt") << "*.txt";
        QTest::newRow("all files, emptied") << 0 << std::optional<QString>(QString()) << "*.*";
        QTest::newRow("all files, cancelled") << 0 << std::optional<QString>() << "*.*";
    }
    void rightClickEditsThePattern()
    {
        QFETCH(int, index);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, pattern);
        Window w;
        w.click(1);
        const QString before = w.activePattern();
        const QString shown = w.box(index)->toolTip();

        w.dialogs.inputs.push_back(answer);
        w.click(index, Qt::RightButton);
        const auto asked = w.dialogs.callsOf(QStringLiteral("InputBox"));
        QCOMPARE(asked.size(), size_t(1));
        QCOMPARE(asked[0].args,
                 (QStringList{"Fichiers \"" + w.box(index)->text() + "\"", shown, shown}));
        QCOMPARE(w.box(index)->toolTip(), pattern);
        QVERIFY(!w.box(index)->isChecked()); // a right click checks nothing
        QCOMPARE(w.box(index)->property("Tag").toString(), index == 0 ? "*.*" : "");
        QCOMPARE(w.activePattern(), before); // until the next click on a box
    }

    void editedAndTranslatedPatternsTakeEffectAtTheNextClick()
    {
        Window w;
        w.click(7);
        w.dialogs.inputs.push_back(QStringLiteral("*.rar"));
        w.click(7, Qt::RightButton);
        QCOMPARE(w.activePattern(), QStringLiteral(";*.zip;*.ace;*.rar;*.cab"));
        // A language file may replace a caption and a pattern.
        w.box(8)->setText(QStringLiteral("others"));
        w.box(8)->setToolTip(QStringLiteral("*.avi"));
        w.click(8);
        QCOMPARE(w.activePattern(), QStringLiteral(";*.rar;*.avi"));
        w.click(8, Qt::RightButton);
        QCOMPARE(w.dialogs.calls.back().args.at(0), QStringLiteral("Fichiers \"others\""));
    }

    void lockedBoxAsksNothing()
    {
        Window w;
        w.click(0);
        w.click(7, Qt::RightButton);
        QVERIFY(w.dialogs.callsOf(QStringLiteral("InputBox")).empty());
        QCOMPARE(w.box(7)->toolTip(), QStringLiteral("*.zip;*.ace;*.rar;*.cab"));
    }

    void addFilesUnderEveryFolder()
    {
        Window w;
        startOnDisc(w);
        w.click(7);
        w.press("cmdExe");
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(filesUnder(folder(w, {})), QStringList{"a.zip:zip:ZIP"});
        QCOMPARE(filesUnder(folder(w, "Films")), QStringList{"c.ZIP:zip:ZIP"});
        QCOMPARE(filesUnder(folder(w, "Films/Action")), QStringList{"f.rar:rar:RAR"});
        QCOMPARE(filesUnder(folder(w, "Disques")),
                 (QStringList{"A.B.Rar:rar:RAR", "h.cab:cab:CAB", "été l'x.zip:zip:ZIP"}));
        QVERIFY(filesUnder(folder(w, "Old.zip")).isEmpty());
        QVERIFY(filesUnder(folder(w, "Vide")).isEmpty());

        // Pressing again adds nothing twice; another category adds its own files.
        const int count = w.window.tree().count();
        w.press("cmdExe");
        QCOMPARE(w.window.tree().count(), count);
        w.click(6);
        w.press("cmdExe");
        QCOMPARE(fileNames(folder(w, {})), (QStringList{"a.zip", "b.avi"}));
        QCOMPARE(fileNames(folder(w, "Films")), (QStringList{"c.ZIP", "d.avi"}));
        QCOMPARE(w.window.tree().count(), count + 2);

        // All files: extensions without an icon show the plain file picture.
        w.click(0);
        w.press("cmdExe");
        // Already listed files stay where they are; the new ones come last.
        QCOMPARE(filesUnder(folder(w, "Disques")),
                 (QStringList{"A.B.Rar:rar:RAR", "h.cab:cab:CAB", "été l'x.zip:zip:ZIP",
                              "noext:fil:NOEXT", "trailing.:fil:"}));
        QCOMPARE(filesUnder(folder(w, "Films/Action")),
                 (QStringList{"f.rar:rar:RAR", "g.7z:7z:7Z"}));
        QVERIFY(!fileNames(folder(w, {})).contains(".hidden.zip"));
    }

    void removeExactlyTheMatchingFiles()
    {
        Window w;
        startOnDisc(w);
        w.click(0);
        w.press("cmdExe");
        const int folders = 6;
        QCOMPARE(w.window.tree().count(), folders + 13); // the hidden file left out
        w.click(0);
        w.click(7);
        w.press("Command1");
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // Files tagged C or AB are not archives; folders stay whatever their name.
        QCOMPARE(fileNames(folder(w, {})), (QStringList{"b.avi", "main.c"}));
        QCOMPARE(fileNames(folder(w, "Films")), (QStringList{"d.avi", "e.mkv"}));
        QCOMPARE(fileNames(folder(w, "Films/Action")), QStringList{"g.7z"});
        QCOMPARE(fileNames(folder(w, "Disques")), (QStringList{"noext", "trailing."}));
        QVERIFY(folder(w, "Old.zip"));
        QCOMPARE(w.window.tree().count(), folders + 7);

        // With no box checked nothing matches, so nothing goes.
        w.click(7);
        w.press("Command1");
        QCOMPARE(w.window.tree().count(), folders + 7);
        w.click(0);
        w.press("Command1");
        QCOMPARE(w.window.tree().count(), folders);
    }

    void addFilesToTheSelectedNode()
    {
        Window w;
        startOnDisc(w);
        w.click(0);
        const int count = w.window.tree().count();
        w.window.tree().setSelectedItem(nullptr);
        w.addFilesToSelection();
        QCOMPARE(w.window.tree().count(), count);

        w.select(folder(w, "Films"));
        QCOMPARE(w.window.tree().selectedItem(), folder(w, "Films"));
        w.addFilesToSelection();
        QCOMPARE(fileNames(folder(w, "Films")), (QStringList{"c.ZIP", "d.avi", "e.mkv"}));
        QCOMPARE(w.window.tree().count(), count + 3);
        QVERIFY(fileNames(folder(w, {})).isEmpty());

        // On a file node: nothing.
        w.window.TV()->expand(w.window.treeModel().indexOf(folder(w, "Films")));
        w.select(folder(w, "Films")->childAt(1)); // after the Action folder
        QCOMPARE(w.window.tree().selectedItem()->text(), QStringLiteral("c.ZIP"));
        w.addFilesToSelection();
        QCOMPARE(w.window.tree().count(), count + 3);
    }
};

QTEST_MAIN(TestCategoryCommands)
#include "tst_CategoryCommands.moc"
