#include "lang/LanguageList.h"
#include "lang/LanguageTemplate.h"
#include "util/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

// Where the program's data and the language files are found, in a build tree
// and in an installed layout (program in bin/, data in share/kvx/, the user's
// own languages in the XDG data home).
class TestLanguageList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void programDataDir_data();
    void programDataDir();
    void languageItems_data();
    void languageItems();
    void templateCopy_data();
    void templateCopy();

private:
    // Makes the files (or, ending in "/", folders) below the temporary root.
    void make(const QStringList& paths, const QByteArray& text = "x");
    QString at(const QString& relative) const { return m_root->filePath(relative); }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestLanguageList::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", at(QStringLiteral("home/data")).toUtf8());
    QCOMPARE(userDataDir(), at(QStringLiteral("home/data/kvx")));
}

void TestLanguageList::make(const QStringList& paths, const QByteArray& text)
{
    for (const QString& path : paths) {
        QVERIFY(QDir().mkpath(QFileInfo(at(path)).absolutePath()));
        if (path.endsWith(QLatin1Char('/')))
            continue;
        QFile file(at(path));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
}

void TestLanguageList::programDataDir_data()
{
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QString>("executableDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("build tree") << QStringList{"build/kvx/ico/", "usr/share/kvx/ico/"}
                                << "build/kvx"
                                << "build/kvx";
    QTest::newRow("installed") << QStringList{"usr/bin/", "usr/share/kvx/ico/"} << "usr/bin"
                               << "usr/share/kvx";
    QTest::newRow("icons beside win") << QStringList{"opt/bin/ico/", "opt/share/kvx/"} << "opt/bin"
                                      << "opt/bin";
    QTest::newRow("no data anywhere") << QStringList{"x/bin/"} << "x/bin"
                                      << "x/bin";
}

void TestLanguageList::programDataDir()
{
    QFETCH(QStringList, layout);
    QFETCH(QString, executableDir);
    QFETCH(QString, expected);
    make(layout);
    QCOMPARE(programDataDirFor(at(executableDir)), at(expected));
}

void TestLanguageList::languageItems_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QStringList>("files");
    // caption, then where the file is: "p" the program folder, "u" the user's
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("program folder: sorted, hidden and others left out")
        << "prog"
        << QStringList{"prog/English.lng",      "prog/Deutsch.lng",  "prog/.Hidden.lng",
                       "prog/notes.txt",        "prog/ITALIANO.LNG", "prog/lng",
                       "prog/español & co.lng", "prog/Folder.lng/",  "home/data/kvx/Dansk.lng"}
        << QStringList{"Deutsch.lng p", "English.lng p", "español && co.lng p", "ITALIANO.LNG p"};
    // The program folder cannot be written to: the user's folder is listed
    // too, and the user's copy of a language replaces the program's.
    QTest::newRow("read-only program folder: the user's languages added")
        << "missing"
        << QStringList{"home/data/kvx/Dansk.lng", "home/data/kvx/Francais.lng",
                       "home/data/kvx/x.txt"}
        << QStringList{"Dansk.lng u", "Francais.lng u"};
    QTest::newRow("nothing anywhere") << "missing" << QStringList{} << QStringList{};
}

void TestLanguageList::languageItems()
{
    QFETCH(QString, programDir);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    make(files);
    QStringList shown;
    for (const LanguageItem& item : ListLanguages(languageFolders(at(programDir)))) {
        const QString fileName = QFileInfo(item.path).fileName();
        QCOMPARE(QString(item.caption).replace("&&", "&"), fileName);
        shown.append(item.caption + (item.path == at(programDir + '/' + fileName) ? " p" : " u"));
    }
    QCOMPARE(shown, expected);
}

void TestLanguageList::templateCopy_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QByteArray>("expectedText");
    const QString copy = QStringLiteral("home/data/kvx/Francais.lng");
    QTest::newRow("first time: copied")
        << QStringList{"prog/Francais.lng"} << copy << QByteArray("template");
    QTest::newRow("a translation in progress is kept")
        << QStringList{"prog/Francais.lng", copy} << copy << QByteArray("mine");
    QTest::newRow("no template: the program's named")
        << QStringList{} << "prog/Francais.lng" << QByteArray();
    QTest::newRow("user's folder blocked by a file")
        << QStringList{"prog/Francais.lng", "home/data/kvx"} << "prog/Francais.lng"
        << QByteArray("template");
}

void TestLanguageList::templateCopy()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expectedPath);
    QFETCH(QByteArray, expectedText);
    for (const QString& file : files)
        make({file}, file.startsWith("prog/") ? "template" : "mine");
    // An installed program: its folder is read-only, the copy goes to the user's.
    const QString path =
        copyLanguageTemplate(at("prog/Francais.lng"), userLanguageFolder(at("missing")));
    QCOMPARE(path, at(expectedPath));
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), expectedText);
}

QTEST_APPLESS_MAIN(TestLanguageList)
#include "tst_LanguageList.moc"
