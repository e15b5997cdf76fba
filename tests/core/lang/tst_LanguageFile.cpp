#include "lang/LanguageFile.h"
#include "lang/MessageTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

// The file's own reading (letter case, quotes, encodings) is IniFile's; here
// the limits and defaults of a translation.
class TestLanguageFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUp_data();
    void lookUp();
    void shippedMessages();

private:
    QTemporaryDir m_dir;
};

void TestLanguageFile::lookUp_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<QString>("expected");
    const QString x300(300, QLatin1Char('x'));
    QTest::newRow("found") << true << "cmdPrint.Caption"
                           << "Imprimer"
                           << "Print";
    QTest::newRow("value cut at 254") << true << "long.Caption"
                                      << "" << x300.left(254);
    QTest::newRow("default loses trailing blanks") << true << "none"
                                                   << "  Application   :  "
                                                   << "  Application   :";
    QTest::newRow("default cut at 254") << true << "none" << x300 << x300.left(254);
    QTest::newRow("missing file") << false << "cmdPrint.Caption"
                                  << "kept  "
                                  << "kept";
}

void TestLanguageFile::lookUp()
{
    QFETCH(bool, exists);
    QFETCH(QString, key);
    QFETCH(QString, defaultText);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("test.lng"));
    QFile file(path);
    if (exists) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[frMain]\ncmdPrint.Caption=Print\nlong.Caption=" + QByteArray(300, 'x') + '\n');
        file.close();
    }
    QCOMPARE(LanguageFile::load(path).has_value(), exists);
    QCOMPARE(ReadTranslation(path, QStringLiteral("frMain"), key, defaultText), expected);
    QVERIFY(file.remove() || !exists);
}

// The template holds the built-in messages; English.lng translates them all
// (the folder dialog's title is English already), lines and all.
void TestLanguageFile::shippedMessages()
{
    const MessageTexts builtIn;
    for (const char* name : {"Francais.lng", "English.lng"}) {
        const auto file = LanguageFile::load(KVX_TEST_SOURCE_DIR "/data/" + QString(name));
        QVERIFY(file);
        MessageTexts texts;
        texts.apply(*file);
        for (int i = 0; i < int(Msg::Count); ++i) {
            const Msg id = Msg(i);
            QCOMPARE(texts.text(id) == builtIn.text(id), name[0] == 'F' || id == Msg::ChooseFolder);
            QCOMPARE(texts.text(id).count('\n'), builtIn.text(id).count('\n'));
        }
    }
}

QTEST_APPLESS_MAIN(TestLanguageFile)
#include "tst_LanguageFile.moc"
