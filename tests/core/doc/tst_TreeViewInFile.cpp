#include "doc/IniFile.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/TreeWalks.h"
#include "util/ProcessEventsPump.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

// The document of a three-node tree: an expanded bold root, a red
// sub-folder, a picture file inside it, saved where "," is the separator.
const QByteArray kExample = "[FileInfo]\r\n"
                            "Type=TVW FILE\r\n"
                            "Version=1.0\r\n"
                            "[TreeView]\r\n"
                            "Appearance=1\r\n"
                            "BorderStyle=1\r\n"
                            "Checkboxes=0\r\n"
                            "FullRowSelect=0\r\n"
                            "HideSelection=1\r\n"
                            "ImageList=ImageList1\r\n"
                            "Indentation=566,9292\r\n"
                            "LabelEdit=0\r\n"
                            "LineStyle=1\r\n"
                            "PathSeparator=\\\r\n"
                            "Sorted=0\r\n"
                            "Style=7\r\n"
                            "ToolTipText=\r\n"
                            "[Nodes]\r\n"
                            "Count=3\r\n"
                            "Node1=D:\\|ROOT|D:\\|0E|0\r\n"
                            "Image1=2|3|\r\n"
                            "Style1=0|-2147483643|1|0|1\r\n"
                            "Node2=Photos|1|D:\\Photos\\|1|0\r\n"
                            "Image2=1|3|\r\n"
                            "Style2=255|-2147483643|0|0|0\r\n"
                            "Node3=plage.jpg|2||JPG|0\r\n"
                            "Image3=9||\r\n"
                            "Style3=0|-2147483643|0|0|0\r\n";

// A literal holding NUL bytes, whole.
template <qsizetype N> QByteArray withNuls(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

const QByteArray kHeader = "[FileInfo]\r\nType=TVW FILE\r\nVersion=1.0\r\n[Nodes]\r\n";

// An image list as the window has it after reading three icons.
ImageRegistry exampleImages()
{
    ImageRegistry images = ImageRegistry::withBuiltIns();
    for (const char* key : {"bmp", "gif", "jpg"})
        images.add(QString::fromLatin1(key));
    return images;
}

TreeViewSettings exampleSettings()
{
    TreeViewSettings s;
    s.pathSeparator = QStringLiteral("\\");
    s.indentationTwips = 566.9292f;
    s.hideSelection = true;
    return s;
}

// A node as its entry would list it, plus pictures, styles and flags.
QString describe(const Node* n)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(n->text(),
             n->parent() ? QString::number(n->parent()->index()) : QStringLiteral("ROOT"), n->key(),
             n->tag(), BoolToFlag(n->sorted()));
}

// When set, pictures are compared by their place in this list, the way a
// document names them, rather than by number or key.
const ImageRegistry* s_pictures = nullptr;

QString describeFully(const Node* n)
{
    auto image = [](const ImageRef& r) {
        if (r.isNone())
            return QStringLiteral("-");
        if (s_pictures)
            return QString::number(s_pictures->positionOf(r));
        return r.isNumber() ? QString::number(r.number()) : QLatin1Char('#') + r.key();
    };
    return describe(n) +
           QStringLiteral(" img %1/%2/%3 col %4/%5 b%6 c%7 e%8 row %9")
               .arg(image(n->image()), image(n->selectedImage()), image(n->expandedImage()))
               .arg(n->foreColor())
               .arg(n->backColor())
               .arg(n->bold())
               .arg(n->checked())
               .arg(n->expanded())
               .arg(n->row());
}

QStringList dump(const NodeTree& tree, QString (*how)(const Node*) = describe)
{
    QStringList out;
    for (int i = 1; i <= tree.count(); ++i)
        out.append(how(tree.nodeAt(i)));
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every node's parent comes before it, and every row is where its parent says.
bool wellFormed(const NodeTree& tree)
{
    if (tree.count() > NodeTree::MaxNodes)
        return false;
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* n = tree.nodeAt(i);
        if (n->index() != i || (n->parent() && n->parent()->index() >= i))
            return false;
        if (tree.siblingsOf(n).at(size_t(n->row())) != n)
            return false;
    }
    return true;
}

class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace

class tst_TreeViewInFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleIsWrittenByteForByte_data();
    void exampleIsWrittenByteForByte();
    void exampleOpens();
    void nodeEntries_data();
    void nodeEntries();
    void imagesAndStyles_data();
    void imagesAndStyles();
    void settings_data();
    void settings();
    void refusedDocumentChangesNothing_data();
    void refusedDocumentChangesNothing();
    void appendWithoutProperties();
    void oddNamesRoundTrip_data();
    void oddNamesRoundTrip();
    void folderTreeRoundTrip();
    void saveReplacesOldDocument();
    void failedSaveKeepsOldDocument();
    void withoutImageList();
    void emptyTree();
    void tooManyNodes();
    void hugeLine();
    void mutatedDocumentsStayWellFormed();
    void readIniValue();
};

void tst_TreeViewInFile::exampleIsWrittenByteForByte_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("comma") << QLocale(QLocale::French, QLocale::France) << kExample;
    QByteArray dot = kExample;
    dot.replace("566,9292", "566.9292");
    QTest::newRow("dot") << QLocale(QLocale::English, QLocale::UnitedStates) << dot;
}

void tst_TreeViewInFile::exampleIsWrittenByteForByte()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, expected);
    const LocaleGuard guard(locale);
    const ImageRegistry images = exampleImages();
    NodeTree tree;
    tree.setImageList(&images);
    Node* root = tree.addRoot(QStringLiteral("D:\\"), QStringLiteral("D:\\"), 1, 3);
    Node* photos =
        tree.addChild(root, QStringLiteral("D:\\Photos\\"), QStringLiteral("Photos"), 1, 3);
    Node* beach =
        tree.addChild(photos, QString(), QStringLiteral("plage.jpg"), QStringLiteral("jpg"));
    QVERIFY(root && photos && beach);
    tree.setTag(root, QStringLiteral("0E"));
    tree.setTag(photos, QStringLiteral("1"));
    tree.setTag(beach, QStringLiteral("JPG"));
    tree.setImage(root, 2);
    tree.setBold(root, true);
    tree.setExpanded(root, true);
    tree.setForeColor(photos, rgbColour(255, 0, 0));

    QCOMPARE(TreeViewDocument(tree, exampleSettings(), true, true), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("exemple.kvx"));
    QVERIFY(SaveTreeViewInFile(tree, exampleSettings(), path, true, true));
    QCOMPARE(readFile(path), expected);
}

void tst_TreeViewInFile::exampleOpens()
{
    const ImageRegistry images = exampleImages();
    NodeTree tree;
    tree.setImageList(&images);
    tree.addRoot(QStringLiteral("old"), QStringLiteral("old"));
    TreeViewSettings settings;
    settings.style = 1;
    settings.indentationTwips = 100;

    const LocaleGuard guard(QLocale(QLocale::English)); // "," read all the same
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(kExample), true, true, true),
             load_result::Ok);
    QCOMPARE(dump(tree), QStringList({QStringLiteral("D:\\|ROOT|D:\\|0E|0"),
                                      QStringLiteral("Photos|1|D:\\Photos\\|1|0"),
                                      QStringLiteral("plage.jpg|2||JPG|0")}));
    QCOMPARE(settings, exampleSettings());

    const Node* root = tree.nodeAt(1);
    QCOMPARE(root->image(), ImageRef(2));
    QCOMPARE(root->selectedImage(), ImageRef(3));
    QVERIFY(root->expandedImage().isNone());
    QVERIFY(root->bold());
    QVERIFY(root->expanded()); // set before its child existed, kept
    QVERIFY(tree.isShown(tree.nodeAt(2)));
    QCOMPARE(tree.nodeAt(2)->foreColor(), rgbColour(255, 0, 0));
    QCOMPARE(tree.nodeAt(2)->backColor(), kSysWindowBackground);
    const Node* beach = tree.nodeAt(3);
    QCOMPARE(beach->image(), ImageRef(9));
    QVERIFY(beach->selectedImage().isNone());
    QVERIFY(beach->isFile());
    QVERIFY(tree.findByKey(QString()) == nullptr);

    // Saved again, it is the same document.
    const LocaleGuard comma(QLocale(QLocale::French));
    QCOMPARE(TreeViewDocument(tree, settings, true, true), kExample);
}

void tst_TreeViewInFile::nodeEntries_data()
{
    QTest::addColumn<QByteArray>("nodes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("result");

    using L = QStringList;
    QTest::newRow("fields beyond the fifth ignored")
        << QByteArray("Count=1\nNode1=a|ROOT|k|0|1|extra|more\n") << L{"a|ROOT|k|0|1"}
        << load_result::Ok;
    QTest::newRow("three fields") << QByteArray("Count=1\nNode1=a|ROOT|k\n") << L{"a|ROOT|k||0"}
                                  << load_result::BadNodeField;
    QTest::newRow("two fields skipped") << QByteArray("Count=2\nNode1=a|ROOT\nNode2=b|ROOT|k|t|0\n")
                                        << L{"b|ROOT|k|t|0"} << load_result::NodeSkipped;
    QTest::newRow("lower-case root")
        << QByteArray("Count=1\nNode1=a|root|k|t|0\n") << L{} << load_result::NodeSkipped;
    QTest::newRow("missing Count")
        << QByteArray("Node1=a|ROOT|k|t|0\n") << L{} << load_result::BadCount;
    QTest::newRow("Count not a number")
        << QByteArray("Count=three\nNode1=a|ROOT|k|t|0\n") << L{} << load_result::BadCount;
    QTest::newRow("Count too big for 32 bits")
        << QByteArray("Count=99999999999\nNode1=a|ROOT|k|t|0\n") << L{} << load_result::BadCount;
    QTest::newRow("negative Count")
        << QByteArray("Count=-4\nNode1=a|ROOT|k|t|0\n") << L{} << load_result::Ok;
    QTest::newRow("Count beyond the entries")
        << QByteArray("Count=2147483647\nNode1=a|ROOT|k|t|0\nNode3=b|1||t|0\n")
        << L{"a|ROOT|k|t|0", "b|1||t|0"} << load_result::NodeSkipped;
    QTest::newRow("Count below the entries")
        << QByteArray("Count=1\nNode1=a|ROOT|k|t|0\nNode2=b|1||t|0\n") << L{"a|ROOT|k|t|0"}
        << load_result::Ok;
    QTest::newRow("empty key is no key")
        << QByteArray("Count=2\nNode1=a|ROOT||t|0\nNode2=b|ROOT||t|0\n")
        << L{"a|ROOT||t|0", "b|ROOT||t|0"} << load_result::Ok;
    QTest::newRow("duplicate key skipped")
        << QByteArray("Count=3\nNode1=a|ROOT|k|t|0\nNode2=b|1|k|t|0\nNode3=c|1|j|t|0\n")
        << L{"a|ROOT|k|t|0", "c|1|j|t|0"} << load_result::NodeSkipped;
    QTest::newRow("forward parent") << QByteArray("Count=2\nNode1=a|2|k|t|0\nNode2=b|ROOT|j|t|0\n")
                                    << L{"b|ROOT|j|t|0"} << load_result::NodeSkipped;
    QTest::newRow("own parent") << QByteArray("Count=1\nNode1=a|1|k|t|0\n") << L{}
                                << load_result::NodeSkipped;
    QTest::newRow("negative, zero and enormous parents")
        << QByteArray("Count=4\nNode1=r|ROOT|k|t|0\nNode2=a|-1|||0\nNode3=b|0|||0\n"
                      "Node4=c|4294967297|||0\n")
        << L{"r|ROOT|k|t|0"} << load_result::NodeSkipped;
    QTest::newRow("skipped entry shifts later parents")
        << QByteArray("Count=4\nNode1=r|ROOT|r|0|0\nNode2=x|9|x|1|0\nNode3=b|1|b|1|0\n"
                      "Node4=c|3|c|2|0\n")
        << L{"r|ROOT|r|0|0", "b|1|b|1|0"} << load_result::NodeSkipped;
    QTest::newRow("text holding | in version 1.0")
        << QByteArray("Count=2\nNode1=r|ROOT|r|0|0\nNode2=a|1|ROOT|k|t|0\n")
        << L{"r|ROOT|r|0|0", "a|1|ROOT|k|0"} << load_result::BadNodeField;
    QTest::newRow("leading blanks trimmed, inner ones kept")
        << QByteArray("Count=1\nNode1=   a b |ROOT| k |t |0  \n") << L{"a b |ROOT| k |t |0"}
        << load_result::Ok;
    QTest::newRow("blanks around ROOT")
        << QByteArray("Count=1\nNode1=a| ROOT|k|t|0\n") << L{} << load_result::NodeSkipped;
    QTest::newRow("bad sort flag") << QByteArray("Count=1\nNode1=a|ROOT|k|t|yes\n")
                                   << L{"a|ROOT|k|t|0"} << load_result::BadNodeField;
    QTest::newRow("sort flag words and numbers")
        << QByteArray("Count=3\nNode1=a|ROOT|a|t|True\nNode2=b|ROOT|b|t|-1\nNode3=c|ROOT|c|t|0.0\n")
        << L{"a|ROOT|a|t|1", "b|ROOT|b|t|1", "c|ROOT|c|t|0"} << load_result::Ok;
    QTest::newRow("duplicate entries: first wins")
        << QByteArray(
               "Count=1\nNode1=a|ROOT|k|t|0\nNODE1=b|ROOT|j|t|0\n[nodes]\nNode1=c|ROOT|||0\n")
        << L{"a|ROOT|k|t|0"} << load_result::Ok;
    QTest::newRow("percent signs kept in version 1.0")
        << QByteArray("Count=1\nNode1=50%7C|ROOT|k|t|0\n") << L{"50%7C|ROOT|k|t|0"}
        << load_result::Ok;
    QTest::newRow("NUL in a text")
        << withNuls("Count=1\nNode1=a\0b|ROOT|k|t|0\n")
        << L{QString::fromLatin1("a\0b|ROOT|k|t|0", 14)} << load_result::Ok;
    QTest::newRow("Windows-1252 accents")
        << QByteArray("Count=1\nNode1=\xc9t\xe9|ROOT|C:\\\xc9t\xe9\\|1|0\n")
        << L{QStringLiteral("Été|ROOT|C:\\Été\\|1|0")} << load_result::Ok;
}

void tst_TreeViewInFile::nodeEntries()
{
    QFETCH(QByteArray, nodes);
    QFETCH(QStringList, expected);
    QFETCH(int, result);
    NodeTree tree;
    TreeViewSettings settings;
    QCOMPARE(
        LoadTreeViewFromIni(tree, settings, IniFile::parse(kHeader + nodes), true, false, false),
        result);
    QCOMPARE(dump(tree), expected);
    QVERIFY(wellFormed(tree));
}

void tst_TreeViewInFile::imagesAndStyles_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("result");

    const QString plain = QStringLiteral("a|ROOT|k|t|0 img %1 col %2 b%3 c%4 e%5 row 0");
    QTest::newRow("two pictures") << QByteArray("Image1=3|4|\nStyle1=0|0|0|0|0\n")
                                  << plain.arg("3/4/-", "0/0", "0", "0", "0") << load_result::Ok;
    QTest::newRow("one picture") << QByteArray("Image1=9||\nStyle1=0|0|0|0|0\n")
                                 << plain.arg("9/-/-", "0/0", "0", "0", "0") << load_result::Ok;
    QTest::newRow("picture beyond the list")
        << QByteArray("Image1=10|0|x\nStyle1=0|0|0|0|0\n")
        << plain.arg("-/-/-", "0/0", "0", "0", "0") << load_result::BadImage;
    QTest::newRow("missing picture fields")
        << QByteArray("Image1=2\nStyle1=0|0|0|0|0\n") << plain.arg("2/-/-", "0/0", "0", "0", "0")
        << load_result::BadImage;
    QTest::newRow("missing image entry")
        << QByteArray("Style1=0|0|0|0|0\n") << plain.arg("-/-/-", "0/0", "0", "0", "0")
        << load_result::BadImage;
    QTest::newRow("system colours and red")
        << QByteArray("Image1=||\nStyle1=255|-2147483633|1|1|1\n")
        << plain.arg("-/-/-", QStringLiteral("255/%1").arg(kSysButtonFace), "1", "1", "1")
        << load_result::Ok;
    QTest::newRow("bad colour, flags still read")
        << QByteArray("Image1=||\nStyle1=red|4294967295|1|x|1\n")
        << plain.arg("-/-/-", QStringLiteral("0/%1").arg(kSysWindowBackground), "1", "0", "1")
        << load_result::BadStyle;
    QTest::newRow("short style entry")
        << QByteArray("Image1=||\nStyle1=16711680\n")
        << plain.arg("-/-/-", QStringLiteral("16711680/%1").arg(kSysWindowBackground), "0", "0",
                     "0")
        << load_result::BadStyle;
}

void tst_TreeViewInFile::imagesAndStyles()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, expected);
    QFETCH(int, result);
    const ImageRegistry images = exampleImages();
    NodeTree tree;
    tree.setImageList(&images);
    TreeViewSettings settings;
    const QByteArray doc = kHeader + "Count=1\nNode1=a|ROOT|k|t|0\n" + entries;
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, true, true), result);
    QCOMPARE(dump(tree, describeFully), QStringList{expected});

    // Without the switches the entries are not looked at.
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, false, false),
             load_result::Ok);
    QVERIFY(tree.nodeAt(1)->image().isNone());
}

void tst_TreeViewInFile::settings_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("expected"); // setting=value, checked against the defaults
    QTest::addColumn<int>("result");

    QTest::newRow("nothing") << QByteArray() << QString() << load_result::Ok;
    QTest::newRow("indentation with comma")
        << QByteArray("Indentation=283,4646\n") << "indentation=283.4646" << load_result::Ok;
    QTest::newRow("indentation with dot")
        << QByteArray("Indentation= 283.4646 \n") << "indentation=283.4646" << load_result::Ok;
    QTest::newRow("indentation negative")
        << QByteArray("Indentation=-5\n") << QString() << load_result::BadSetting;
    QTest::newRow("indentation garbage")
        << QByteArray("Indentation=nan\n") << QString() << load_result::BadSetting;
    QTest::newRow("style") << QByteArray("Style=2\n") << "style=2" << load_result::Ok;
    QTest::newRow("style out of range")
        << QByteArray("Style=8\n") << QString() << load_result::BadSetting;
    QTest::newRow("flags") << QByteArray("Checkboxes=1\nFullRowSelect=True\nHideSelection=-1\n")
                           << "checkboxes=1;fullRowSelect=1;hideSelection=1" << load_result::Ok;
    QTest::newRow("bad flag") << QByteArray("Checkboxes=maybe\n") << QString()
                              << load_result::BadSetting;
    QTest::newRow("texts") << QByteArray("PathSeparator=\\\nToolTipText= 'Mes disques '\n")
                           << "pathSeparator=\\;toolTipText=Mes disques " << load_result::Ok;
    QTest::newRow("image list never read")
        << QByteArray("ImageList=Other\n") << QString() << load_result::Ok;
    QTest::newRow("integers") << QByteArray(
                                     "Appearance=0\nBorderStyle=0\nLabelEdit=1\nLineStyle=0\n")
                              << "appearance=0;borderStyle=0;labelEdit=1;lineStyle=0"
                              << load_result::Ok;
    QTest::newRow("integer out of range, next still read")
        << QByteArray("Appearance=2\nLineStyle=0\n") << "lineStyle=0" << load_result::BadSetting;
    QTest::newRow("sorted roots") << QByteArray("Sorted=1\n") << "sorted=1" << load_result::Ok;
    QTest::newRow("keys in any case") << QByteArray("sTyLe=3\n") << "style=3" << load_result::Ok;
}

void tst_TreeViewInFile::settings()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, expected);
    QFETCH(int, result);
    TreeViewSettings want;
    for (const QString& pair : expected.split(u';', Qt::SkipEmptyParts)) {
        const QString name = pair.section(u'=', 0, 0);
        const QString v = pair.section(u'=', 1);
        if (name == u"indentation")
            want.indentationTwips = v.toFloat();
        else if (name == u"style")
            want.style = v.toInt();
        else if (name == u"checkboxes")
            want.checkboxes = v == u"1";
        else if (name == u"fullRowSelect")
            want.fullRowSelect = v == u"1";
        else if (name == u"hideSelection")
            want.hideSelection = v == u"1";
        else if (name == u"pathSeparator")
            want.pathSeparator = v;
        else if (name == u"toolTipText")
            want.toolTipText = v;
        else if (name == u"appearance")
            want.appearance = v.toInt();
        else if (name == u"borderStyle")
            want.borderStyle = v.toInt();
        else if (name == u"labelEdit")
            want.labelEdit = v.toInt();
        else if (name == u"lineStyle")
            want.lineStyle = v.toInt();
        else if (name == u"sorted")
            want.sorted = v == u"1";
        else
            QFAIL(qPrintable(name));
    }
    NodeTree tree;
    TreeViewSettings settings;
    const QByteArray doc = QByteArray("[FileInfo]\nType=TVW FILE\n[TreeView]\n") + entries +
                           "[Nodes]\nCount=2\nNode1=b|ROOT|||0\nNode2=a|ROOT|||0\n";
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, false, false), result);
    QCOMPARE(settings, want);
    QCOMPARE(tree.rootsSorted(), want.sorted);
    QCOMPARE(tree.roots().front()->text(), want.sorted ? u"a" : u"b");
}

void tst_TreeViewInFile::refusedDocumentChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content"); // "<none>": no file at all
    QTest::newRow("no file") << QByteArray("<none>");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("no type") << QByteArray("[FileInfo]\nVersion=1.0\n[Nodes]\nCount=0\n");
    QTest::newRow("lower-case type") << QByteArray("[FileInfo]\nType=tvw file\n[Nodes]\nCount=0\n");
    QTest::newRow("type in another section") << QByteArray("[Nodes]\nType=TVW FILE\nCount=0\n");
    QTest::newRow("binary") << withNuls("\x7f"
                                        "ELF\x02\x01\x01\0\0\0[FileInfo]\0Type=TVW FILE");
}

void tst_TreeViewInFile::refusedDocumentChangesNothing()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.kvx"));
    if (content != "<none>")
        writeFile(path, content);
    NodeTree tree;
    tree.addRoot(QStringLiteral("k"), QStringLiteral("kept"));
    TreeViewSettings settings;
    settings.style = 3;
    const TreeViewSettings before = settings;
    QCOMPARE(LoadTreeViewFromFile(tree, settings, path, true, true, true),
             load_result::NotADocument);
    QCOMPARE(dump(tree), QStringList{QStringLiteral("kept|ROOT|k||0")});
    QCOMPARE(settings, before);
}

void tst_TreeViewInFile::appendWithoutProperties()
{
    NodeTree tree;
    tree.addRoot(QStringLiteral("x"), QStringLiteral("x"));
    tree.addRoot(QStringLiteral("y"), QStringLiteral("y"));
    TreeViewSettings settings;
    const QByteArray doc = QByteArray("[FileInfo]\nType=TVW FILE\n[TreeView]\nStyle=0\n") +
                           "[Nodes]\nCount=2\nNode1=a|ROOT|a||0\nNode2=b|2|b||0\n";
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), false, true, true),
             load_result::BadStyle); // pictures and styles asked for but absent
    // Parent numbers name nodes of the combined collection.
    QCOMPARE(dump(tree), QStringList({"x|ROOT|x||0", "y|ROOT|y||0", "a|ROOT|a||0", "b|2|b||0"}));
    QCOMPARE(settings, TreeViewSettings());
}

void tst_TreeViewInFile::oddNamesRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("version");

    QTest::newRow("plain") << "Photos"
                           << "/m/Photos/"
                           << "1"
                           << "1.0";
    QTest::newRow("accents") << "Été à l'œil"
                             << "/m/Été/"
                             << "1E"
                             << "1.0";
    QTest::newRow("inner blanks") << "a  b "
                                  << "/m/a  b /"
                                  << "1"
                                  << "1.0";
    QTest::newRow("bar") << "a|b"
                         << "/m/a|b/"
                         << "1"
                         << "1.1";
    QTest::newRow("percent") << "50%25"
                             << "/m/50%25/"
                             << "1"
                             << "1.1";
    QTest::newRow("line feed") << "a\nb"
                               << "/m/a\nb/"
                               << "1"
                               << "1.1";
    QTest::newRow("carriage return") << "a\rb"
                                     << "/m/a\rb/"
                                     << "1"
                                     << "1.1";
    QTest::newRow("leading blank") << "  x"
                                   << "/m/  x/"
                                   << "1"
                                   << "1.1";
    QTest::newRow("leading tab") << "\tx"
                                 << "/m/\tx/"
                                 << "1"
                                 << "1.1";
    QTest::newRow("bar in tag only") << "t"
                                     << "/m/t/"
                                     << "A|B"
                                     << "1.1";
    QTest::newRow("quotes") << "'q'"
                            << "\"/m/q\""
                            << "\""
                            << "1.0";
    QTest::newRow("section-like") << "[Nodes]"
                                  << "Count=9"
                                  << "="
                                  << "1.0";
}

void tst_TreeViewInFile::oddNamesRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, tag);
    QFETCH(QString, version);
    const ImageRegistry images = ImageRegistry::withBuiltIns();
    NodeTree tree;
    tree.setImageList(&images);
    Node* root = tree.addRoot(QStringLiteral("/m/"), QStringLiteral("/m/"), 1, 3);
    Node* node = tree.addChild(root, key, text, 1, 3);
    tree.setTag(node, tag);
    tree.addChild(node, QString(), text, QStringLiteral("fil"));

    const QByteArray first = TreeViewDocument(tree, TreeViewSettings(), true, true);
    QVERIFY(first.contains("Version=" + version.toLatin1() + "\r\n"));
    QCOMPARE(first.count("\r\n"), first.count('\n')); // no stray line breaks

    NodeTree again;
    again.setImageList(&images);
    TreeViewSettings settings;
    QCOMPARE(LoadTreeViewFromIni(again, settings, IniFile::parse(first), true, true, true),
             load_result::Ok);
    s_pictures = &images;
    const QStringList want = dump(tree, describeFully);
    const QStringList got = dump(again, describeFully);
    s_pictures = nullptr;
    QCOMPARE(got, want);
    QCOMPARE(TreeViewDocument(again, settings, true, true), first);
}

void tst_TreeViewInFile::folderTreeRoundTrip()
{
    QTemporaryDir dir;
    const QStringList names = {QStringLiteral("a|b"),      QStringLiteral("line\nfeed"),
                               QStringLiteral("cr\rname"), QStringLiteral(" leading"),
                               QStringLiteral("accentué"), QStringLiteral("50% off"),
                               QStringLiteral("plain")};
    for (const QString& name : names) {
        QVERIFY(QDir(dir.path()).mkpath(name + QStringLiteral("/sous ") + name));
    }
    ImageRegistry images = ImageRegistry::withBuiltIns();
    images.add(QStringLiteral("txt"));
    NodeTree tree;
    tree.setImageList(&images);
    DirectoryLister lister;
    ProcessEventsPump pump;
    NoElementCountDisplay count;
    FolderScan scan(tree, lister, pump, count);
    scan.setStartPath(dir.path());
    scan.BuildTree();
    ExpandToDepth(tree, 5);
    QCOMPARE(tree.count(), 1 + 2 * int(names.size()));

    // Style it as a user would.
    Node* first = tree.nodeAt(2);
    tree.setBold(first, true);
    tree.setForeColor(first, rgbColour(0, 0, 255));
    tree.setBackColor(tree.nodeAt(3), kSysButtonFace);
    tree.setChecked(tree.nodeAt(4), true);
    tree.setExpandedImage(tree.nodeAt(5), image::OpenFolderBw);
    tree.setSorted(tree.nodeAt(1), true);
    Node* file = tree.addChild(tree.nodeAt(6), QString(), QStringLiteral(" note|1.txt"),
                               QStringLiteral("txt"));
    tree.setTag(file, QStringLiteral("TXT"));
    tree.setExpanded(tree.nodeAt(6), true);

    TreeViewSettings settings;
    settings.checkboxes = true;
    settings.indentationTwips = 300;
    const QString path = dir.filePath(QStringLiteral("arbre.kvx"));
    QVERIFY(SaveTreeViewInFile(tree, settings, path, true, true));

    NodeTree fresh;
    fresh.setImageList(&images);
    TreeViewSettings freshSettings;
    QCOMPARE(LoadTreeViewFromFile(fresh, freshSettings, path, true, true, true), load_result::Ok);
    QCOMPARE(freshSettings, settings);
    s_pictures = &images;
    const QStringList want = dump(tree, describeFully);
    const QStringList got = dump(fresh, describeFully);
    s_pictures = nullptr;
    QCOMPARE(got, want);
    QCOMPARE(RowTexts(fresh), RowTexts(tree));

    const QString second = dir.filePath(QStringLiteral("arbre2.kvx"));
    QVERIFY(SaveTreeViewInFile(fresh, freshSettings, second, true, true));
    QCOMPARE(readFile(second), readFile(path));
}

void tst_TreeViewInFile::saveReplacesOldDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.kvx"));
    NodeTree tree;
    for (int i = 0; i < 5; ++i)
        tree.addRoot(QString::number(i), QString::number(i));
    QVERIFY(SaveTreeViewInFile(tree, TreeViewSettings(), path, true, true));
    tree.remove(5);
    tree.remove(4);
    QVERIFY(SaveTreeViewInFile(tree, TreeViewSettings(), path, true, true));
    const QByteArray saved = readFile(path);
    QVERIFY(saved.contains("Node3="));
    QVERIFY(!saved.contains("Node4="));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void tst_TreeViewInFile::failedSaveKeepsOldDocument()
{
    QTemporaryDir dir;
    NodeTree tree;
    tree.addRoot(QStringLiteral("k"), QStringLiteral("t"));
    QString error;
    QVERIFY(!SaveTreeViewInFile(tree, TreeViewSettings(),
                                dir.filePath(QStringLiteral("missing/a.kvx")), true, true, &error));
    QVERIFY(!error.isEmpty());
    // A folder in the way of the file.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("b.kvx")));
    QVERIFY(!SaveTreeViewInFile(tree, TreeViewSettings(), dir.filePath(QStringLiteral("b.kvx")),
                                true, true));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("b.kvx"))).isDir());
}

void tst_TreeViewInFile::withoutImageList()
{
    NodeTree tree;
    tree.addRoot(QStringLiteral("k"), QStringLiteral("t"), 1, 3);
    TreeViewSettings settings;
    settings.imageList.clear();
    const QByteArray doc = TreeViewDocument(tree, settings, false, true);
    QVERIFY(!doc.contains("ImageList="));
    QVERIFY(doc.contains("Image1=||\r\n"));
    QVERIFY(!doc.contains("Style1"));
    NodeTree again;
    TreeViewSettings read;
    read.imageList.clear();
    QCOMPARE(LoadTreeViewFromIni(again, read, IniFile::parse(doc), true, false, true),
             load_result::Ok);
    QCOMPARE(read, settings);
}

void tst_TreeViewInFile::emptyTree()
{
    NodeTree tree;
    TreeViewSettings settings;
    settings.style = 5;
    const QByteArray doc = TreeViewDocument(tree, settings, true, true);
    QVERIFY(doc.endsWith("[Nodes]\r\nCount=0\r\n"));
    NodeTree again;
    again.addRoot(QStringLiteral("old"), QStringLiteral("old"));
    TreeViewSettings read;
    QCOMPARE(LoadTreeViewFromIni(again, read, IniFile::parse(doc), true, true, true),
             load_result::Ok);
    QCOMPARE(again.count(), 0);
    QCOMPARE(read.style, 5);
}

void tst_TreeViewInFile::tooManyNodes()
{
    QByteArray doc = kHeader + "Count=40000\r\nNode1=r|ROOT|r|0|0\r\n";
    for (int i = 2; i <= 40000; ++i)
        doc += "Node" + QByteArray::number(i) + "=n|" + QByteArray::number(i / 2) + "|k" +
               QByteArray::number(i) + "|1|0\r\n";
    NodeTree tree;
    TreeViewSettings settings;
    QCOMPARE(LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, false, false),
             load_result::NodeSkipped);
    QCOMPARE(tree.count(), NodeTree::MaxNodes);
    QVERIFY(wellFormed(tree));
    QVERIFY(TreeViewDocument(tree, settings, true, true).contains("Count=32767\r\n"));
}

void tst_TreeViewInFile::hugeLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.kvx"));
    QByteArray doc = kHeader + "Count=2\r\nNode1=";
    doc += QByteArray(5 * 1024 * 1024, 'x') + "|ROOT|k|t|1\r\nNode2=";
    doc += QByteArray(100 * 1024 * 1024, '|');
    writeFile(path, doc);
    doc.clear();
    NodeTree tree;
    TreeViewSettings settings;
    QCOMPARE(LoadTreeViewFromFile(tree, settings, path, true, true, true),
             load_result::NodeSkipped);
    QCOMPARE(tree.count(), 1);
    QCOMPARE(tree.nodeAt(1)->text().size(), 5 * 1024 * 1024); // values are read whole
    QVERIFY(tree.nodeAt(1)->sorted());
}

void tst_TreeViewInFile::mutatedDocumentsStayWellFormed()
{
    QRandomGenerator random(20240517);
    const ImageRegistry images = exampleImages();
    const QByteArray alphabet = "|\r\n[]=%0123456789-ROOTNodeImageStyleCount\0\xff\xc3 ";
    for (int round = 0; round < 3000; ++round) {
        QByteArray doc = kExample;
        const int edits = 1 + int(random.bounded(8));
        for (int e = 0; e < edits; ++e) {
            const int at = int(random.bounded(int(doc.size()) + 1));
            switch (random.bounded(3)) {
            case 0:
                doc.insert(at, alphabet.at(random.bounded(int(alphabet.size()))));
                break;
            case 1:
                doc.remove(at, 1 + int(random.bounded(6)));
                break;
            default:
                doc.insert(at, doc.mid(int(random.bounded(int(doc.size()))), 40));
                break;
            }
        }
        NodeTree tree;
        tree.setImageList(&images);
        TreeViewSettings settings;
        const qint32 result =
            LoadTreeViewFromIni(tree, settings, IniFile::parse(doc), true, true, true);
        QVERIFY(result >= load_result::NotADocument && result <= load_result::BadStyle);
        QVERIFY(wellFormed(tree));
        QVERIFY(TreeViewSettings::validStyle(settings.style));
        // Whatever was read saves and reads back the same.
        const QByteArray saved = TreeViewDocument(tree, settings, true, true);
        NodeTree again;
        again.setImageList(&images);
        TreeViewSettings settingsAgain;
        QCOMPARE(LoadTreeViewFromIni(again, settingsAgain, IniFile::parse(saved), true, true, true),
                 load_result::Ok);
        QCOMPARE(dump(again, describeFully), dump(tree, describeFully));
    }
}

void tst_TreeViewInFile::readIniValue()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.kvx"));
    writeFile(path, kExample);
    QCOMPARE(ReadIniValue(path, QStringLiteral("fileinfo"), QStringLiteral("TYPE"), QString()),
             QStringLiteral("TVW FILE"));
    QCOMPARE(
        ReadIniValue(path, QStringLiteral("Nodes"), QStringLiteral("Node9"), QStringLiteral("d")),
        QStringLiteral("d"));
    QCOMPARE(ReadIniValue(dir.filePath(QStringLiteral("none")), QStringLiteral("Nodes"),
                          QStringLiteral("Count")),
             QString());
}

QTEST_GUILESS_MAIN(tst_TreeViewInFile)
#include "tst_TreeViewInFile.moc"
