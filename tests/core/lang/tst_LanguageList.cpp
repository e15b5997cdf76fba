#include "core/tree/ScanDoubles.h"
#include "doc/DocumentPaths.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageList.h"
#include "lang/LanguageTemplate.h"
#include "lang/MessageTexts.h"
#include "util/ProgramFolders.h"

#include <QTemporaryDir>

using namespace kvx;

// Where the program's data, the language files and documents are found, in
// a build tree and installed (program in bin/ or libexec/kvx/, data in share/kvx/, the user's
// own languages in the XDG data home, here home/data/kvx), and what a
// language file gives. Its reading (letter case, quotes, encodings) is IniFile's.
class TestLanguageList : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;

    QString at(const QString& relative) const { return m_root->filePath(relative); }
    QString relative(const QString& path) const
    {
        return QDir(m_root->path()).relativeFilePath(path);
    }
    // Makes files holding their own path, or folders for paths ending in "/".
    void make(const QStringList& paths)
    {
        for (const QString& path : paths) {
            QVERIFY(QDir().mkpath(QFileInfo(at(path)).absolutePath()));
            QVERIFY(path.endsWith('/') || writeFile(at(path), path.toUtf8()));
        }
    }

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", at("home/data").toUtf8());
    }

    void programFolders_data()
    {
        QTest::addColumn<QStringList>("layout");
        QTest::addColumn<QString>("dataDir"); // for the executable in the first folder
        QTest::newRow("build tree") << QStringList{"bin/", "bin/ico/", "share/kvx/ico/"} << "bin";
        QTest::newRow("installed") << QStringList{"bin/", "share/kvx/ico/"} << "share/kvx";
        QTest::newRow("libexec") << QStringList{"libexec/kvx/", "share/kvx/ico/"} << "share/kvx";
        QTest::newRow("no data anywhere") << QStringList{"bin/"} << "bin";
    }
    void programFolders()
    {
        QFETCH(QStringList, layout);
        QFETCH(QString, dataDir);
        make(layout);
        QCOMPARE(relative(programDataDirFor(at(layout.first().chopped(1)))), dataDir);
        // The user's languages are taken wherever the program lies.
        QCOMPARE(languageFolders(at(dataDir)), QStringList({at(dataDir), at("home/data/kvx")}));
    }

    // Sorted, hidden files and others left out; the user's added, replacing
    // the program's of the same name.
    void languageItems()
    {
        make({"prog/English.lng", "prog/Deutsch.lng", "prog/.Hidden.lng", "prog/notes.txt",
              "prog/ITALIANO.LNG", "prog/lng", "prog/español & co.lng", "prog/Folder.lng/",
              "user/Dansk.lng", "user/Francais.lng", "prog/Francais.lng"});
        QStringList shown;
        for (const LanguageItem& item : ListLanguages({at("prog"), at("user"), QString()})) {
            QCOMPARE(QString(item.caption).replace("&&", "&"), QFileInfo(item.path).fileName());
            shown.append(item.caption + ' ' + relative(QFileInfo(item.path).path()));
        }
        QCOMPARE(shown,
                 QStringList({"Dansk.lng user", "Deutsch.lng prog", "English.lng prog",
                              "español && co.lng prog", "Francais.lng user", "ITALIANO.LNG prog"}));
    }

    // An installed program: its folder is read-only, the copy goes to the user's.
    void templateCopy()
    {
        const QString program = "prog/Francais.lng", copy = "home/data/kvx/Francais.lng";
        const auto editable = [&] {
            const QString path =
                copyLanguageTemplate(at(program), userLanguageFolder(at("missing")));
            return relative(path) + ':' + (QFile::exists(path) ? readFile(path) : "-");
        };
        QCOMPARE(editable(), "prog/Francais.lng:-"); // no template: nothing better to open
        make({program, "home/data/kvx"});
        QCOMPARE(editable(), program + ':' + program); // the user's folder blocked by a file
        QVERIFY(QFile::remove(at("home/data/kvx")));
        QCOMPARE(editable(), copy + ':' + program); // copied the first time
        QFile::remove(at(copy));
        make({copy});
        QCOMPARE(editable(), copy + ':' + copy); // a translation in progress is kept
    }

    // A translated text is cut at 254 characters; a missing one is the
    // default without its trailing blanks, cut the same way.
    void translations()
    {
        const QString x300(300, u'x');
        const LanguageFile file(
            IniFile::parse("[frMain]\ncmdPrint.Caption=Print\nlong.Caption=" + x300.toLatin1()));
        const auto read = [&file](const char* key, const QString& byDefault) {
            return file.ReadTranslation("frMain", key, byDefault);
        };
        QCOMPARE(read("cmdPrint.Caption", "Imprimer"), "Print");
        QCOMPARE(read("long.Caption", ""), x300.left(254));
        QCOMPARE(read("none", "  Application   :  "), "  Application   :");
        QCOMPARE(read("none", x300), x300.left(254));
        QVERIFY(!LanguageFile::load(at("missing.lng")));
    }

    // English.lng translates every built-in message, lines and all; the
    // template holds them all, as built in, so that it brings French back.
    void shippedMessages()
    {
        const MessageTexts builtIn;
        MessageTexts texts;
        for (const char* name : {"English.lng", "Francais.lng"}) {
            const auto file = LanguageFile::load(KVX_TEST_SOURCE_DIR "/data/" + QString(name));
            QVERIFY(file);
            texts.apply(*file);
            for (int i = 0; i < int(Msg::Count); ++i) {
                const Msg id = Msg(i);
                QCOMPARE(texts.text(id) == builtIn.text(id), name[0] == 'F');
                QCOMPARE(texts.text(id).count('\n'), builtIn.text(id).count('\n'));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestLanguageList)
#include "tst_LanguageList.moc"
