// The catalogue of discs through the real kvx program: folders and ISO images
// made by the test, what the commands print, and a catalogue that survives
// kills, other processes, other users and files that are no catalogue.
#include "core/tree/ScanDoubles.h"
#include "support/OtherUser.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <csignal>
#include <sys/stat.h>

namespace {

struct Run
{
    int status = -1;
    QString out, err;
};

constexpr qint64 kTime = 1563099751; // 2019-07-14T10:22:31Z

// Every entry below `folder`, the folder itself included, made `seconds` old.
void setTimes(const QString& folder, qint64 seconds = kTime)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ::utimensat(AT_FDCWD, QFile::encodeName(it.next()).constData(), times, AT_SYMLINK_NOFOLLOW);
    ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0);
}

// A disc of odd names, accents, hidden entries, links and a hard link.
void makeDisc(const QString& disc)
{
    QVERIFY(makeEntries(disc, {"Musique/", "Photos/Été 2019/", ".cache/", "a b$c.txt"}));
    const std::pair<const char*, QByteArray> files[] = {{"Musique/Café Noir.mp3", "1234567"},
                                                        {"Photos/Été 2019/la plage.png", "abc"},
                                                        {"Photos/Été 2019/Plage", "1"},
                                                        {"Photos/Été 2019/plage.JPG", "12345"},
                                                        {"Photos/Plage du Midi.jpg", "123456789A"},
                                                        {"Ünïcödé ÆØ.txt", "12"},
                                                        {"readme", "1234"},
                                                        {".cache/hidden.bin", "123"},
                                                        {".cachée", "12"}};
    for (const auto& [name, bytes] : files)
        QVERIFY(writeFile(disc + '/' + QString::fromUtf8(name), bytes));
    QVERIFY(::link(QFile::encodeName(disc + "/readme").constData(),
                   QFile::encodeName(disc + "/readme-hard").constData()) == 0);
    QVERIFY(QFile::link("Photos", disc + "/lien") && QFile::link("nowhere", disc + "/perdu"));
    setTimes(disc);
}

QByteArray digest(const QString& path)
{
    return QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1);
}

} // namespace

class tst_catalogue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The real program, in UTC, with the test's home.
    static Run kvx(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TZ", "UTC");
        process.setProcessEnvironment(environment);
        process.start(KVX_TEST_PROGRAM_DIR "/kvx", arguments);
        const bool ended =
            process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // "DISC", "ISO", "CHANGED", "FOLDER" and "CAT" (the catalogue option)
    // stand for the test's files; "&&" runs another command first.
    QList<QStringList> commands(const QString& line) const
    {
        QList<QStringList> all;
        for (const QString& command : line.split(" && ")) {
            QStringList arguments;
            for (QString word : command.split(' ', Qt::SkipEmptyParts)) {
                if (word == "CAT") {
                    arguments << "--catalogue" << path("catalogue.sqlite");
                    continue;
                }
                for (const char* name : {"DISC", "ISO", "CHANGED"})
                    word.replace(name, path(QString::fromLatin1(name).toLower()));
                arguments << word.replace("FOLDER", m_dir.path());
            }
            all.append(arguments);
        }
        return all;
    }

    // The discs of the catalogue, after SQLite's checks of it and its index.
    QString checkedDiscs() const
    {
        QString discs = "damaged";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(path("catalogue.sqlite"));
            QSqlQuery query(db);
            if (db.open() && query.exec("PRAGMA integrity_check") && query.next() &&
                query.value(0) == "ok" &&
                query.exec("INSERT INTO names(names) VALUES('integrity-check')") &&
                query.exec("SELECT id, name, entries FROM discs ORDER BY id")) {
                discs.clear();
                while (query.next())
                    discs += QString("%1 %2 %3;")
                                 .arg(query.value(0).toString(), query.value(1).toString(),
                                      query.value(2).toString());
            }
        }
        QSqlDatabase::removeDatabase("check");
        return discs;
    }

    static bool xorriso(const QStringList& arguments)
    {
        QProcess process;
        process.start("xorriso", arguments);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        makeDisc(path("disc"));
        QVERIFY(xorriso(
            {"-as", "mkisofs", "-R", "-J", "-V", "Disque été", "-o", path("iso"), path("disc")}));
        QVERIFY(xorriso({"-outdev", "stdio:" + path("empty.iso"), "-volid", "VIDE", "-commit"}));
        QByteArray udf(40960, '\0'); // volume recognition descriptors, no ISO 9660 one
        for (int i = 0; i < 3; ++i)
            udf.replace(32769 + 2048 * i, 5, QByteArray("BEA01NSR02TEA01").mid(5 * i, 5));
        QVERIFY(writeFile(path("udf.img"), udf) && writeFile(path("note.txt"), "hello"));

        // The disc as it is later: gone, grown, retouched, replaced, added.
        QVERIFY(QProcess::execute("cp", {"-a", path("disc"), path("changed")}) == 0);
        const QString changed = path("changed");
        QVERIFY(QFile::remove(changed + "/Musique/Café Noir.mp3") &&
                QDir(changed + "/.cache").removeRecursively() && QFile::remove(changed + "/perdu"));
        QVERIFY(makeEntries(changed, {"perdu", "Nouveau.txt", "Neuf/dedans.txt"}));
        QVERIFY(writeFile(changed + "/readme", "123456789"));
        setTimes(changed);
        setTimes(changed + "/Photos/Plage du Midi.jpg", kTime + 5);
        setTimes(changed + "/a b$c.txt", kTime + 1); // within the 2 s times are rounded to
    }

    void init()
    {
        for (const QString& name : entries(m_dir.path())) {
            if (name.startsWith("catalogue.sqlite"))
                QVERIFY(QFile::remove(path(name)));
        }
        // Made once: the program leaves a whole catalogue in one file.
        if (!QFileInfo::exists(path("made.sqlite"))) {
            for (const char* disc : {"DISC", "ISO"}) {
                const Run added = kvx(commands(QString("catalogue add %1 CAT").arg(disc)).first() +
                                      QStringList{"--note", "boîte bleue, étagère 2"});
                QCOMPARE(added.status, 0);
            }
            QVERIFY(QFile::rename(path("catalogue.sqlite"), path("made.sqlite")));
        }
        QVERIFY(QFile::copy(path("made.sqlite"), path("catalogue.sqlite")));
    }

    // Each command on a catalogue of the disc (KVX-0001, noted) and its ISO
    // image (KVX-0002): what it prints, in UTC, the dates of the records as
    // "DATE", and its exit status.
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString t = "\t2019-07-14T10:22:31Z\n";
        const QString one = "KVX-0001\tdisc\t", two = "KVX-0002\tDisque été\t";
        const auto row = [](const char* command, int status, const QString& out,
                            const QString& err = {}) {
            QTest::newRow(command) << QString(command) << status << out << err;
        };
        const auto fails = [&row](const char* command, const char* error) {
            row(command, 2, {}, "kvx: " + QString(error) + '\n');
        };
        row("find PLAGE --disc KVX-0001 CAT", 0,
            one + "/Photos/Été 2019/Plage\t1" + t + one + "/Photos/Été 2019/plage.JPG\t5" + t +
                one + "/Photos/Plage du Midi.jpg\t10" + t + one +
                "/Photos/Été 2019/la plage.png\t3" + t);
        row("find plage --limit 3 CAT", 0,
            one + "/Photos/Été 2019/Plage\t1" + t + two + "/Photos/Été 2019/Plage\t1" + t + one +
                "/Photos/Été 2019/plage.JPG\t5" + t);
        row("find æø CAT", 0, one + "/Ünïcödé ÆØ.txt\t2" + t + two + "/Ünïcödé ÆØ.txt\t2" + t);
        row("find ü --disc 2 CAT", 0, two + "/Ünïcödé ÆØ.txt\t2" + t);
        row("find l --disc 1 CAT", 0,
            one + "/lien\t0" + t + one + "/Photos/Été 2019/la plage.png\t3" + t);
        row("find RE --disc 1 CAT", 0, one + "/readme\t4" + t + one + "/readme-hard\t4" + t);
        row("find .cach --disc kvx-1 CAT", 0, one + "/.cache\t0" + t + one + "/.cachée\t2" + t);
        row("find ETE --json --disc 2 CAT", 0,
            "[\n    {\n        \"disc\": \"KVX-0002\",\n        \"disc_name\": \"Disque été\",\n"
            "        \"kind\": \"folder\",\n        \"mtime\": \"2019-07-14T10:22:31Z\",\n"
            "        \"path\": \"/Photos/Été 2019\",\n        \"size\": 0\n    }\n]\n");
        row("find xyz CAT", 1, {});
        row("catalogue list CAT", 0,
            "KVX-0001\tdisc\tboîte bleue, étagère 2\tDATE\t17\t37\n"
            "KVX-0002\tDisque été\tboîte bleue, étagère 2\tDATE\t17\t37\n");
        row("catalogue note KVX-0002 rouge CAT && catalogue remove KVX-0001 CAT && catalogue list "
            "CAT",
            0, "KVX-0002\tDisque été\trouge\tDATE\t17\t37\n");
        row("catalogue remove KVX-0002 CAT && catalogue add ISO CAT", 0, "KVX-0003\n");
        row("catalogue add DISC --replace --disc-name Autre CAT && catalogue add DISC "
            "--replace CAT && catalogue list CAT",
            0,
            "KVX-0001\tdisc\tboîte bleue, étagère 2\tDATE\t17\t37\nKVX-0002\tDisque été\t"
            "boîte bleue, étagère 2\tDATE\t17\t37\nKVX-0003\tAutre\t\tDATE\t17\t37\n");
        fails("catalogue add DISC CAT",
              "this disc is in the catalogue already, as KVX-0001 (--replace records it again)");
        row("catalogue verify 1 ISO CAT", 0, {});
        row("catalogue verify KVX-0002 CHANGED CAT", 1,
            "missing\t/.cache/\nmissing\t/Musique/Café Noir.mp3\nnew\t/Neuf/\nnew\t/Nouveau.txt\n"
            "changed\t/perdu\tlink -> file\nchanged\t/Photos/Plage du Midi.jpg\ttime "
            "2019-07-14T10:22:31Z -> 2019-07-14T10:22:36Z\nchanged\t/readme\tsize 4 -> 9\n"
            "changed\t/readme-hard\tsize 4 -> 9\n");
        fails("catalogue verify KVX-0009 DISC CAT", "no disc KVX-0009 in the catalogue");
        fails("catalogue note 9 x CAT", "no disc KVX-0009 in the catalogue");
        fails("catalogue verify 1 FOLDER/none CAT", "no such folder: FOLDER/none");
        fails("catalogue add FOLDER/empty.iso CAT",
              "the disc image FOLDER/empty.iso holds nothing");
        fails("catalogue add FOLDER/udf.img CAT",
              "FOLDER/udf.img is a UDF disc image, which KVX cannot read: only ISO 9660 images "
              "are (mount it and give the folder)");
        fails("--from FOLDER/note.txt --list",
              "FOLDER/note.txt is neither a folder nor an ISO 9660 disc image");
        fails("find ̀ CAT", "nothing to find in \"̀\"");
        fails("find x --limit -1 CAT", "--limit takes a whole number of 0 or more, not \"-1\"");
        fails("find x --replace CAT", "--replace does not go with kvx find TEXT");
        fails("catalogue add CAT", "usage: kvx catalogue add PATH (see kvx --help)");
        fails("catalogue copy CAT",
              "unknown catalogue command \"copy\": add, list, note, remove or verify");
        fails("catalogue note KVX-A x CAT", "not a disc identifier: \"KVX-A\" (such as KVX-0001)");
        fails("--list CAT", "--catalogue goes with kvx catalogue ... or kvx find ...");
    }
    void commands()
    {
        QFETCH(QString, command);
        const QList<QStringList> runs = commands(command);
        for (qsizetype i = 0; i + 1 < runs.size(); ++i)
            QCOMPARE(kvx(runs[i]).status, 0);
        Run run = kvx(runs.last());
        run.out.replace(QRegularExpression("\\t20[2-9]\\d-[\\d-]+T[\\d:]+Z\\t"), "\tDATE\t");
        QTEST(run.out, "out");
        QTEST(run.err.replace(m_dir.path(), "FOLDER"), "err");
        QTEST(run.status, "status");
    }

    // The tree of an ISO image made from a folder is the folder's tree.
    void imageListsLikeItsFolder()
    {
        for (const char* options : {"--list", "--expand 9 --add *.* --list"}) {
            const QStringList arguments = QString(options).split(' ');
            const Run folder = kvx(QStringList{"--from", path("disc")} + arguments);
            const Run image = kvx(QStringList{"--from", path("iso")} + arguments);
            QCOMPARE(image.status, 0);
            QCOMPARE(image.out.section('\n', 0, 0), path("iso") + '/');
            QCOMPARE(image.out.section('\n', 1), folder.out.section('\n', 1));
            QVERIFY(folder.out.count('\n') > 2);
        }
    }

    // A file given as the catalogue that is none, comes from a newer KVX or
    // is damaged: one line, exit 2, the file as it was and nothing beside it.
    void untouched_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("text") << "text"
                              << "FILE is not a KVX catalogue";
        QTest::newRow("other database") << "other"
                                        << "FILE is not a KVX catalogue";
        QTest::newRow("newer") << "newer"
                               << "FILE was written by a newer KVX (catalogue version 99; this "
                                  "one reads up to version 1)";
        QTest::newRow("damaged") << "damaged"
                                 << "the catalogue FILE is damaged (database disk image is "
                                    "malformed); it was left as it is";
    }
    void untouched()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString file = dir.filePath("c.sqlite");
        if (kind == "text") {
            QVERIFY(writeFile(file, "Mes disques\n"));
        } else {
            if (kind != "other")
                QCOMPARE(kvx({"catalogue", "add", path("disc"), "--catalogue", file}).status, 0);
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kind);
                db.setDatabaseName(file);
                QVERIFY(db.open());
                QSqlQuery query(db);
                QVERIFY(query.exec(kind == "other" ? "CREATE TABLE t(x)"
                                                   : "PRAGMA journal_mode=DELETE"));
                if (kind == "newer")
                    QVERIFY(query.exec("PRAGMA user_version=99"));
            }
            QSqlDatabase::removeDatabase(kind);
            if (kind == "damaged") {
                QFile damage(file);
                QVERIFY(damage.open(QIODevice::ReadWrite) && damage.seek(100));
                damage.write(QByteArray(2000, '\xff'));
            }
        }
        const QByteArray before = digest(file);
        QFETCH(QString, error);
        for (const QStringList& command :
             {QStringList{"catalogue", "add", path("disc")}, QStringList{"find", "plage"},
              QStringList{"catalogue", "list"}, QStringList{"catalogue", "remove", "1"}}) {
            const Run run = kvx(command + QStringList{"--catalogue", file});
            QCOMPARE(run.status, 2);
            QCOMPARE(run.err, "kvx: " + QString(error).replace("FILE", file) + '\n');
        }
        QCOMPARE(digest(file), before);
        QCOMPARE(entries(dir.path()), QStringList{"c.sqlite"});
    }

    // An add killed at any moment leaves the catalogue it found: whole, with
    // the same discs (or the new one too, had the add ended).
    void killedAdd()
    {
        for (int f = 0; f < 60; ++f) {
            QStringList names;
            for (int i = 0; i < 100; ++i)
                names << QString("dossier %1/fichier numéro %2.txt").arg(f).arg(i);
            QVERIFY(makeEntries(path("big"), names));
        }
        const QStringList catalogue{"--catalogue", path("catalogue.sqlite")};
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(kvx(QStringList{"catalogue", "add", path("big")} + catalogue).status, 0);
        const qint64 full = clock.elapsed();
        const QString before = checkedDiscs();
        for (int round = 0; round < 20; ++round) {
            QProcess add;
            add.start(KVX_TEST_PROGRAM_DIR "/kvx",
                      QStringList{"catalogue", "add", path("big"), "--disc-name", "encore"} +
                          catalogue);
            QVERIFY(add.waitForStarted());
            QTest::qSleep(QRandomGenerator::global()->bounded(int(full) + 1));
            ::kill(pid_t(add.processId()), SIGKILL);
            add.waitForFinished();
            const QString after = checkedDiscs();
            if (after != before) { // the add was over before the kill
                QCOMPARE(after.section(';', 0, 2), before.section(';', 0, 2));
                const QString added = after.section(';', 3);
                QVERIFY2(added.endsWith(" encore 6060;"), qPrintable(added));
                QCOMPARE(
                    kvx(QStringList{"catalogue", "remove", added.section(' ', 0, 0)} + catalogue)
                        .status,
                    0);
            }
        }
    }

    // Two adds at once both succeed, each with its own identifier.
    void addsAtOnce()
    {
        QProcess first, second;
        for (QProcess* add : {&first, &second})
            add->start(KVX_TEST_PROGRAM_DIR "/kvx",
                       {"catalogue", "add", path("changed"), "--disc-name",
                        add == &first ? "un" : "deux", "--catalogue", path("catalogue.sqlite")});
        for (QProcess* add : {&first, &second})
            QVERIFY(add->waitForFinished(60000) && add->exitCode() == 0);
        const QString ids = first.readAllStandardOutput() + second.readAllStandardOutput();
        QVERIFY(ids == "KVX-0003\nKVX-0004\n" || ids == "KVX-0004\nKVX-0003\n");
    }

    // As a user who may not read a sub-folder: it is said in one warning line
    // and recorded as such; a catalogue that user may not write still
    // searches, and refuses changes; a new catalogue is the user's alone.
    void otherUser()
    {
        kvx::test::OtherUser other;
        QVERIFY(other.isValid());
        const QString disc = other.path("disque");
        QVERIFY(makeEntries(disc, {"ouvert/plage.jpg", "fermé/secret.txt"}));
        kvx::test::OtherUser::giveAway(disc);
        QVERIFY(::chmod(QFile::encodeName(disc + "/fermé").constData(), 0) == 0);
        const auto added = other.kvx({"catalogue", "add", disc});
        QCOMPARE(QString(added.out), "KVX-0001\n");
        QCOMPARE(QString(added.err),
                 "kvx: warning: 1 folder could not be read and is recorded as unread: "
                 "/fermé (Permission denied)\n");
        QCOMPARE(other.kvx({"catalogue", "verify", "1", disc}).exitCode, 0);
        QCOMPARE(QString(other.kvx({"find", "ferme"}).out).section('\t', 2, 2), "/fermé");
        struct stat made;
        QVERIFY(::stat(QFile::encodeName(other.path("home/.local/share/kvx/catalogue.sqlite")),
                       &made) == 0);
        QCOMPARE(made.st_mode & 0777, 0600u);

        QVERIFY(QDir().mkpath(other.path("ro")));
        const QString readOnly = other.path("ro/c.sqlite");
        QVERIFY(QFile::copy(path("catalogue.sqlite"), readOnly));
        QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0444) == 0 &&
                ::chmod(QFile::encodeName(other.path("ro")).constData(), 0555) == 0);
        const auto found = other.kvx({"find", "plage", "--catalogue", readOnly});
        QCOMPARE(found.exitCode, 0);
        QCOMPARE(found.out.count('\n'), 8);
        const auto noted = other.kvx({"catalogue", "note", "1", "x", "--catalogue", readOnly});
        QCOMPARE(noted.exitCode, 2);
        QCOMPARE(QString(noted.err),
                 "kvx: cannot write the catalogue " + readOnly + ": Permission denied\n");
        QCOMPARE(entries(other.path("ro")), QStringList{"c.sqlite"});
    }
};

QTEST_GUILESS_MAIN(tst_catalogue)
#include "tst_catalogue.moc"
