#include "app/MainWindowFixture.h"
#include "doc/IniFile.h"
#include "lang/TranslateForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// Every text of the window a language file can change, under its key there
// ("title" for the window's title; a separator's caption is "-").
QMap<QString, QString> allTexts(const frMain& window)
{
    QMap<QString, QString> texts{{QStringLiteral("title"), window.windowTitle()}};
    for (const QObject* object : window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const QString caption = name + QStringLiteral(".Caption");
        if (const auto* action = qobject_cast<const QAction*>(object))
            texts.insert(caption, action->isSeparator() ? QStringLiteral("-") : action->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(object))
            texts.insert(caption, button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(object))
            texts.insert(caption, label->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(object))
            texts.insert(caption, group->title());
        if (const auto* widget = qobject_cast<const QWidget*>(object))
            texts.insert(name + QStringLiteral(".ToolTipText"), widget->toolTip());
    }
    return texts;
}

QStringList lines(const QMap<QString, QString>& texts)
{
    QStringList result;
    for (const auto& [key, text] : texts.asKeyValueRange())
        result.append(key + QLatin1Char('=') + text);
    return result;
}

// The keys of a language file's window section, letter case folded, sorted.
QStringList keysOf(const QString& path)
{
    QStringList keys;
    IniFile::load(path).value_or(IniFile()).forEachEntry(
        u"frMain", [&](QStringView key, QStringView) { keys.append(key.toString()); });
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
    void shippedFilesCoverTheWindow();
    void shippedFilesRoundTrip();

private:
    QTemporaryDir m_dir;
};

// files: applied in order ("" stands for a missing file); changes: the texts
// expected to differ afterwards, "key=text". Every other text must stay.
void TestTranslateForm::translate_data()
{
    QTest::addColumn<QByteArrayList>("files");
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("worked example")
        << QByteArrayList{"[frMain]\n"
                          "cmdStartPoint.Caption = Start the tree from ...\n"
                          "cmdStartPoint.ToolTipText = Choose the folder at the root of the tree\n"
                          "Frame1.Caption = Number of lines:\n"
                          "Label1.Caption = Elements to print:\n"
                          "Label2.Caption = Printable elements:\n"
                          "chkFile(0).Caption = 'Add all files'\n"
                          "mnuGras.Caption = Bold\n"
                          "mnuNiveau.Caption = Apply to level\n"
                          "MNlangueOther.Caption = Other ...\n"}
        << QStringList{"cmdStartPoint.Caption=Start the tree from ...",
                       "cmdStartPoint.ToolTipText=Choose the folder at the root of the tree",
                       "Frame1.Caption=Number of lines:",
                       "Label1.Caption=Elements to print:",
                       "Label2.Caption=Printable elements:",
                       "chkFile(0).Caption=Add all files",
                       "mnuGras.Caption=Bold",
                       "mnuNiveau.Caption=Apply to level"};
    QTest::newRow("case, quotes, empty, array member, title, separators")
        << QByteArrayList{"[FRMAIN]\n"
                          "kvx = \"KVX cases\"\n"
                          "CMDPRINT.CAPTION = ' Print '\n"
                          "cmdExe.Caption =\n"
                          "chkFile.Caption = never\n"
                          "chkFile(3).Caption = Pictures\n"
                          "txtStartPath.ToolTipText = Start folder\n"
                          "mnuGras.Caption = -\n"
                          "mnuSep00.Caption = &Bold\n"}
        << QStringList{"title=KVX cases",
                       "cmdPrint.Caption= Print ",
                       "cmdExe.Caption=",
                       "chkFile(3).Caption=Pictures",
                       "txtStartPath.ToolTipText=Start folder",
                       "mnuGras.Caption=-",
                       "mnuSep00.Caption=&Bold"};
    // The second file finds the title under the first one's title.
    QTest::newRow("second file over a first")
        << QByteArrayList{"[frMain]\nKVX=Jackets\nmnuGras.Caption=Bold\nLabel1.Caption=To print:\n",
                          "[frMain]\nKVX=H\xc3\xbcllen\nJackets=H\xc3\xbcllen\nmnuGras.Caption="
                          "Fett\n"}
        << QStringList{"title=Hüllen", "mnuGras.Caption=Fett", "Label1.Caption=To print:"};
    QTest::newRow("Windows-1252")
        << QByteArrayList{"[frMain]\ncmpProp.Caption=Propri\xe9t\xe9s \x80"}
        << QStringList{"cmpProp.Caption=Propriétés €"};
    QTest::newRow("cut at 254") << QByteArrayList{"[frMain]\nLabel1.Caption=" +
                                                  QByteArray(300, 'x')}
                                << QStringList{"Label1.Caption=" + QString(254, 'x')};
    QTest::newRow("missing file") << QByteArrayList{""} << QStringList{};
    QTest::newRow("other section")
        << QByteArrayList{"[frOther]\ncmdPrint.Caption=x\n"} << QStringList{};
    QTest::newRow("rubbish") << QByteArrayList{"\x01\x02[\x7f=]=\n==\n["} << QStringList{};
}

void TestTranslateForm::translate()
{
    QFETCH(QByteArrayList, files);
    QFETCH(QStringList, changes);
    test::MainWindowFixture w;
    w.window.Form_Load();
    QMap<QString, QString> expected = allTexts(w.window);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path =
            m_dir.filePath(QStringLiteral("%1%2.lng").arg(QTest::currentDataTag()).arg(i));
        QFile file(path);
        QVERIFY(files[i].isEmpty() ||
                (file.open(QIODevice::WriteOnly) && file.write(files[i]) > 0));
        file.close();
        TranslateForm(&w.window, path);
    }
    for (const QString& change : changes)
        expected.insert(change.section(QLatin1Char('='), 0, 0),
                        change.section(QLatin1Char('='), 1));
    QCOMPARE(lines(allTexts(w.window)), lines(expected));
    QVERIFY(w.dialogs.calls.empty());
}

// The template holds a key for every text a translator sees, and the English
// file holds the same keys. Live values and the language items (file names)
// have none.
void TestTranslateForm::shippedFilesCoverTheWindow()
{
    test::MainWindowFixture w;
    QStringList expected{w.window.windowTitle().toLower()};
    for (const auto& [key, text] : allTexts(w.window).asKeyValueRange()) {
        if (key.endsWith(QLatin1String(".Caption")) && !text.isEmpty() && text != u'-' &&
            !key.startsWith(QLatin1String("MNlangueChoice")) &&
            !key.startsWith(QLatin1String("lblImprimable")) &&
            !key.startsWith(QLatin1String("lblNbElements")))
            expected.append(key.toLower());
    }
    expected.sort();
    QCOMPARE(keysOf(kProgramDir + QStringLiteral("/Francais.lng")), expected);
    QCOMPARE(keysOf(kProgramDir + QStringLiteral("/English.lng")), expected);
}

void TestTranslateForm::shippedFilesRoundTrip()
{
    test::MainWindowFixture w;
    w.window.Form_Load();
    const QMap<QString, QString> french = allTexts(w.window);
    TranslateForm(&w.window, kProgramDir + QStringLiteral("/English.lng"));
    const QMap<QString, QString> english = allTexts(w.window);
    QCOMPARE(english.value("chkImageNb.Caption"), QStringLiteral("Folders in Black && White"));
    QCOMPARE(english.value("mnuabout.Caption"), QStringLiteral("About ..."));
    TranslateForm(&w.window, kProgramDir + QStringLiteral("/Francais.lng"));
    QCOMPARE(lines(allTexts(w.window)), lines(french));
}

QTEST_MAIN(TestTranslateForm)
#include "tst_TranslateForm.moc"
