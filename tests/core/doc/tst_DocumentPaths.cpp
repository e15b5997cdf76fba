#include "doc/DocumentPaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace kvx;

class tst_DocumentPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void extension();
    void dialogFolder();
};

void tst_DocumentPaths::extension()
{
    // What the dialog service returns, then what the save command writes.
    for (const auto& [chosen, saved] : std::initializer_list<std::pair<QString, QString>>{
             {"/d/Arbre.kvx", "/d/Arbre.kvx"},
             {"/d/Arbre.KVX.kvx", "/d/Arbre.KVX.kvx"},
             {"/d/Arbrekvx", "/d/Arbrekvx.kvx"},
             {"/d/Arbre.KVX", "/d/Arbre.KVX.kvx"},
             {"/d/a.kvx.bak", "/d/a.kvx.bak"},
             {"/d/old.kvx.d/Arbre", "/d/old.kvx.d/Arbre.kvx"}})
        QCOMPARE(withDocumentExtension(chosen), saved);
}

void tst_DocumentPaths::dialogFolder()
{
    QTemporaryDir dir;
    QCOMPARE(documentDialogFolder(dir.path()), dir.path());
    const QString installed = dir.filePath("lib/kvx");
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QFile::setPermissions(installed, QFile::ReadOwner | QFile::ExeOwner));
    const QString elsewhere = documentDialogFolder(dir.filePath("missing"));
    QVERIFY(elsewhere != dir.filePath("missing") && QFileInfo(elsewhere).isDir());
    if (::geteuid() != 0)
        QCOMPARE(documentDialogFolder(installed), elsewhere);
}

QTEST_GUILESS_MAIN(tst_DocumentPaths)
#include "tst_DocumentPaths.moc"
