#include "about/FRMabout.h"
#include "app/ScriptedDialogs.h"
#include "app/frMain.h"
#include "app/support/RecordingLauncher.h"
#include "lang/LanguageMenu.h"
#include "lang/TranslateForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvx;
using kvx::test::ScriptedDialogs;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// The worked example of a language file.
const char* const kWorkedExample = R"([frMain]
cmdStartPoint.Caption = Start the tree from ...
cmdStartPoint.ToolTipText = Choose the folder at the root of the tree
Frame1.Caption = Number of lines:
Label1.Caption = Elements to print:
Label2.Caption = Printable elements:
chkFile(0).Caption = 'Add all files'
mnuGras.Caption = Bold
mnuNiveau.Caption = Apply to level
MNlangueOther.Caption = Other ...
)";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A main window over a program folder of the test's choosing.
struct Window
{
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    frMain window;
    LanguageMenu* menu = nullptr;

    explicit Window(const QString& programDir)
    {
        window.setProgramDir(programDir);
        window.setDialogService(&dialogs);
        menu = window.findChild<LanguageMenu*>();
        if (menu)
            menu->setShellLauncher(&launcher);
        window.Form_Load();
    }

    QString caption(const QString& name) const
    {
        if (auto* action = window.control<QAction>(name))
            return action->text();
        if (auto* button = window.control<QAbstractButton>(name))
            return button->text();
        if (auto* label = window.control<QLabel>(name))
            return label->text();
        if (auto* group = window.control<QGroupBox>(name))
            return group->title();
        return QStringLiteral("<none>");
    }

    // The language items, top to bottom, up to the first separator.
    QStringList languageItems() const
    {
        QStringList items;
        for (const QAction* action : window.MNlangue()->actions()) {
            if (action->isSeparator())
                break;
            items.append(action->objectName() + QLatin1Char('=') + action->text());
        }
        return items;
    }
};

// Every caption and tool tip of the window, by objectName.
QMap<QString, QString> allTexts(const frMain& window)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("<title>"), window.windowTitle());
    for (const QObject* object : window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (const auto* action = qobject_cast<const QAction*>(object))
            texts.insert(name, action->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(object))
            texts.insert(name, button->text() + QLatin1Char('|') + button->toolTip());
        else if (const auto* label = qobject_cast<const QLabel*>(object))
            texts.insert(name, label->text() + QLatin1Char('|') + label->toolTip());
        else if (const auto* group = qobject_cast<const QGroupBox*>(object))
            texts.insert(name, group->title() + QLatin1Char('|') + group->toolTip());
        else if (const auto* widget = qobject_cast<const QWidget*>(object))
            texts.insert(name, widget->toolTip());
    }
    return texts;
}

// The keys of a language file's entries.
QStringList keysOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('[')))
            continue;
        keys.append(trimmed.section(QLatin1Char('='), 0, 0).trimmed());
    }
    return keys;
}

} // namespace

class TestLanguageMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void workedExample();
    void menuFromTheProgramFolder();
    void noLanguageFiles();
    void renamedItemLooksForTheNewName();
    void menuOpensBelowTheButton();
    void otherExplainsAndOpensTheTemplate();
    void aboutWindowIsModal();
    void shippedFilesCoverTheWindow();
    void shippedFilesRoundTrip();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLanguageMenu::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("KVX"));
}

void TestLanguageMenu::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ico")));
}

void TestLanguageMenu::workedExample()
{
    writeFile(m_dir->filePath(QStringLiteral("English.lng")), kWorkedExample);
    Window w(m_dir->path());
    QVERIFY(w.menu);
    const QMap<QString, QString> before = allTexts(w.window);
    QCOMPARE(w.caption(QStringLiteral("MNlangueChoice(0)")), QStringLiteral("English.lng"));
    w.window.control<QAction>(QStringLiteral("MNlangueChoice(0)"))->trigger();

    QCOMPARE(w.caption(QStringLiteral("cmdStartPoint")), QStringLiteral("Start the tree from ..."));
    QCOMPARE(w.window.control<QWidget>(QStringLiteral("cmdStartPoint"))->toolTip(),
             QStringLiteral("Choose the folder at the root of the tree"));
    QCOMPARE(w.caption(QStringLiteral("Frame1")), QStringLiteral("Number of lines:"));
    QCOMPARE(w.caption(QStringLiteral("Label1")), QStringLiteral("Elements to print:"));
    QCOMPARE(w.caption(QStringLiteral("Label2")), QStringLiteral("Printable elements:"));
    QCOMPARE(w.caption(QStringLiteral("chkFile(0)")), QStringLiteral("Add all files"));
    QCOMPARE(w.caption(QStringLiteral("mnuGras")), QStringLiteral("Bold"));
    QCOMPARE(w.caption(QStringLiteral("mnuNiveau")), QStringLiteral("Apply to level"));
    QCOMPARE(w.caption(QStringLiteral("MNlangueOther")), QStringLiteral("Other ..."));

    // Everything else stays, the title included.
    const QStringList changed{"cmdStartPoint", "Frame1",  "Label1",   "Label2",
                              "chkFile(0)",    "mnuGras", "mnuNiveau"};
    const QMap<QString, QString> after = allTexts(w.window);
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!changed.contains(it.key()))
            QCOMPARE(after.value(it.key()), it.value());
    }
    QCOMPARE(w.window.windowTitle(), QStringLiteral("KVX"));
    QVERIFY(w.dialogs.calls.empty());
}

void TestLanguageMenu::menuFromTheProgramFolder()
{
    for (const char* name : {"English.lng", "Deutsch.lng", ".Hidden.lng", "notes.txt",
                             "ITALIANO.LNG", "español & co.lng", "lng"})
        writeFile(m_dir->filePath(QString::fromUtf8(name)), "[frMain]\n");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Folder.lng")));
    Window w(m_dir->path());
    QCOMPARE(
        w.languageItems(),
        QStringList({"MNlangueChoice(0)=Deutsch.lng", "MNlangueChoice(1)=English.lng",
                     "MNlangueChoice(2)=español && co.lng", "MNlangueChoice(3)=ITALIANO.LNG"}));
    QCOMPARE(w.window.MNlangue()->actions().last()->objectName(), QStringLiteral("mnuabout"));
    QCOMPARE(w.window.control<QListWidget>(QStringLiteral("FileLNG"))->count(), 4);

    // The items work through the file names they show, odd characters included.
    writeFile(m_dir->filePath(QStringLiteral("español & co.lng")),
              "[frMain]\ncmdPrint.Caption=Imprimir\n");
    w.window.control<QAction>(QStringLiteral("MNlangueChoice(2)"))->trigger();
    QCOMPARE(w.caption(QStringLiteral("cmdPrint")), QStringLiteral("Imprimir"));
}

void TestLanguageMenu::noLanguageFiles()
{
    Window w(m_dir->path());
    QCOMPARE(w.languageItems(), QStringList({"MNlangueChoice(0)=#"}));
    const QMap<QString, QString> before = allTexts(w.window);
    w.window.control<QAction>(QStringLiteral("MNlangueChoice(0)"))->trigger();
    QCOMPARE(allTexts(w.window), before);
}

void TestLanguageMenu::renamedItemLooksForTheNewName()
{
    writeFile(m_dir->filePath(QStringLiteral("A.lng")),
              "[frMain]\nMNlangueChoice(1).Caption=C.lng\ncmdPrint.Caption=from A\n");
    writeFile(m_dir->filePath(QStringLiteral("B.lng")), "[frMain]\ncmdPrint.Caption=from B\n");
    writeFile(m_dir->filePath(QStringLiteral("C.lng")), "[frMain]\ncmdPrint.Caption=from C\n");
    Window w(m_dir->path());
    w.window.control<QAction>(QStringLiteral("MNlangueChoice(0)"))->trigger();
    QCOMPARE(w.caption(QStringLiteral("MNlangueChoice(1)")), QStringLiteral("C.lng"));
    w.window.control<QAction>(QStringLiteral("MNlangueChoice(1)"))->trigger();
    QCOMPARE(w.caption(QStringLiteral("cmdPrint")), QStringLiteral("from C"));
}

void TestLanguageMenu::menuOpensBelowTheButton()
{
    Window w(m_dir->path());
    w.window.move(40, 30);
    QMenu* menu = w.window.MNlangue();
    const auto* frame = w.window.control<QWidget>(QStringLiteral("FraTb(0)"));
    auto* button = w.window.control<QPushButton>(QStringLiteral("cmdTranslate"));
    const QPoint expected = w.window.mapToGlobal(frame->geometry().topLeft() +
                                                 button->geometry().bottomLeft() + QPoint(0, 1));
    QCOMPARE(w.menu->menuPosition(), expected);
    QTest::mouseClick(button, Qt::LeftButton, {}, {3, 3});
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), expected);
    menu->hide();
    QTest::mouseClick(button, Qt::LeftButton, {}, {button->width() - 3, button->height() - 3});
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), expected);
    menu->hide();
}

void TestLanguageMenu::otherExplainsAndOpensTheTemplate()
{
    Window w(m_dir->path());
    w.window.control<QAction>(QStringLiteral("MNlangueOther"))->trigger();
    const auto boxes = w.dialogs.callsOf(QStringLiteral("MsgBox"));
    QCOMPARE(boxes.size(), 1u);
    const QString path = m_dir->path() + QStringLiteral("/Francais.lng");
    QCOMPARE(boxes[0].args[0], QStringLiteral("Translate this file \n\n") + path +
                                   QStringLiteral("\n\nand save it in the application folder like "
                                                  "this :\nyour country's name .LNG\n\nIt will "
                                                  "apear in the translate menu"));
    QCOMPARE(boxes[0].args[1], QStringLiteral("KVX"));
    QCOMPARE(boxes[0].icon, MessageIcon::Information);
    // The template opens after the box, even when it is missing.
    QCOMPARE(w.launcher.requests.size(), 1);
    QCOMPARE(w.launcher.requests[0].file, path);
    QCOMPARE(w.launcher.requests[0].operation, QStringLiteral("open"));
    QCOMPARE(w.launcher.requests[0].showCommand, 1);
}

void TestLanguageMenu::aboutWindowIsModal()
{
    Window w(m_dir->path());
    bool sawAbout = false;
    QTimer::singleShot(0, &w.window, [&] {
        auto* about = qobject_cast<FRMabout*>(QApplication::activeModalWidget());
        sawAbout = about && about->isVisible() && about->parentWidget() == &w.window;
        if (about)
            about->close();
    });
    w.window.control<QAction>(QStringLiteral("mnuabout"))->trigger();
    QVERIFY(sawAbout);
    QVERIFY(!w.window.findChild<FRMabout*>());
}

void TestLanguageMenu::shippedFilesCoverTheWindow()
{
    Window w(m_dir->path());
    const QStringList french = keysOf(kProgramDir + QStringLiteral("/Francais.lng"));
    const QStringList english = keysOf(kProgramDir + QStringLiteral("/English.lng"));
    QVERIFY(french.size() > 35);
    QCOMPARE(english, french);
    QCOMPARE(french.first(), w.window.windowTitle());

    // Every key names a control, and every control with a caption has its key,
    // except the live values, the menu titles never shown, the separators and
    // the language items (their captions are file names).
    QStringList expected{w.window.windowTitle()};
    for (const auto& [name, text] : allTexts(w.window).asKeyValueRange()) {
        Q_UNUSED(text);
        const QObject* object = w.window.control<QObject>(name);
        const auto* action = qobject_cast<const QAction*>(object);
        const bool hasCaption = (action && !action->isSeparator()) ||
                                qobject_cast<const QAbstractButton*>(object) ||
                                qobject_cast<const QLabel*>(object) ||
                                (qobject_cast<const QGroupBox*>(object) &&
                                 !qobject_cast<const QGroupBox*>(object)->title().isEmpty());
        if (hasCaption && !name.startsWith(QLatin1String("MNlangueChoice")) &&
            name != QLatin1String("lblImprimable") && name != QLatin1String("lblNbElements"))
            expected.append(name + QStringLiteral(".Caption"));
    }
    QStringList sortedFrench = french;
    sortedFrench.sort(Qt::CaseInsensitive);
    expected.sort(Qt::CaseInsensitive);
    QCOMPARE(sortedFrench, expected);
}

void TestLanguageMenu::shippedFilesRoundTrip()
{
    Window w(kProgramDir);
    const QMap<QString, QString> french = allTexts(w.window);
    const QString english = kProgramDir + QStringLiteral("/English.lng");
    TranslateForm(&w.window, english);
    QCOMPARE(w.caption(QStringLiteral("cmdStartPoint")), QStringLiteral("Start the tree from ..."));
    QCOMPARE(w.caption(QStringLiteral("chkImageNb")), QStringLiteral("Folders in Black && White"));
    QCOMPARE(w.caption(QStringLiteral("mnuabout")), QStringLiteral("About ..."));
    QCOMPARE(w.caption(QStringLiteral("Label2")), QStringLiteral("Printable elements:"));

    TranslateForm(&w.window, kProgramDir + QStringLiteral("/Francais.lng"));
    QCOMPARE(allTexts(w.window), french);
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_LanguageMenu.moc"
