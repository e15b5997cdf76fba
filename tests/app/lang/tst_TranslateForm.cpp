#include "about/FRMabout.h"
#include "about/ShellOpen.h"
#include "app/MainWindowFixture.h"
#include "app/support/RecordingLauncher.h"
#include "core/tree/ScanDoubles.h"
#include "doc/IniFile.h"
#include "lang/MessageTexts.h"
#include "lang/TranslateForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace kvx;

namespace {

// Every text of a window a language file can change, under its key there
// ("title" for the window's title, "-" for a separator).
QMap<QString, QString> allTexts(const QWidget& window)
{
    QMap<QString, QString> texts{{"title", window.windowTitle()}};
    for (const QObject* object : window.findChildren<QObject*>(QRegularExpression("^[^q.]"))) {
        const QString caption = object->objectName() + ".Caption";
        if (const auto* action = qobject_cast<const QAction*>(object))
            texts.insert(caption, action->isSeparator() ? "-" : action->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(object))
            texts.insert(caption, button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(object))
            texts.insert(caption, label->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(object))
            texts.insert(caption, group->title());
        else if (const auto* menu = qobject_cast<const QMenu*>(object);
                 menu && menu->title() != menu->objectName())
            texts.insert(caption, menu->title());
        if (const auto* widget = qobject_cast<const QWidget*>(object)) {
            texts.insert(object->objectName() + ".ToolTipText", widget->toolTip());
            if (widget->accessibleName() != widget->objectName())
                texts.insert(object->objectName() + ".AccessibleName", widget->accessibleName());
        }
    }
    return texts;
}

// The keys of a section of a shipped language file, sorted.
QStringList keysOf(const QString& file, const QString& section)
{
    QStringList keys;
    IniFile::load(QStringLiteral(KVX_TEST_PROGRAM_DIR "/") + file)
        .value_or(IniFile())
        .forEachEntry(section, [&](QStringView key, IniFile::Entry) {
            keys.append(key.toString().toLower());
        });
    keys.sort();
    return keys;
}

// The keys a window's texts need: its title, and every caption and name
// for screen readers that is no number, no value and no separator.
QStringList keysNeeded(const QWidget& window)
{
    QStringList keys{"kvx"};
    for (const auto& [key, text] : allTexts(window).asKeyValueRange()) {
        if (key != "title" && !key.endsWith(".ToolTipText") && !text.isEmpty() && text != "-" &&
            !key.contains(QRegularExpression(
                "^(MNlangueChoice|lblImprimable|lblNbElements|LBLappname|LBLversion|LBLexe)")))
            keys.append(key.toLower());
    }
    keys.sort();
    return keys;
}

} // namespace

class TestTranslateForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }
    void translate_data();
    void translate();
    void shippedFiles();

private:
    QTemporaryDir m_dir;
};

// files: applied in order, "\f" between two ("" for a missing file);
// changes: the texts expected to differ afterwards. Every other text stays.
void TestTranslateForm::translate_data()
{
    QTest::addColumn<QByteArray>("files");
    QTest::addColumn<QString>("changes");
    // Labels show "&" as buttons do: "&&" one ampersand, a single one none.
    QTest::newRow("case, quotes, empty, array member, title, group, separators, ampersands")
        << QByteArray("[FRMAIN]\nkvx = \"KVX cases\"\nCMDPRINT.CAPTION = ' Print '\n"
                      "cmdExe.Caption =\nchkFile.Caption = never\nchkFile(3).Caption = Pictures\n"
                      "txtStartPath.ToolTipText = Start folder\nmnuGras.Caption = -\n"
                      "mnuSep00.Caption = &Bold\nLabel1.Caption=Fr&om && to&\n"
                      "chkNb.Caption=Fr&om && to\nFrame1.Caption = Number of lines:\n")
        << "title=KVX cases\ncmdPrint.Caption= Print \ncmdExe.Caption=\nchkFile(3).Caption="
           "Pictures\ntxtStartPath.ToolTipText=Start folder\nmnuGras.Caption=-\nmnuSep00.Caption="
           "&Bold\nLabel1.Caption=From & to\nchkNb.Caption=Fr&om && to\n"
           "Frame1.Caption=Number of lines:";
    // The second file finds the title under the first one's title; a missing
    // file, another section and rubbish change nothing.
    QTest::newRow("second file over a first, missing file, other section, rubbish")
        << QByteArray("[frMain]\nKVX=Jackets\nmnuGras.Caption=Bold\nLabel1.Caption=To print:\n\f"
                      "\f[frOther]\ncmdPrint.Caption=x\n\f\x01\x02[\x7f=]=\n==\n[\f"
                      "[frMain]\nKVX=H\xc3\xbcllen\nJackets=H\xc3\xbcllen\nmnuGras.Caption=Fett\n")
        << "title=Hüllen\nmnuGras.Caption=Fett\nLabel1.Caption=To print:";
}

void TestTranslateForm::translate()
{
    QFETCH(QByteArray, files);
    QFETCH(QString, changes);
    test::MainWindowFixture w;
    w.window.Form_Load();
    QMap<QString, QString> expected = allTexts(w.window);
    for (const QString& change : changes.split('\n', Qt::SkipEmptyParts)) {
        QVERIFY2(expected.contains(change.section('=', 0, 0)), qPrintable(change));
        expected[change.section('=', 0, 0)] = change.section('=', 1);
    }
    for (const QByteArray& contents : files.split('\f')) {
        const QString path = m_dir.filePath(QString::number(qHash(contents)));
        QVERIFY(contents.isEmpty() || writeFile(path, contents));
        TranslateForm(&w.window, path);
    }
    QCOMPARE(allTexts(w.window), expected);
    QVERIFY(w.dialogs.calls.empty());
}

// Each shipped language holds every text of the window and of the About
// window (tst_LanguageList checks the messages), and gives the window's
// buttons and boxes access keys of their own (none to the options, whose
// captions are their numbers).
void TestTranslateForm::shippedFiles()
{
    test::MainWindowFixture w;
    w.window.Form_Load();
    RecordingLauncher launcher;
    const MessageTexts texts;
    ShellOpen shell(launcher, w.dialogs, texts);
    FRMabout about(shell, QStringLiteral(KVX_TEST_PROGRAM_DIR));
    for (const QString name : {"Francais.lng", "English.lng"}) {
        QCOMPARE(keysOf(name, "frMain"), keysNeeded(w.window));
        QCOMPARE(keysOf(name, "FRMabout"), keysNeeded(about));
        TranslateForm(&w.window, QStringLiteral(KVX_TEST_PROGRAM_DIR "/") + name);
        QSet<int> keys;
        for (const QAbstractButton* button : w.window.findChildren<QAbstractButton*>()) {
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            const bool option = qobject_cast<const QRadioButton*>(button);
            QVERIFY2(key.isEmpty() == option, qPrintable(button->text()));
            QVERIFY2(option || !keys.contains(key[0].toCombined()), qPrintable(button->text()));
            keys.insert(key[0].toCombined());
        }
    }
}

QTEST_MAIN(TestTranslateForm)
#include "tst_TranslateForm.moc"
