#include "lang/LanguageFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

class TestLanguageFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lookUp_data();
    void lookUp();
    void missingFile();
    void windows1252();
    void keys();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void TestLanguageFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestLanguageFile::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void TestLanguageFile::lookUp_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* section, const char* key,
                        const QString& defaultText, const QString& expected) {
        QTest::newRow(name) << QString::fromUtf8(section) << QString::fromUtf8(key) << defaultText
                            << expected;
    };

    const QString longValue(300, QLatin1Char('x'));
    row("plain", "frMain", "cmdPrint.Caption", "Imprimer", "Print");
    row("key in any case", "frMain", "CMDPRINT.CAPTION", "Imprimer", "Print");
    row("section in any case", "FRMAIN", "cmdPrint.Caption", "-", "Print");
    row("blanks around key and value", "frMain", "Frame1.Caption", "", "Number of lines:");
    row("single quotes, blanks kept", "frMain", "chkFile(0).Caption", "", "  Add all files ");
    row("double quotes", "frMain", "Label1.Caption", "", "Elements \"to\" print");
    row("one pair only", "frMain", "Label2.Caption", "", "'x'");
    row("unmatched quote stays", "frMain", "Label3.Caption", "", "'open");
    row("empty value empties", "frMain", "cmdExe.ToolTipText", "tip", "");
    row("ampersands literal", "frMain", "chkImageNb.Caption", "", "Folders in Black && White");
    row("long value cut", "frMain", "long.Caption", "", longValue.left(254));
    row("missing key: default", "frMain", "cmdStartPoint.Caption", "Commencer", "Commencer");
    row("default loses trailing blanks", "frMain", "nothing",
        "Application   :  ", "Application   :");
    row("default keeps leading blanks", "frMain", "nothing", "  a", "  a");
    row("long default cut", "frMain", "nothing", longValue, longValue.left(254));
    row("other section", "frOther", "cmdPrint.Caption", "Imprimer", "Drucken");
    row("key of another section only", "frMain", "Label9.Caption", "Libellé", "Libellé");
    row("empty section", "frEmpty", "cmdPrint.Caption", "Imprimer", "Imprimer");
    row("title as key", "frMain", "KVX", "KVX", "KVX in English");
    row("empty key gives default", "frMain", "", "KVX", "KVX");
    row("array member under its index", "frMain", "chkFile(3).Caption", "Images", "Pictures");
}

void TestLanguageFile::lookUp()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, defaultText);
    QFETCH(QString, expected);
    const QString path =
        write(QStringLiteral("test.lng"),
              QStringLiteral("[frEmpty]\n"
                             "[frOther]\ncmdPrint.Caption=Drucken\nLabel9.Caption=Nur hier\n"
                             "[frMain]\r\n"
                             "cmdPrint.Caption=Print\r\n"
                             "   Frame1.Caption   =   Number of lines:   \n"
                             "chkFile(0).Caption = '  Add all files '\n"
                             "Label1.Caption=\"Elements \"to\" print\"\n"
                             "Label2.Caption=\"'x'\"\n"
                             "Label3.Caption='open\n"
                             "cmdExe.ToolTipText =\n"
                             "chkImageNb.Caption=Folders in Black && White\n"
                             "chkFile.Caption=never\n"
                             "chkFile(3).Caption=Pictures\n"
                             "KVX = KVX in English\n"
                             "this line is no entry\n"
                             "long.Caption=%1\n")
                  .arg(QString(300, QLatin1Char('x')))
                  .toUtf8());
    QCOMPARE(ReadTranslation(path, section, key, defaultText), expected);
    const std::optional<LanguageFile> file = LanguageFile::load(path);
    QVERIFY(file);
    QCOMPARE(file->ReadTranslation(section, key, defaultText), expected);
}

void TestLanguageFile::missingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("absent.lng"));
    QVERIFY(!LanguageFile::load(path));
    QVERIFY(!LanguageFile::load(m_dir.path()));
    QCOMPARE(ReadTranslation(path, QStringLiteral("frMain"), QStringLiteral("x"),
                             QStringLiteral("kept  ")),
             QStringLiteral("kept"));
}

void TestLanguageFile::windows1252()
{
    // "Propriétés" and "Élément ½" as an older editor saved them.
    const QString path =
        write(QStringLiteral("old.lng"), QByteArray("[frMain]\ncmpProp.Caption=Propri\xe9t\xe9s\n"
                                                    "Label1.Caption=\xc9l\xe9ment \xbd \x80\n"));
    QCOMPARE(ReadTranslation(path, QStringLiteral("frMain"), QStringLiteral("cmpProp.Caption"), {}),
             QStringLiteral("Propriétés"));
    QCOMPARE(ReadTranslation(path, QStringLiteral("frMain"), QStringLiteral("Label1.Caption"), {}),
             QStringLiteral("Élément ½ €"));

    const QString utf8 =
        write(QStringLiteral("new.lng"),
              QStringLiteral("[frMain]\nLabel1.Caption=Élément 日本 €\n").toUtf8());
    QCOMPARE(ReadTranslation(utf8, QStringLiteral("frMain"), QStringLiteral("Label1.Caption"), {}),
             QStringLiteral("Élément 日本 €"));
}

void TestLanguageFile::keys()
{
    QCOMPARE(captionKey(QStringLiteral("chkFile(3)")), QStringLiteral("chkFile(3).Caption"));
    QCOMPARE(toolTipKey(QStringLiteral("cmdStartPoint")),
             QStringLiteral("cmdStartPoint.ToolTipText"));
}

QTEST_APPLESS_MAIN(TestLanguageFile)
#include "tst_LanguageFile.moc"
