#include "core/tree/ScanDoubles.h"
#include "doc/IniFile.h"
#include "doc/LoadReport.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "print/CoverChoice.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace kvx;

namespace {

// An expanded bold root, a red sub-folder, a picture file inside it, saved
// where "," is the decimal separator.
const QByteArray kExample =
    "[FileInfo]\r\nType=TVW FILE\r\nVersion=1.0\r\n[TreeView]\r\nAppearance=1\r\n"
    "BorderStyle=1\r\nCheckboxes=0\r\nFullRowSelect=0\r\nHideSelection=1\r\n"
    "ImageList=ImageList1\r\nIndentation=566,9292\r\nLabelEdit=0\r\nLineStyle=1\r\n"
    "PathSeparator=\\\r\nSorted=0\r\nStyle=7\r\nToolTipText=\r\n[Nodes]\r\nCount=3\r\n"
    "Node1=D:\\|ROOT|D:\\|0E|0\r\nImage1=2|3|\r\nStyle1=0|-2147483643|1|0|1\r\n"
    "Node2=Photos|1|D:\\Photos\\|1|0\r\nImage2=1|3|\r\nStyle2=255|-2147483643|0|0|0\r\n"
    "Node3=plage.jpg|2||JPG|0\r\nImage3=9||\r\nStyle3=0|-2147483643|0|0|0\r\n";
const QByteArray kHeader = "[FileInfo]\r\nType=TVW FILE\r\nVersion=1.0\r\n[Nodes]\r\n";

// The window's list after reading three icons: 9 is "jpg".
const ImageRegistry kImages = [] {
    ImageRegistry list = ImageRegistry::withBuiltIns();
    for (const char* key : {"bmp", "gif", "jpg"})
        list.add(QString::fromLatin1(key));
    return list;
}();

// Each node as its entry lists it; with `full`, also its pictures (by place
// in the list), colours, bold, checked and expanded flags, and its row.
QStringList dump(const NodeTree& tree, bool full = false)
{
    auto pic = [](const ImageRef& r) {
        return r.isNone() ? QStringLiteral("-") : QString::number(kImages.positionOf(r));
    };
    QStringList out;
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* n = tree.nodeAt(i);
        const QString parent = n->parent() ? QString::number(n->parent()->index()) : "ROOT";
        QStringList fields{n->text(), parent, n->key(), n->tag(), BoolToFlag(n->sorted())};
        if (full)
            fields << pic(n->image()) << pic(n->selectedImage()) << pic(n->expandedImage())
                   << QString::number(qint32(n->foreColor()))
                   << QString::number(qint32(n->backColor())) << BoolToFlag(n->bold())
                   << BoolToFlag(n->checked()) << BoolToFlag(n->expanded())
                   << QString::number(n->row());
        out.append(fields.join(u'|'));
    }
    return out;
}

qint32 load(NodeTree& tree, TreeViewSettings& settings, const QByteArray& doc, bool all = true)
{
    tree.setImageList(&kImages);
    return LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, all, all);
}

// Whatever was read saves and reads back the same.
void checkRereads(const NodeTree& tree, const TreeViewSettings& settings)
{
    NodeTree again;
    TreeViewSettings read;
    const QByteArray doc = TreeViewDocument(tree, settings, true, true);
    QCOMPARE(doc.count("\r\n"), doc.count('\n')); // no stray line breaks
    QCOMPARE(load(again, read, doc), load_result::Ok);
    QCOMPARE(dump(again, true), dump(tree, true));
    // Indentation keeps the seven significant digits documents always had.
    QVERIFY(qFuzzyCompare(read.indentationTwips, settings.indentationTwips));
    read.indentationTwips = settings.indentationTwips;
    QCOMPARE(read, settings);
}

} // namespace

class tst_TreeViewInFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void example_data();
    void example();
    void reading_data();
    void reading();
    void cover();
    void init() { QLocale::setDefault(QLocale::c()); }
};

void tst_TreeViewInFile::example_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("comma") << QLocale(QLocale::French) << kExample;
    QTest::newRow("dot") << QLocale(QLocale::English) << QByteArray(kExample).replace(",9", ".9");
}

void tst_TreeViewInFile::example()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    NodeTree tree;
    tree.addRoot("old", "old");
    TreeViewSettings settings;
    settings.style = 1;
    QCOMPARE(load(tree, settings, kExample), load_result::Ok); // "," read in either locale
    QCOMPARE(tree.count(), 3);             // every field: written back byte for byte below
    QVERIFY(tree.isShown(tree.nodeAt(2))); // expanded before its child existed
    QVERIFY(tree.nodeAt(3)->isFile());
    // A document without cover values gets none back.
    CoverChoice cover;
    cover.discTitle = "old";
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(kExample), true, true, true,
                                 nullptr, &cover),
             load_result::Ok);
    QTEST(TreeViewDocument(tree, settings, true, true, &cover), "expected");
}

void tst_TreeViewInFile::reading_data()
{
    QTest::addColumn<QByteArray>("doc"); // "<none>": no file at all
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("full");          // pictures and styles read and compared
    QTest::addColumn<QByteArray>("changes"); // [TreeView] lines written back unlike the defaults
    QTest::addColumn<QString>("said");       // what was not read, or read otherwise
    auto row = [](const char* name, const QByteArray& doc, const QStringList& expected, int result,
                  const char* said = "", bool full = false, const QByteArray& changes = {}) {
        QTest::newRow(name) << (doc.startsWith("Count") || doc.startsWith("Node") ? kHeader + doc
                                                                                  : doc)
                            << expected << result << full << changes << QString(said);
    };
    auto setting = [&](const char* name, const char* entries, const char* changes, int result,
                       const char* said = "") {
        row(name, "Count=0\n[TreeView]\n" + QByteArray(entries), {}, result, said, false, changes);
    };
    using namespace load_result;
    const QStringList kept{"kept|ROOT|k||0"};
    row("no file", "<none>", kept, NotADocument);
    row("no type", "[FileInfo]\nVersion=1.0\n[Nodes]\nCount=0\n", kept, NotADocument);
    row("wrong type", "[FileInfo]\nType=tvw file\n[Nodes]\nType=TVW FILE\nCount=0\n", kept,
        NotADocument);
    row("binary",
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0[FileInfo]\0Type=TVW FILE",
                   34),
        kept, NotADocument);
    row("fields",
        "Count=4\nNode1=a|ROOT|k|0|1|x|y\nNode2=b|ROOT|j\nNode3=c|ROOT|i|t|yes\n"
        "Node4=d|1|ROOT|k|t|0\n",
        {"a|ROOT|k|0|1", "b|ROOT|j||0", "c|ROOT|i|t|0", "d|1|ROOT|k|0"}, BadNodeField,
        "the tag or sort flag of 3 nodes could not be read (defaults used)");
    row("skipped", "Count=3\nNode1=a|ROOT\nNode2=b|root|k|t|0\nNode3=c| ROOT|j|t|0\n", {},
        NodeSkipped, "3 node entries could not be read and were left out");
    // Count is the authority, but never a silent one.
    const char* noCount = "Count is missing or not a number: 1 node entry was not read";
    row("no Count", "Node1=a|ROOT|k|t|0\n", {}, BadCount, noCount);
    row("Count over 32 bits", "Count=99999999999\nNode1=a|ROOT|k|t|0\n", {}, BadCount, noCount);
    row("negative Count", "Count=-4\nNode1=a|ROOT|k|t|0\nnode1=b|ROOT|j|t|0\n", {}, Ok,
        "1 node entry numbered beyond Count (-4) was not read");
    row("Count below", "Count=1\nNode1=a|ROOT|k|t|0\nNode2=b|1||t|0\nNode3=c|1||t|0\n",
        {"a|ROOT|k|t|0"}, Ok, "2 node entries numbered beyond Count (1) were not read");
    row("huge Count", "Count=2147483647\nNode1=a|ROOT|k|t|0\nNode3=b|1||t|0\n",
        {"a|ROOT|k|t|0", "b|1||t|0"}, NodeSkipped,
        "2,147,483,645 node entries numbered up to Count are missing");
    row("keys", "Count=4\nNode1=a|ROOT||t|0\nNode2=b|ROOT||t|0\nNode3=c|1|k|t|0\nNode4=d|1|k|t|0\n",
        {"a|ROOT||t|0", "b|ROOT||t|0", "c|1|k|t|0"}, NodeSkipped,
        "1 node entry could not be read and was left out");
    row("bad parents",
        "Count=6\nNode1=a|2|||0\nNode2=r|ROOT|r|t|0\nNode3=b|2|||0\n"
        "Node4=c|-1|||0\nNode5=d|0|||0\nNode6=e|4294967297|||0\n",
        {"r|ROOT|r|t|0"}, NodeSkipped, "5 node entries could not be read and were left out");
    row("skip shifts parents",
        "Count=4\nNode1=r|ROOT|r|0|0\nNode2=x|9|x|1|0\nNode3=b|1|b|1|0\n"
        "Node4=c|3|c|2|0\n",
        {"r|ROOT|r|0|0", "b|1|b|1|0"}, NodeSkipped,
        "2 node entries could not be read and were left out");
    row("blanks", "Count=1\nNode1=   a b |ROOT| k |t |0  \n", {"a b |ROOT| k |t |0"}, Ok);
    row("sort flags", "Count=3\nNode1=a|ROOT|a|t|True\nNode2=b|ROOT|b|t|-1\nNode3=c|ROOT|c|t|0.0\n",
        {"a|ROOT|a|t|1", "b|ROOT|b|t|1", "c|ROOT|c|t|0"}, Ok);
    // Written back percent-encoded, as 1.1 again.
    const QByteArray v11 = "[FileInfo]\nType=TVW FILE\nVersion=1.1\n[Nodes]\nCount=1\nNode1=";
    row("1.1", v11 + "a%7Cb%0D%0Ac%25|ROOT|/m/a%7Cb/|A%7CB|0\n", {"a|b\r\nc%|ROOT|/m/a|b/|A|B|0"},
        Ok);
    row("1.1, a leading blank", v11 + "%09x [Nodes] Count=9|ROOT|||0\n",
        {"\tx [Nodes] Count=9|ROOT|||0"}, Ok);
    row("% in 1.0", "Count=1\nNode1=50%7C|ROOT|k|t|0\n", {"50%7C|ROOT|k|t|0"}, Ok);
    // Each line in its own encoding.
    row("mixed encodings", "Count=2\nNode1=caf\xc3\xa9|ROOT|k|t|0\nNode2=\xe9t\xe9|1||\xc9|0\n",
        {"café|ROOT|k|t|0", "été|1||É|0"}, Ok,
        "lines that are not UTF-8 were read as Windows-1252");
    row("100 MB line", "Count=2\nNode1=a|ROOT|k|t|1\nNode2=" + QByteArray(100 << 20, '|'),
        {"a|ROOT|k|t|1"}, NodeSkipped, "1 node entry could not be read and was left out");
    // A chain whose 2,049th level is the last, then nodes under the root past the 32,767th.
    QByteArray many = "Count=40000\nNode1=r|ROOT|r|0|0\n";
    QStringList first{"r|ROOT|r|0|0"};
    for (int i = 2; i <= 40000; ++i) {
        const int parent = i <= 2100 ? i - 1 : 1;
        many += QStringLiteral("Node%1=n|%2|k%1|1|0\n").arg(i).arg(parent).toLatin1();
        if ((i <= 2049 || i > 2100) && first.size() < NodeTree::MaxNodes)
            first += QStringLiteral("n|%1|k%2|1|0").arg(parent).arg(i);
    }
    row("too deep, too many", many, first, NodeSkipped,
        "7,233 node entries could not be read and were left out");

    QRandomGenerator random(20240517);
    QByteArray garbage(1 << 16, '\0');
    random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    row("garbage", kHeader + garbage, {}, BadCount,
        "Count is missing or not a number; lines that are not UTF-8 were read as Windows-1252");

    setting("settings",
            "sTyLe=2\nCheckboxes=1\nFullRowSelect=True\nHideSelection=-1\nPathSeparator=\\\n"
            "ToolTipText= 'Mes disques '\nImageList=Other\nAppearance=0\nBorderStyle=0\n"
            "LabelEdit=1\nLineStyle=0\nSorted=1\nIndentation= 283.4646 \n",
            "Style=2\nCheckboxes=1\nFullRowSelect=1\nHideSelection=1\nPathSeparator=\\\n"
            "ToolTipText=\"Mes disques \"\nAppearance=0\nBorderStyle=0\nLabelEdit=1\n"
            "LineStyle=0\nSorted=1\nIndentation=283.4646",
            Ok);
    // Each refused, the next still read.
    setting("refused settings",
            "Indentation=-5\nStyle=8\nCheckboxes=maybe\nAppearance=2\nLineStyle=0\n", "LineStyle=0",
            BadSetting, "4 settings could not be read (defaults used)");
    setting("indentation nan", "Indentation=nan\n", "", BadSetting,
            "1 setting could not be read (defaults used)");
    row("pictures and styles",
        "Count=2\nNode1=a|ROOT|a|t|0\nImage1=3|4|\nStyle1=0|0|0|0|0\n"
        "Node2=b|ROOT|b|t|0\nImage2=||9\nStyle2=255|-2147483633|1|1|1\n",
        {"a|ROOT|a|t|0|3|4|-|0|0|0|0|0|0", "b|ROOT|b|t|0|-|-|9|255|-2147483633|1|1|1|1"}, Ok, "",
        true);
    row("no pictures, no styles", "Count=2\nNode1=a|ROOT|a|t|0\nNode2=b|ROOT|b|t|0\n",
        {"a|ROOT|a|t|0|-|-|-|0|-2147483643|0|0|0|0", "b|ROOT|b|t|0|-|-|-|0|-2147483643|0|0|0|1"},
        BadStyle, "no pictures for 2 nodes, no styles for 2 nodes (defaults used)", true);
    row("bad pictures",
        "Count=3\nNode1=a|ROOT|a|t|0\nImage1=9|10|x\nStyle1=0|0|0|0|0\n"
        "Node2=b|ROOT|b|t|0\nImage2=2\nStyle2=0|0|0|0|0\nNode3=c|ROOT|c|t|0\nStyle3=0|0|0|0|0\n",
        {"a|ROOT|a|t|0|9|-|-|0|0|0|0|0|0", "b|ROOT|b|t|0|2|-|-|0|0|0|0|0|1",
         "c|ROOT|c|t|0|-|-|-|0|0|0|0|0|2"},
        BadImage, "no pictures for 1 node, unreadable pictures for 2 nodes (defaults used)", true);
    row("bad styles",
        "Count=2\nNode1=a|ROOT|a|t|0\nImage1=||\nStyle1=red|4294967295|1|x|1\n"
        "Node2=b|ROOT|b|t|0\nImage2=||\nStyle2=16711680\n",
        {"a|ROOT|a|t|0|-|-|-|0|-2147483643|1|0|1|0",
         "b|ROOT|b|t|0|-|-|-|16711680|-2147483643|0|0|0|1"},
        BadStyle, "unreadable styles for 2 nodes (defaults used)", true);
}

void tst_TreeViewInFile::reading()
{
    QFETCH(QByteArray, doc);
    QFETCH(bool, full);
    QFETCH(QByteArray, changes);
    QTemporaryDir dir;
    QFile file(dir.filePath("x.kvx"));
    QVERIFY(doc == "<none>" || writeFile(file.fileName(), doc));
    NodeTree tree;
    tree.setImageList(&kImages);
    tree.addRoot("k", "kept");
    TreeViewSettings settings;
    LoadReport report;
    QTEST(LoadTreeViewFromFile(tree, settings, file.fileName(), true, full, full, &report),
          "result");
    QTEST(describeLoadReport(report), "said");
    QTEST(dump(tree, full), "expected");
    QCOMPARE(tree.rootsSorted(), settings.sorted);
    const NodeTree empty;
    QByteArray want = TreeViewDocument(empty, TreeViewSettings(), false, false);
    for (const QByteArray& line : changes.split('\n')) {
        const qsizetype at = want.indexOf("\n" + line.left(line.indexOf('=') + 1)) + 1;
        if (!line.isEmpty())
            want.replace(at, want.indexOf('\r', at) - at, line);
    }
    QCOMPARE(TreeViewDocument(empty, settings, false, false), want);
    checkRereads(tree, settings);
}

// The [Cover] section: read into the choice, written back as the choice says
// (the keys set, in their order, quoted where needed); an unknown template
// is refused.
void tst_TreeViewInFile::cover()
{
    NodeTree tree;
    TreeViewSettings settings;
    CoverChoice cover;
    const auto read = [&](const QByteArray& section) {
        return LoadTreeViewFromIni(tree, settings, IniFile::parse(kExample + section), true, false,
                                   false, nullptr, &cover);
    };
    QCOMPARE(read("[cover]\nTitleOnBooklet=1\nIdentifier=n° 12\nTitle=\" Été | 2026 \"\n"
                  "template=dvd\n"),
             load_result::Ok);
    QCOMPARE(cover, (CoverChoice{"dvd", " Été | 2026 ", "n° 12", true}));
    const QByteArray plain = TreeViewDocument(tree, settings, false, false);
    QCOMPARE(TreeViewDocument(tree, settings, false, false, &cover).sliced(plain.size()),
             "[Cover]\r\nTemplate=dvd\r\nTitle=\" Été | 2026 \"\r\nIdentifier=n° 12\r\n"
             "TitleOnBooklet=1\r\n");
    QCOMPARE(read("[Cover]\nTemplate=lp\nTitleOnBooklet=x\n"), load_result::BadSetting);
    QCOMPARE(cover, CoverChoice());
}

QTEST_GUILESS_MAIN(tst_TreeViewInFile)
#include "tst_TreeViewInFile.moc"
