#include "core/tree/ScanDoubles.h"
#include "support/OtherUser.h"
#include "util/FileReplacement.h"

#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

using namespace kvx;
using kvx::test::OtherUser;

// "doc" replaced: only a regular file or a new name, through a temporary file
// made once something is written, with the old file's permissions, owner and
// group. At the end the target is checked again: what it became meanwhile is
// refused as it would have been at first. A refusal gives the system's
// reason and leaves the folder as it was.
class TestFileReplacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replace_data()
    {
        QTest::addColumn<QString>("target"); // what "doc" is at first
        QTest::addColumn<QString>("change"); // what it becomes before the end
        QTest::addColumn<QString>("reason"); // empty when the file is replaced
        const auto row = [](const char* target, const char* change, const QString& reason) {
            QTest::addRow("%s%s%s", target, *change ? ", then " : "", change)
                << QString(target) << QString(change) << reason;
        };
        const QString folder = "not a regular file but a folder";
        const QString pipe = "not a regular file but a pipe";
        row("new", "", "");
        row("file", "", ""); // of another user: its owner kept where the system allows
        row("link to file", "", "");
        row("file with a second name", "", ""); // which keeps the old content
        row("file beside a temporary file a killed run left", "", "");
        row("folder", "", folder);
        row("pipe", "", pipe);
        row("link to pipe", "", pipe);
        row("link", "", "a symbolic link to a file that does not exist");
        row("no folder", "", qt_error_string(ENOENT));
        row("file, full disc", "", qt_error_string(EFBIG));
        row("file", "folder with files", folder);
        row("new", "pipe", pipe);
        row("new", "file", "");
    }
    void replace()
    {
        QFETCH(QString, target);
        QFETCH(QString, change);
        QFETCH(QString, reason);
        QTemporaryDir temporary;
        const QString dir = temporary.path();
        const QString path = dir + (target == "no folder" ? "/no/doc" : "/doc");
        const QString otherName = dir + "/other";
        QFile old(target == "link to file" ? otherName : path);
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        if (target.startsWith("file") || target == "link to file") {
            QVERIFY(writeFile(old.fileName(), "old") && old.setPermissions(permissions));
            OtherUser::giveAway(old.fileName());
        }
        QVERIFY(!target.endsWith("pipe") ||
                ::mkfifo(QFile::encodeName(target == "pipe" ? path : otherName), 0600) == 0);
        QVERIFY(!target.startsWith("link") || QFile::link("other", path));
        QVERIFY(target != "folder" || QDir().mkdir(path));
        QVERIFY(!target.contains("second") ||
                ::link(QFile::encodeName(path), QFile::encodeName(otherName)) == 0);
        QVERIFY(!target.contains("killed") || writeFile(dir + "/.doc.k1ll3d00", "left"));
        const auto owner = [](const QString& file) {
            const QFileInfo info(file);
            return QString("%1:%2 %3")
                .arg(info.ownerId())
                .arg(info.groupId())
                .arg(info.permissions());
        };
        const QString ownerBefore = owner(old.fileName());
        const QStringList before = entries(dir);

        FileReplacement file(path);
        bool replaced = file.begin();
        QCOMPARE(entries(dir), before); // nothing made yet
        if (change == "folder with files")
            QVERIFY(QFile::remove(path) && makeEntries(path, {"inner/", "f"}));
        QVERIFY(change != "pipe" || ::mkfifo(QFile::encodeName(path), 0600) == 0);
        QVERIFY(change != "file" || writeFile(path, "meanwhile"));
        const QStringList changed = entries(dir);
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, limited{40, RLIM_INFINITY};
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, target.endsWith("disc") ? &limited : &unlimited) == 0);
        replaced = replaced && file.write(QByteArray(100, 'n'));
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        replaced = replaced && file.commit();

        QCOMPARE(file.errorString(), reason);
        QCOMPARE(replaced, reason.isEmpty());
        QCOMPARE(entries(dir), replaced && target == "new" && change.isEmpty()
                                   ? QStringList(before) << "doc"
                                   : changed); // no temporary file left
        QCOMPARE(file.otherLinks(), target.contains("second") && replaced ? 1 : 0);
        if ((target.startsWith("file") || target == "link to file") && change.isEmpty()) {
            QCOMPARE(readFile(old.fileName()), replaced ? QByteArray(100, 'n') : QByteArray("old"));
            QCOMPARE(owner(old.fileName()), ownerBefore);
        }
        if (target.contains("second"))
            QCOMPARE(readFile(otherName), QByteArray("old"));
        if (target.contains("killed"))
            QCOMPARE(readFile(dir + "/.doc.k1ll3d00"), QByteArray("left"));
    }
};

QTEST_GUILESS_MAIN(TestFileReplacement)
#include "tst_FileReplacement.moc"
