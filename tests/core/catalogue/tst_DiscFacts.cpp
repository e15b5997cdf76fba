// What the system tells of a disc, read from a mount table and /dev/disk
// links made by the test.
#include "catalogue/DiscFacts.h"
#include "core/tree/ScanDoubles.h"

#include <QTemporaryDir>

class tst_DiscFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void facts_data()
    {
        QTest::addColumn<QString>("folder"); // below the test's folder
        QTest::addColumn<QString>("facts");
        QTest::newRow("mount point") << "media/Mes photos"
                                     << "mounted vfat, Mes photos, ABCD-1234";
        QTest::newRow("inside") << "media/Mes photos/2019"
                                << "vfat, , ";
        QTest::newRow("elsewhere") << "home"
                                   << "ext4, , ";
    }
    void facts()
    {
        QTemporaryDir dir;
        const QString root = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(makeEntries(root, {"media/Mes photos/2019/", "home/", "dev/sda1", "dev/sdb1",
                                   "dev/disk/by-uuid/", "dev/disk/by-label/", "proc/self/"}));
        QVERIFY(QFile::link("../../sdb1", root + "/dev/disk/by-uuid/ABCD-1234") &&
                QFile::link("../../sda1", root + "/dev/disk/by-uuid/1111") &&
                QFile::link("../../sdb1", root + "/dev/disk/by-label/Mes\\x20photos"));
        const QString media = QString(root + "/media/Mes photos").replace(' ', "\\040");
        QVERIFY(writeFile(root + "/proc/self/mountinfo",
                          "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                          "30 20 0:5 / /proc rw - proc proc rw\n"
                          "40 20 8:17 / " +
                              media.toUtf8() + " rw,nosuid shared:1 - vfat /dev/sdb1 rw\n"));
        QFETCH(QString, folder);
        const kvx::DiscFacts facts = kvx::discFacts(root + '/' + folder, root);
        QTEST(QString("%1%2, %3, %4")
                  .arg(facts.mountPoint ? "mounted " : "", facts.fsType, facts.label, facts.uuid),
              "facts");
        QVERIFY(facts.capacity && facts.freeSpace && *facts.capacity >= *facts.freeSpace);
    }
};

QTEST_GUILESS_MAIN(tst_DiscFacts)
#include "tst_DiscFacts.moc"
