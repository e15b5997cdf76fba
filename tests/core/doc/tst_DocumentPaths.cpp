#include "doc/DocumentPaths.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace kvx;

class tst_DocumentPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void extension_data();
    void extension();
    void dialogFolder();
};

void tst_DocumentPaths::extension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    // What the dialog service returns for the names typed, then what is written.
    QTest::newRow("Arbre") << "/d/Arbre.kvx"
                           << "/d/Arbre.kvx";
    QTest::newRow("Arbre.KVX") << "/d/Arbre.KVX.kvx"
                               << "/d/Arbre.KVX.kvx";
    QTest::newRow("Arbrekvx") << "/d/Arbrekvx"
                              << "/d/Arbrekvx.kvx";
    QTest::newRow("capitals only") << "/d/Arbre.KVX"
                                   << "/d/Arbre.KVX.kvx";
    QTest::newRow(".kvx inside the name") << "/d/a.kvx.bak"
                                          << "/d/a.kvx.bak";
    QTest::newRow(".kvx only in a folder") << "/d/old.kvx.d/Arbre"
                                           << "/d/old.kvx.d/Arbre.kvx";
}

void tst_DocumentPaths::extension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(withDocumentExtension(chosen), saved);
}

void tst_DocumentPaths::dialogFolder()
{
    QTemporaryDir dir;
    QCOMPARE(documentDialogFolder(dir.path()), dir.path());

    const QString installed = dir.filePath(QStringLiteral("lib/kvx"));
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QFile::setPermissions(installed, QFile::ReadOwner | QFile::ExeOwner));
    const QString elsewhere = documentDialogFolder(dir.filePath(QStringLiteral("missing")));
    QVERIFY(elsewhere != dir.filePath(QStringLiteral("missing")));
    QVERIFY(QFileInfo(elsewhere).isDir());
    if (::geteuid() != 0)
        QCOMPARE(documentDialogFolder(installed), elsewhere);
    QVERIFY(
        QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QTEST_GUILESS_MAIN(tst_DocumentPaths)
#include "tst_DocumentPaths.moc"
