#include "dialogs/FileFilter.h"

#include <QTest>

using namespace kvx;

class TestFileFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What a save dialog offers for a filter text, and the name it returns for
    // what the user typed under the selected filter.
    void saveFilterAndExtension_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("pairs"); // description, patterns, ...

        const QString kvx = "*.KVX|*.kvx";
        const QStringList kvxPairs{"*.KVX", "*.kvx"};
        const auto row = [](const char* name, const QString& filter, int selected,
                            const QString& typed, const QString& saved, const QStringList& pairs) {
            QTest::newRow(name) << filter << selected << typed << saved << pairs;
        };
        row("bare", kvx, 1, "/h/Arbre", "/h/Arbre.kvx", kvxPairs);
        row("extension kept", kvx, 1, "/h/Arbre.kvx", "/h/Arbre.kvx", kvxPairs);
        row("case counts", kvx, 1, "/h/Arbre.KVX", "/h/Arbre.KVX.kvx", kvxPairs);
        row("blanks trimmed", kvx, 1, "  /tmp/a  ", "/tmp/a.kvx", kvxPairs);
        row("no inner dot", "Tree|.kvx", 1, "/tmp/Arbre", "/tmp/Arbre..kvx", {"Tree", ".kvx"});
        row("ends in pattern", "Tree|.kvx", 1, "/tmp/A.kvx", "/tmp/A.kvx", {"Tree", ".kvx"});
        row("second filter", "Trees|*.kvx|Text|*.txt", 2, "/tmp/l", "/tmp/l.txt",
            {"Trees", "*.kvx", "Text", "*.txt"});
        row("double extension", "Tar|*.tar.gz", 1, "/tmp/a", "/tmp/a.tar.gz", {"Tar", "*.tar.gz"});
        // "*.*" becomes the all-files filter, whose wildcard appends nothing.
        row("all files", "*.*", 1, "/tmp/notes", "/tmp/notes", {"All Files (*.*)", "*.*"});
        row("empty", "", 1, "/tmp/a", "/tmp/a", {});
    }
    void saveFilterAndExtension()
    {
        QFETCH(QString, filter);
        QFETCH(int, selected);
        QFETCH(QString, typed);
        const QString shown = saveDialogFilter(filter);
        QStringList got;
        for (const FilterPair& pair : parseFilter(shown))
            got << pair.description << pair.patterns;
        QTEST(got, "pairs");
        QTEST(applySaveExtension(typed, shown, selected), "saved");
    }
};

QTEST_APPLESS_MAIN(TestFileFilter)
#include "tst_FileFilter.moc"
