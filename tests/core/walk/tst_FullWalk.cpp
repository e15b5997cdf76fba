// The one full walk over a folder made by the test: what it visits, in which
// order, with what, and how it is told to leave out hidden entries or stop.
#include "core/tree/ScanDoubles.h"
#include "walk/DirectoryWalkSource.h"
#include "walk/FullWalk.h"

#include <QTemporaryDir>
#include <atomic>

class tst_FullWalk : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(makeEntries(m_dir.path(), {"a/.h/c", "x/", "z"}));
        QVERIFY(writeFile(m_dir.filePath("a/b.txt"), "abc") &&
                writeFile(m_dir.filePath("z"), "zz"));
        QVERIFY(QFile::link("a", m_dir.filePath("l")) &&
                QFile::link(m_dir.filePath("z"), m_dir.filePath("Z2")));
        QVERIFY(::link(QFile::encodeName(m_dir.filePath("z")),
                       QFile::encodeName(m_dir.filePath("z3"))) == 0);
        QVERIFY(QFile::setPermissions(m_dir.filePath("x"), QFileDevice::Permissions()));
    }

    // Each entry as "number<parent path kind size", hidden ones marked "h",
    // unread folders "u", files of two names "n2"; then the totals and what
    // could not be read.
    void walk_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<int>("cancelAt"); // the visit that cancels, 0 for none
        QTest::addColumn<QString>("visits");
        QTest::addColumn<QString>("totals");
        QTest::newRow("everything")
            << true << 0
            << "1<0 a folder 0|2<1 a/.h folder 0 h|3<2 a/.h/c file 0|4<1 a/b.txt file 3|"
               "5<0 l link 0|6<0 x folder 0 u|7<0 z file 2 n2|8<0 Z2 link 0|9<0 z3 file 2 n2|"
            << "folders 3 files 4 links 2 bytes 7, x: Permission denied";
        QTest::newRow("hidden left out")
            << false << 0
            << "1<0 a folder 0|2<1 a/b.txt file 3|3<0 l link 0|4<0 x folder 0 u|5<0 z file 2 n2|"
               "6<0 Z2 link 0|7<0 z3 file 2 n2|"
            << "folders 2 files 3 links 2 bytes 7, x: Permission denied";
        QTest::newRow("cancelled") << true << 3
                                   << "1<0 a folder 0|2<1 a/.h folder 0 h|"
                                      "3<2 a/.h/c file 0|"
                                   << "folders 2 files 1 links 0 bytes 0, cancelled";
    }
    void walk()
    {
        QFETCH(bool, hidden);
        QFETCH(int, cancelAt);
        std::atomic<bool> cancel = false;
        kvx::WalkProgress last;
        kvx::WalkOptions options;
        options.hidden = hidden;
        options.cancel = &cancel;
        options.progress = [&last](const kvx::WalkProgress& progress) { last = progress; };
        QString visits;
        QHash<qint64, QString> paths;
        kvx::DirectoryWalkSource source(m_dir.path());
        const WithoutReadRights lockedOut;
        const kvx::WalkResult result = kvx::walkAll(source, options, [&](const kvx::WalkVisit& v) {
            const QString path = kvx::walkPath(v.folder, v.item.name);
            QCOMPARE(paths.value(v.parent), v.folder);
            paths.insert(v.number, path);
            const char* kinds[] = {"file", "folder", "link"};
            visits += QString("%1<%2 %3 %4 %5%6%7%8|")
                          .arg(v.number)
                          .arg(v.parent)
                          .arg(path, kinds[int(v.item.kind)])
                          .arg(v.item.size)
                          .arg(v.hidden ? " h" : "", v.unreadable ? " u" : "",
                               v.item.links > 1 && v.item.kind == kvx::WalkKind::File ? " n2" : "");
            if (v.number == cancelAt)
                cancel = true;
        });
        QTEST(visits, "visits");
        QString totals = QString("folders %1 files %2 links %3 bytes %4")
                             .arg(result.totals.folders)
                             .arg(result.totals.files)
                             .arg(result.totals.links)
                             .arg(result.totals.bytes);
        for (const kvx::WalkProblem& problem : result.unreadable)
            totals += ", " + problem.path + ": " + problem.reason;
        QTEST(totals + (result.cancelled ? ", cancelled" : ""), "totals");
        QCOMPARE(last.files, result.totals.files); // the last report is the end
    }
};

QTEST_GUILESS_MAIN(tst_FullWalk)
#include "tst_FullWalk.moc"
