#include "about/FRMabout.h"
#include "app/MainWindowFixture.h"
#include "app/support/RecordingLauncher.h"
#include "lang/LanguageMenu.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvx;

namespace {

// The main window over a temporary program folder; every language file there
// translates cmdPrint into its own name.
struct Window : test::MainWindowFixture
{
    RecordingLauncher launcher;

    Window(const QTemporaryDir& dir, const QStringList& files) : MainWindowFixture(dir.path())
    {
        QDir(dir.path()).mkdir(QStringLiteral("ico"));
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::WriteOnly))
                file.write("[frMain]\ncmdPrint.Caption=" + name.toUtf8() + '\n');
        }
        window.findChild<LanguageMenu*>()->setShellLauncher(&launcher);
        window.Form_Load();
    }
    QString print() const
    {
        return window.control<QAbstractButton>(QStringLiteral("cmdPrint"))->text();
    }
    void choose(int index)
    {
        window.control<QAction>(QStringLiteral("MNlangueChoice(%1)").arg(index))->trigger();
    }
};

} // namespace

class TestLanguageMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }
    void init() { m_dir.emplace(); }
    void menuFromTheProgramFolder_data();
    void menuFromTheProgramFolder();
    void itemFollowsItsCurrentCaption();
    void menuOpensBelowTheButton();
    void otherExplainsAndOpensTheTemplate();
    void aboutWindowIsModal();

private:
    std::optional<QTemporaryDir> m_dir;
};

void TestLanguageMenu::menuFromTheProgramFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("chosen");
    QTest::newRow("none") << QStringList{} << QStringList{"#"} << 0;
    QTest::newRow("sorted, hidden and others left out")
        << QStringList{"English.lng",  "Deutsch.lng",      ".Hidden.lng", "notes.txt",
                       "ITALIANO.LNG", "español & co.lng", "lng"}
        << QStringList{"Deutsch.lng", "English.lng", "español && co.lng", "ITALIANO.LNG"} << 2;
}

void TestLanguageMenu::menuFromTheProgramFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, items);
    QFETCH(int, chosen);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Folder.lng")));
    Window w(*m_dir, files);
    QStringList shown;
    for (const QAction* action : w.window.MNlangue()->actions()) {
        if (action->isSeparator())
            break;
        QCOMPARE(action->objectName(), QStringLiteral("MNlangueChoice(%1)").arg(shown.size()));
        shown.append(action->text());
    }
    QCOMPARE(shown, items);
    QCOMPARE(w.window.control<QListWidget>(QStringLiteral("FileLNG"))->count(),
             items.size() - files.isEmpty());
    // An item applies the file it shows, odd characters included; "#" does nothing.
    const QString before = w.print();
    w.choose(chosen);
    QCOMPARE(w.print(), files.isEmpty() ? before : QString(items[chosen]).replace("&&", "&"));
}

void TestLanguageMenu::itemFollowsItsCurrentCaption()
{
    Window w(*m_dir, {"A.lng", "B.lng", "C.lng"});
    QFile a(m_dir->filePath(QStringLiteral("A.lng")));
    QVERIFY(a.open(QIODevice::Append));
    a.write("MNlangueChoice(1).Caption=C.lng\n");
    a.close();
    w.choose(0);
    w.choose(1);
    QCOMPARE(w.print(), QStringLiteral("C.lng"));
}

void TestLanguageMenu::menuOpensBelowTheButton()
{
    Window w(*m_dir, {});
    w.window.move(40, 30);
    auto* button = w.window.control<QWidget>(QStringLiteral("cmdTranslate"));
    QTest::mouseClick(button, Qt::LeftButton, {}, {3, 3});
    QTRY_VERIFY(w.window.MNlangue()->isVisible());
    QCOMPARE(w.window.MNlangue()->pos(), button->mapToGlobal(QPoint(0, button->height())));
    w.window.MNlangue()->hide();
}

void TestLanguageMenu::otherExplainsAndOpensTheTemplate()
{
    Window w(*m_dir, {});
    w.window.control<QAction>(QStringLiteral("MNlangueOther"))->trigger();
    const QString path = m_dir->filePath(QStringLiteral("Francais.lng"));
    const auto boxes = w.dialogs.callsOf(QStringLiteral("MsgBox"));
    QCOMPARE(boxes.size(), 1u);
    QCOMPARE(boxes[0].args, QStringList({"Translate this file \n\n" + path +
                                             "\n\nand save it in the application folder like "
                                             "this :\nyour country's name .LNG\n\nIt will "
                                             "apear in the translate menu",
                                         "KVX"}));
    QCOMPARE(boxes[0].icon, MessageIcon::Information);
    // The template opens after the box, even when it is missing.
    QCOMPARE(w.launcher.requests.size(), 1);
    QCOMPARE(w.launcher.requests[0].file, path);
    QCOMPARE(w.launcher.requests[0].operation, QStringLiteral("open"));
}

void TestLanguageMenu::aboutWindowIsModal()
{
    Window w(*m_dir, {});
    bool sawAbout = false;
    QTimer::singleShot(0, &w.window, [&] {
        auto* about = qobject_cast<FRMabout*>(QApplication::activeModalWidget());
        sawAbout = about && about->parentWidget() == &w.window;
        if (about)
            about->close();
    });
    w.window.control<QAction>(QStringLiteral("mnuabout"))->trigger();
    QVERIFY(sawAbout);
    QVERIFY(!w.window.findChild<FRMabout*>()); // gone once closed
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_LanguageMenu.moc"
