// The real kvx program, run as a script would: its rows, its documents, its
// PDF jackets against the window's, and its refusals.
#include "app/print/JacketTestTree.h"
#include "core/tree/ScanDoubles.h"
#include "doc/TreeDocumentCommands.h"
#include "lang/MessageTexts.h"
#include "support/OtherUser.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"
#include "util/Sanitizers.h"
#include "window/SizesCommand.h"

#include <QAbstractButton>
#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

struct Run
{
    int status = -1;
    QString out, err;
};

// The arguments, "FOLDER" standing for `folder` (a path without blanks).
QStringList expand(QString arguments, const QString& folder)
{
    return arguments.replace("FOLDER", folder).split(u' ', Qt::SkipEmptyParts);
}

// A tree document of odd names and styles: quotes, a comma, "<" and "&";
// Markdown's "*", "_" and "#"; a line break and an escape sequence; a line
// that is not UTF-8 ("\xe9", and "\x81", a control character once read); a
// node without a picture; a closed folder with a child.
const QByteArray kOddDocument =
    "[FileInfo]\r\nType=TVW FILE\r\nVersion=1.1\r\n[Nodes]\r\nCount=8\r\n"
    "Node1=/disc/|ROOT|/disc/|0E|0\r\nImage1=2|3|\r\nStyle1=0|-2147483643|1|0|1\r\n"
    "Node2=a \"b\", <c> & d|1|/disc/a \"b\", <c> & d/|1E|0\r\nImage2=2|3|\r\n"
    "Style2=255|65535|0|0|1\r\n"
    "Node3=*star*_under_.md|2||MD|0\r\nImage3=6||\r\nStyle3=8421504|-2147483633|1|0|0\r\n"
    "Node4=new%0Aline%1B[2J|2||TXT|0\r\nImage4=6||\r\nStyle4=0|-2147483643|0|0|0\r\n"
    "Node5=# no picture|1||X|0\r\nImage5=||\r\nStyle5=0|-2147483643|0|0|0\r\n"
    "Node6=caf\xe9 \x81|1|/disc/caf\xe9 \x81/|1|0\r\nImage6=1|3|\r\n"
    "Style6=0|-2147483643|0|0|0\r\nNode7=closed|1|/disc/closed/|1|0\r\nImage7=1|3|\r\n"
    "Style7=0|-2147483643|0|0|0\r\nNode8=hidden|7|/disc/closed/hidden/|2|0\r\n"
    "Image8=1|3|\r\nStyle8=0|-2147483643|0|0|0\r\n";

// Its shown rows: depth|text|kind|path|bold|color|background|picture.
const QStringList kOddRows{
    "0|/disc/|folder|/disc/|true|#000000|#ffffff|2",
    "1|a \"b\", <c> & d|folder|/disc/a \"b\", <c> & d/|false|#ff0000|#ffff00|2",
    "2|*star*_under_.md|file|/disc/a \"b\", <c> & d/*star*_under_.md|true|#808080|#efefef|6",
    "2|new?line?[2J|file|/disc/a \"b\", <c> & d/new?line?[2J|false|#000000|#ffffff|6",
    "1|# no picture|other||false|#000000|#ffffff|",
    "1|caf\u00e9 ?|folder|/disc/caf\u00e9 ?/|false|#000000|#ffffff|1",
    "1|closed|folder|/disc/closed/|false|#000000|#ffffff|1"};

// RFC 4180 records: fields split at commas, lines ended by CR LF, quoted
// fields holding anything, "" a quote.
QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> records{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == u'"' && text.mid(i + 1, 1) == "\"")
            field += text.at(++i);
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u',' || text.mid(i, 2) == "\r\n")) {
            records.back() << std::exchange(field, {});
            if (c != u',' && ++i < text.size() - 1)
                records.append(QStringList());
        } else
            field += c;
    }
    return records;
}

// The rows an export holds, as kOddRows writes them: HTML all the values,
// JSON and CSV all but the picture, Markdown depth, text and weight; and
// what describes them (the title; and the grid for JSON, "|"-joined).
QStringList readExport(const QString& format, const QByteArray& bytes, QString& about)
{
    QStringList rows;
    if (format == "json") {
        QJsonParseError error;
        const QJsonObject all = QJsonDocument::fromJson(bytes, &error).object();
        about = QStringList{all["title"].toString(), QString::number(all["columns"].toInt()),
                            QString::number(all["lines"].toInt()), error.errorString()}
                    .join('|');
        for (const QJsonValue& value : all["rows"].toArray()) {
            QStringList row{QString::number(value["depth"].toInt())};
            for (const char* key : {"text", "kind", "path", "bold", "color", "background"})
                row << value[key].toVariant().toString();
            rows << row.join('|');
        }
    } else if (format == "csv") {
        for (const QStringList& record : readCsv(QString::fromUtf8(bytes)))
            rows << record.join('|');
        about = rows.takeFirst();
    } else if (format == "html") {
        QXmlStreamReader xml(bytes);
        QString depth, kind, picture;
        for (int ul = -1; !xml.atEnd(); xml.readNext()) {
            const QString name = xml.name().toString();
            const QString of = xml.attributes().value("class").toString();
            ul += xml.isStartElement() && name == "ul";
            ul -= xml.isEndElement() && name == "ul";
            if (xml.isStartElement() && name == "title")
                about = xml.readElementText();
            else if (xml.isStartElement() && name == "li")
                depth = QString::number(ul), kind = of, picture.clear();
            else if (xml.isStartElement() && of.startsWith("p p"))
                picture = of.mid(3);
            else if (xml.isStartElement() && of.startsWith("t")) {
                const QString path = xml.attributes().value("title").toString();
                const QString style = xml.attributes().value("style").toString();
                rows << QString("%1|%2|%3|%4|%5|%6|%7|%8")
                            .arg(depth, xml.readElementText(), kind, path,
                                 of == "t b" ? "true" : "false", style.mid(7, 7), style.right(7),
                                 picture);
            }
        }
        if (xml.hasError())
            rows << xml.errorString();
    } else {
        for (const QString& line : QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts)) {
            const qsizetype dash = line.indexOf('-');
            QString text, marked = line.mid(dash + 2);
            const bool bold = marked.startsWith("**");
            if (bold)
                marked = marked.mid(2, marked.size() - 4);
            // An escaped character, a numeric reference, another character.
            for (const auto& m : QRegularExpression(R"(\\(.)|&#(\d+);|(.))").globalMatch(marked))
                text +=
                    m.hasCaptured(2) ? QChar(m.captured(2).toInt()) : m.captured(1) + m.captured(3);
            rows << QStringList{QString::number(dash / 2), text, bold ? "true" : "false"}.join('|');
        }
    }
    return rows;
}

} // namespace

class tst_commandline : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    // The real program, with a home of its own, no print server, and a
    // runtime folder Qt complains about (so that Qt's own messages would
    // show on standard error); a file it writes holds `fileLimit` bytes at
    // most, and its memory is `memoryLimit` bytes of address space.
    Run kvx(const QStringList& arguments, rlim_t fileLimit = RLIM_INFINITY,
            const QString& program = KVX_TEST_PROGRAM_DIR "/kvx",
            rlim_t memoryLimit = RLIM_INFINITY)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_home.path());
        environment.insert("XDG_RUNTIME_DIR", m_home.path());
        environment.insert("CUPS_SERVER", m_home.filePath("no-cups.sock"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([fileLimit, memoryLimit] {
            const rlimit limit{fileLimit, fileLimit}, memory{memoryLimit, memoryLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::setrlimit(RLIMIT_AS, &memory);
            // Permissions hold for the program even when the tests run as root.
            ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
            ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
        });
        process.start(program, arguments);
        const bool ended =
            process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::setPermissions(m_home.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ReadOther));
        // The window in this process sees no printer either: it asks for a PDF file.
        qputenv("CUPS_SERVER", QFile::encodeName(m_home.filePath("no-cups.sock")));
    }

    // The program's outputs and refusals ("FOLDER" stands for a temporary
    // folder). The rows printed: an open folder shows its sub-folders, then
    // its files, whatever the order of --expand and --add; control
    // characters as "?"; a folder the scan leaves out named in one warning
    // line. A refusal: exit status 2, one line on standard error, nothing on
    // standard output. Either way the folder as it was: no output, no
    // temporary file.
    void runs_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("fileLimit"); // bytes per file written, 0 for none
        const auto list = [](const char* arguments, const char* rows) {
            const QString all = "--from FOLDER/disc " + QString(arguments);
            QTest::newRow(qPrintable(all))
                << all << 0 << "FOLDER/disc/\n" + QString(rows) << QString() << 0;
        };
        const auto fail = [](const char* arguments, const char* error, int limit = 0) {
            QTest::newRow(arguments)
                << QString(arguments) << 2 << QString() << "kvx: " + QString(error) + '\n'
                << limit;
        };
        list("--expand 0 --list", "  A\n  b\n  c d\n");
        list("-style Fusion -platform offscreen -reverse -stylesheet=x --list",
             "  A\n  b\n  c d\n");
        list("--expand 3 --list", "  A\n    a1\n      c1?m?\n      esc?[2J\n      nl?x\n  b\n"
                                  "    b1\n      b11\n  c d\n");
        // b1 (depth 2) stays closed; "c d" opens for its file alone.
        list("--expand 2 --add ;*.ZIP;readme --list",
             "  A\n    a1\n  b\n    b1\n    c.zip\n  c d\n    e.zip\n  a.zip\n  readme\n");
        list("--add *.* --expand 2 --list",
             "  A\n    a1\n  b\n    b1\n    c.zip\n  c d\n    e.zip\n  a.zip\n  b (1).txt\n"
             "  readme\n");
        list("--expand 2 --add ; --list", "  A\n    a1\n  b\n    b1\n  c d\n");
        QTest::newRow("sizes") << "--from FOLDER/disc --expand 2 --sizes --list" << 0
                               << "FOLDER/disc/ (6 fichiers, 0 o)\n  A (vide)\n    a1 (vide)\n"
                                  "  b (2 fichiers, 0 o)\n    b1 (1 fichier, 0 o)\n"
                                  "  c d (1 fichier, 0 o)\n"
                               << QString() << 0;
        QTest::newRow("sizes of a document's folder")
            << "FOLDER/tree.kvx --sizes --list" << 0 << "FOLDER/disc/ (6 fichiers, 0 o)\n"
            << QString() << 0;
        QTest::newRow("left out") << "--from FOLDER/odd --list" << 0 << "FOLDER/odd/\n  ok\n"
                                  << "kvx: warning: left out 1 folder whose name is not valid "
                                     "UTF-8\n"
                                  << 0;
        // A document opens its folders as deep as asked, scanning as the window does.
        QTest::newRow("document, expanded") << "FOLDER/tree.kvx --expand 2 --list" << 0
                                            << "FOLDER/disc/\n  A\n    a1\n  b\n    b1\n"
                                            << QString() << 0;
        QTest::newRow("document in two encodings, longer than its Count")
            << "FOLDER/mixed.kvx --list" << 0 << "café\n  été\n"
            << "kvx: warning: FOLDER/mixed.kvx: 1 node entry numbered beyond Count (2) was not "
               "read; lines that are not UTF-8 were read as Windows-1252\n"
            << 0;
        QTest::newRow("a second name")
            << "--from FOLDER/disc --save FOLDER/linked.kvx" << 0 << QString()
            << "kvx: warning: FOLDER/linked.kvx had 1 other name, which keeps the old content\n"
            << 0;
        fail("--from /no/such/dir --list", "no such folder: /no/such/dir");
        fail("--from FOLDER --expand -1 --list",
             "--expand takes a whole number of 0 or more, not \"-1\"");
        fail("--from FOLDER --list --expand", "--expand needs a number");
        fail("--colour", "unknown option \"--colour\" (see kvx --help)");
        fail("--from FOLDER",
             "nothing to do: add --list, --save FILE, --pdf FILE or --export FILE");
        fail("--from FOLDER --export -", "--export - needs --format json, csv, html or md");
        fail("--from FOLDER --export - --format md --list",
             "--export - and --list both write to standard output");
        fail("--from FOLDER --export FOLDER/x.txt",
             "cannot tell the format of FOLDER/x.txt: name it .json, .csv, .html or .md, or give "
             "--format");
        fail("--from FOLDER --format xml --export -", "--format takes json, csv, html or md");
        fail("--from FOLDER/locked --export FOLDER/x.json",
             "the start folder cannot be read: FOLDER/locked: Permission denied");
        fail("--from FOLDER/disc --save FOLDER/x --export FOLDER/./x --format csv",
             "--save and --export name the same file: FOLDER/./x");
        QTest::newRow("export")
            << "--from FOLDER/disc/b --export - --format csv" << 0
            << "depth,text,kind,path,bold,color,background\r\n"
               "0,FOLDER/disc/b/,folder,FOLDER/disc/b/,false,#000000,#ffffff\r\n"
               "1,b1,folder,FOLDER/disc/b/b1/,false,#000000,#ffffff\r\n"
            << QString() << 0;
        QTest::newRow("export with sizes")
            << "--from FOLDER/disc/b --sizes --export - --format csv" << 0
            << "depth,text,kind,path,bold,color,background,files,bytes\r\n"
               "0,FOLDER/disc/b/,folder,FOLDER/disc/b/,false,#000000,#ffffff,2,0\r\n"
               "1,b1,folder,FOLDER/disc/b/b1/,false,#000000,#ffffff,1,0\r\n"
            << QString() << 0;
        fail("--list", "no tree: give a document or --from FOLDER");
        fail("a.kvx --from / --list", "give either a document or --from FOLDER, not both");
        fail("a.kvx b.kvx", "more than one document given: \"b.kvx\"");
        fail("a.kvx --pdf o.pdf --lines 35", "--lines takes 30, 40 or 50");
        fail("a.kvx --pdf o.pdf --template Tray",
             "unknown template \"Tray\": use booklet, tray, dvd, slimdvd, booklet+tray");
        fail("a.kvx --pdf o.pdf --paper a5", "--paper takes a4 or letter");
        fail("FOLDER/e\x1b[2Jnl\nx.kvx --list",
             "cannot read FOLDER/e?[2Jnl?x.kvx: No such file or directory");
        fail("FOLDER/locked.kvx --list", "cannot read FOLDER/locked.kvx: Permission denied");
        fail("FOLDER/huge.kvx --list", "cannot read FOLDER/huge.kvx: larger than 256 MiB");
        fail("FOLDER/other.kvx --list", "not a tree document: FOLDER/other.kvx");
        QTest::newRow("sizes of a folder not there")
            << "FOLDER/mixed.kvx --sizes --list" << 2 << QString()
            << "kvx: warning: FOLDER/mixed.kvx: 1 node entry numbered beyond Count (2) was not "
               "read; lines that are not UTF-8 were read as Windows-1252\n"
               "kvx: cannot take the sizes: no such folder: k\n"
            << 0;
        fail("--from FOLDER/disc --save FOLDER/out.kvx --pdf FOLDER/no/x.pdf",
             "cannot write FOLDER/no/x.pdf: No such file or directory");
        fail("--from FOLDER/disc --save FOLDER/x --pdf FOLDER/./x",
             "--save and --pdf name the same file: FOLDER/./x");
        fail("--from FOLDER/locked --save FOLDER/out.kvx",
             "the start folder cannot be read: FOLDER/locked: Permission denied");
        fail("--from FOLDER/disc --save FOLDER/out.kvx --pdf FOLDER/x.pdf",
             "cannot write FOLDER/x.pdf: File too large", 2000);
    }
    void runs()
    {
        QFETCH(QString, arguments);
        QFETCH(int, fileLimit);
        QTemporaryDir dir;
        QVERIFY(makeRawEntries(dir.path(),
                               {"disc/A/a1/esc\x1b[2J/", "disc/A/a1/nl\nx/",
                                "disc/A/a1/c1\xc2\x9bm\x7f/", "disc/b/b1/b11/", "disc/c d/e.zip",
                                "disc/a.zip", "disc/readme", "disc/b (1).txt", "disc/.hidden.zip",
                                "disc/b/c.zip", "disc/b/b1/d.zip", "odd/ok/", "odd/bad\xff/"}));
        QVERIFY(writeFile(dir.filePath("other.kvx"), "[FileInfo]\nType=something else\n"));
        QVERIFY(QDir(dir.path()).mkdir("locked") &&
                QFile::setPermissions(dir.filePath("locked"), QFileDevice::Permissions()));
        QVERIFY(writeFile(dir.filePath("locked.kvx"), "") &&
                QFile::setPermissions(dir.filePath("locked.kvx"), QFileDevice::Permissions()));
        QFile huge(dir.filePath("huge.kvx")); // sparse: it takes no room on the disc
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(256) << 20) + 1));
        QVERIFY(writeFile(dir.filePath("tree.kvx"),
                          QByteArray("[FileInfo]\nType=TVW FILE\n[Nodes]\nCount=3\n"
                                     "Node1=FOLDER/disc/|ROOT|FOLDER/disc/|0|0\n"
                                     "Node2=A|1|FOLDER/disc/A/|1|0\nNode3=b|1|FOLDER/disc/b/|1|0\n"
                                     "Image1=1|3|\nImage2=1|3|\nImage3=1|3|\nStyle1=0|0|0|0|0\n"
                                     "Style2=0|0|0|0|0\nStyle3=0|0|0|0|0\n")
                              .replace("FOLDER", QFile::encodeName(dir.path()))));
        QVERIFY(
            writeFile(dir.filePath("mixed.kvx"),
                      "[FileInfo]\nType=TVW FILE\n[Nodes]\nCount=2\nNode1=caf\xc3\xa9|ROOT|"
                      "k|0|0\nNode2=\xe9t\xe9|1||1|0\nImage1=1||\nImage2=1||\nStyle1=0|0|0|0|1\n"
                      "Style2=0|0|0|0|0\nNode3=x|1||1|0\n"));
        QVERIFY(writeFile(dir.filePath("linked.kvx"), "old") &&
                ::link(QFile::encodeName(dir.filePath("linked.kvx")),
                       QFile::encodeName(dir.filePath("other name.kvx"))) == 0);
        const QStringList before = entries(dir.path());
        const Run run = kvx(expand(arguments, dir.path()), fileLimit ? fileLimit : RLIM_INFINITY);
        QTEST(run.status, "status");
        QTEST(QString(run.out).replace(dir.path() + '/', "FOLDER/"), "out");
        QTEST(QString(run.err).replace(dir.path() + '/', "FOLDER/"), "err");
        QCOMPARE(entries(dir.path()), before);
    }

    // A folder saved to a document lists as the folder did. The real window
    // opens it with the view it describes; a cancelled dialog, a file that is
    // no document and a save onto a folder change nothing and the last two
    // say so; it saves the document again unchanged, ".kvx" added unless the
    // name holds it. The document printed by the
    // program and through the window gives the same page: the document's
    // indentation, check boxes and picture style, the jacket's lines,
    // columns and colours, the first rows up to the capacity (and one line
    // saying what was left out).
    void samePageAsTheWindow_data()
    {
        QTest::addColumn<QByteArray>("view"); // the document's [TreeView] entries
        QTest::addColumn<QString>("shown");   // what the window's view shows of them
        QTest::addColumn<QString>("options"); // of the program
        QTest::addColumn<QString>("clicks");  // the same in the window
        QTest::addColumn<int>("folders");     // under the root
        QTest::addColumn<QString>("warning");
        QTest::newRow("indented, check boxes, text only")
            << QByteArray("Checkboxes=1\r\nIndentation=566.9292\r\nStyle=0\r\nFullRowSelect=1"
                          "\r\nHideSelection=1\r\nToolTipText=Mes photos")
            << "indent 38, buttons 0, pictures 0, boxes 1, full row 1, hide 1, tip Mes photos"
            << ""
            << "" << 20 << "";
        QTest::newRow("pictures, 30 lines of 2, grey, outlines")
            << QByteArray("Checkboxes=0\r\nIndentation=200\r\nStyle=7")
            << "indent 13, buttons 1, pictures 16, boxes 0, full row 0, hide 0, tip "
            << "--lines 30 --columns 2 --mono --bw"
            << "opLines(0) opColum(6) chkNb chkImageNb" << 30
            << "kvx: warning: the jacket holds 60 rows: 60 printed, 7 left out\n";
        QTest::newRow("sizes") << QByteArray("Style=7")
                               << "indent 19, buttons 1, pictures 16, "
                                  "boxes 0, full row 0, hide 0, tip "
                               << "--sizes"
                               << "mnuTailles" << 2 << "";
    }
    void samePageAsTheWindow()
    {
        QFETCH(QByteArray, view);
        QFETCH(QString, options);
        QFETCH(QString, clicks);
        QFETCH(int, folders);
        QTemporaryDir dir;
        QStringList names{"Album/a.mp3", "Album/b|50%.zip", "Album/c.txt", "Album/Disc/d.jpg"};
        for (int i = 1; i <= folders; ++i)
            names << QString("Dossier %1 l'été/s/").arg(i, 2, 10, QLatin1Char('0'));
        QVERIFY(makeEntries(dir.filePath("disque"), names));
        const QString doc = dir.filePath("arbre.kvx");
        const Run saved = kvx({"--from", dir.filePath("disque"), "--expand", "3", "--add", "*.*",
                               "--save", doc, "--list"});
        QCOMPARE(saved.status, 0);
        QByteArray text = readFile(doc);
        QVERIFY(text.contains("\r\nVersion=1.1\r\n") && text.contains("=b%7C50%25.zip|"));
        for (const QByteArray& entry : view.split('\n')) {
            const QByteArray key = entry.left(entry.indexOf('=') + 1);
            const qsizetype at = text.indexOf("\n" + key) + 1;
            text.replace(at, text.indexOf('\r', at) - at, entry.trimmed());
        }
        QVERIFY(writeFile(doc, text));

        const QString printed = dir.filePath("kvx.pdf");
        const Run run =
            kvx(QStringList{doc, "--pdf", printed, "--list"} + expand(options, dir.path()));
        QTEST(run.err, "warning");
        QCOMPARE(run.status, 0);
        QCOMPARE(QString(run.out).remove(QRegularExpression(" \\(.*\\)")), saved.out);

        const QString png = dir.filePath("photo.kvx"), folder = dir.filePath("old.kvx.d");
        QVERIFY(writeFile(png, "\x89PNG\r\n\x1a\n"));
        QVERIFY(QDir(dir.path()).mkdir("old.kvx.d"));
        kvx::test::MainWindowFixture w;
        w.window.Form_Load();
        w.dialogs.openPaths = {doc, QString(), png};
        w.dialogs.savePaths = {QString(), folder};
        w.control<QAction>("mnuLoad")->trigger();
        for (int i = 0; i < 2; ++i) {
            w.control<QAction>("mnuLoad")->trigger();
            w.control<QAction>("mnuSave")->trigger();
        }
        const kvx::MessageTexts texts;
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(2));
        QCOMPARE(boxes[0].args, QStringList({texts.text(kvx::Msg::NotADocument).arg(png), "KVX"}));
        QCOMPARE(boxes[0].icon, kvx::MessageIcon::Exclamation);
        QCOMPARE(boxes[1].args.at(0),
                 texts.text(kvx::Msg::SaveFailed).arg(folder, "not a regular file but a folder"));
        QCOMPARE(boxes[1].icon, kvx::MessageIcon::Critical);
        const kvx::NodeTreeView& tv = *w.window.TV();
        const kvx::TreeModel& model = w.window.treeModel();
        QTEST(QString("indent %1, buttons %2, pictures %3, boxes %4, full row %5, hide %6, tip %7")
                  .arg(tv.indentation())
                  .arg(tv.expandButtons())
                  .arg(tv.iconSize().width())
                  .arg(model.data(model.index(0, 0), Qt::CheckStateRole).isValid())
                  .arg(tv.fullRowSelect())
                  .arg(tv.hideSelection())
                  .arg(tv.toolTip()),
              "shown");
        QCOMPARE(w.control<QLabel>("lblNbElements")->text(), QString::number(run.out.count('\n')));
        w.dialogs.savePaths.push_back(dir.filePath("old.kvx.d/a.KVX")); // names: tst_FileFilter
        w.control<QAction>("mnuSave")->trigger();
        QCOMPARE(readFile(dir.filePath("old.kvx.d/a.KVX.kvx")), text);
        QCOMPARE(w.dialogs.callsOf("MsgBox").size(), size_t(2));
        for (const QString& name : clicks.split(' ', Qt::SkipEmptyParts)) {
            if (auto* button = w.control<QAbstractButton>(name)) {
                button->click();
                continue;
            }
            QSignalSpy walked(&w.window.sizesCommand(), &kvx::SizesCommand::walkEnded);
            w.control<QAction>(name)->trigger();
            QVERIFY(walked.wait());
        }
        const QString window = dir.filePath("window.pdf");
        w.dialogs.savePaths.push_back(window);
        w.dialogs.messageAnswers.push_back(kvx::MessageResult::Ok); // the first rows, if too many
        w.control<QAbstractButton>("cmdPrint")->click();

        QVERIFY(kvx::test::output("pdftotext", {printed, "-"})
                    .contains(options == "--sizes" ? "Album (4 fichiers, 0 o)" : "Album"));
        QVERIFY(kvx::test::pdfPage(printed, 200) == kvx::test::pdfPage(window, 200));
    }

    // Names come in the order of the interface's language, accents and
    // letter case ignored, numbers by value, in a small folder as in a large
    // one, from the command line as in the window. A document keeps the order
    // it was saved in.
    void nameOrder()
    {
        QTemporaryDir dir;
        const QString disc = dir.filePath("disc");
        QStringList names{"Serge/", "Édith Piaf/", "edith/", "Disc 10/", "Disc 2/", "Zoë/", "b/"};
        const QStringList large = names + QStringList{"1/", "2/", "11/", "x/"};
        for (const QString& name : large)
            names << "large/" + name << "large/" + name + "y/";
        QVERIFY(makeEntries(disc, names));
        const Run run = kvx({"--from", disc, "--expand", "2", "--list"});
        QStringList rows = run.out.split('\n', Qt::SkipEmptyParts).mid(1);
        const QString inLarge = rows.mid(6, 11).join('|');
        QCOMPARE(rows.join('|').remove(inLarge + '|'),
                 "  b|  Disc 2|  Disc 10|  edith|  Édith Piaf|"
                 "  large|  Serge|  Zoë");
        QCOMPARE(inLarge,
                 "    1|    2|    11|    b|    Disc 2|    Disc 10|    edith|    Édith Piaf|"
                 "    Serge|    x|    Zoë");
        kvx::test::MainWindowFixture w;
        w.window.Form_Load();
        w.dialogs.folders.push_back(disc);
        w.window.cmdStartPoint_Click();
        kvx::ExpandToDepth(w.window.tree(), 2);
        QCOMPARE(kvx::RowTexts(w.window.tree()).mid(1), rows);
        kvx::NodeTree& tree = w.window.tree();
        tree.setText(tree.findByKey(disc + "/b/"), "zz");
        w.window.documents().saveDocument(dir.filePath("z.kvx"));
        QCOMPARE(kvx({dir.filePath("z.kvx"), "--list"}).out.split('\n').at(1), "  zz");
    }

    // Each format of the odd document, to a file or to standard output,
    // reads back as the rows the program lists, with the jacket's grid; the
    // window's "Exporter ..." (Ctrl+E, in the "Plus ..." menu) writes the very
    // same bytes, and says so when it cannot write.
    void exports_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("about");
        const auto row = [](const char* format, const char* target, const char* about) {
            QTest::newRow(format) << QString(format) << QString(target) << QString(about);
        };
        row("json", "x.json", "/disc/|2|40|no error occurred");
        row("csv", "-", "depth|text|kind|path|bold|color|background");
        row("html", "x.HTML", "/disc/");
        row("md", "-", "");
    }
    void exports()
    {
        QFETCH(QString, format);
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString doc = dir.filePath("odd.kvx");
        QVERIFY(writeFile(doc, kOddDocument));
        QStringList expected, listed;
        for (const QString& row : kOddRows) {
            const QStringList values = row.split('|');
            expected << (format == "html" ? values
                         : format == "md" ? QStringList{values[0], values[1], values[4]}
                                          : values.mid(0, 7))
                            .join('|');
            listed << QString(2 * values[0].toInt(), ' ') + values[1] + '\n';
        }
        QCOMPARE(kvx({doc, "--list"}).out, listed.join(""));

        const QString file = target == "-" ? target : dir.filePath(target);
        const Run run = kvx({doc, "--export", file, "--format", format, "--columns", "2", "--lines",
                             "40", "--save", dir.filePath("again.kvx")});
        QCOMPARE(run.err, QString());
        QVERIFY(readFile(dir.filePath("again.kvx")).contains("Node6=caf\xc3\xa9 \xc2\x81|1|"));
        const QByteArray bytes = target == "-" ? run.out.toUtf8() : readFile(file);
        QString about;
        QCOMPARE(readExport(format, bytes, about), expected);
        QTEST(about, "about");
        if (format == "html") {
            // Each picture once, as a class of its own holding a 16 x 16 PNG.
            const QRegularExpression css(
                R"(\.p(\d) \{ background-image: url\(data:image/png;base64,([^)]+)\); \})");
            QStringList classes;
            for (const QRegularExpressionMatch& m : css.globalMatch(bytes)) {
                classes << m.captured(1);
                QCOMPARE(QImage::fromData(QByteArray::fromBase64(m.captured(2).toLatin1())).size(),
                         QSize(16, 16));
            }
            QCOMPARE(classes, QStringList({"2", "6", "1"}));
        }

        kvx::test::MainWindowFixture w;
        w.window.Form_Load();
        w.dialogs.openPaths = {doc};
        w.control<QAction>("mnuLoad")->trigger();
        for (const char* option : {"opLines(1)", "opColum(6)"})
            w.control<QAbstractButton>(option)->click();
        QTest::mouseClick(w.control<QWidget>("cmdMore"), Qt::LeftButton);
        QVERIFY(w.window.mnuMore()->isVisible());
        w.window.mnuMore()->hide();
        const QString mine = dir.filePath("window." + format), folder = dir.filePath("d." + format);
        QVERIFY(QDir(dir.path()).mkdir("d." + format));
        w.dialogs.savePaths = {mine, folder};
        QTest::keySequence(w.window.TV(), QKeySequence("Ctrl+E"));
        QCOMPARE(readFile(mine), bytes);
        w.window.mnuMore()->actions().constFirst()->trigger();
        QCOMPARE(w.dialogs.callsOf("ShowSave").at(1).args,
                 QStringList({"JSON|*.json|CSV|*.csv|HTML|*.html|Markdown|*.md", "Exporter l'arbre",
                              dir.path()}));
        QCOMPARE(w.dialogs.callsOf("MsgBox").at(0).args.at(0),
                 kvx::MessageTexts()
                     .text(kvx::Msg::ExportFailed)
                     .arg(folder, "not a regular file but a folder"));
    }

    // Folders the user may not read (mode 000) or only enter (311) are told
    // like the other entries left out. Run as a user to whom permissions apply.
    void unreadableFolders()
    {
        kvx::test::OtherUser other;
        const QString disc = other.path("disc");
        QVERIFY(makeEntries(disc, {"a/in/", "shut/in/", "enter/in/", "b/"}));
        kvx::test::OtherUser::giveAway(disc);
        QVERIFY(::chmod(QFile::encodeName(disc + "/shut"), 0) == 0 &&
                ::chmod(QFile::encodeName(disc + "/enter"), 0311) == 0);
        const auto run = other.kvx({"--from", disc, "--expand", "3", "--list"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString(run.out).replace(disc, "D"), "D/\n  a\n    in\n  b\n  enter\n  shut\n");
        QCOMPARE(run.err, "kvx: warning: left out 2 folders that cannot be read\n");
        // The totals leave them out too, and they are told once.
        QVERIFY(writeFile(disc + "/b/f", "12345"));
        const auto sized = other.kvx({"--from", disc, "--expand", "2", "--sizes", "--list"});
        QCOMPARE(QString(sized.out).replace(disc, "D"),
                 "D/ (1 fichier, 5 o)\n  a (vide)\n    in (vide)\n  b (1 fichier, 5 o)\n"
                 "  enter\n  shut\n");
        QCOMPARE(sized.err, run.err);
    }

    // Interrupted while it writes, the program leaves no temporary file.
    void interrupted()
    {
        QTemporaryDir dir;
        QVERIFY(makeEntries(dir.filePath("disc"), {"a/", "b/"}));
        const int watch = ::inotify_init1(IN_CLOEXEC);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(dir.path()), IN_CREATE) >= 0);
        QProcess run;
        run.start(KVX_TEST_PROGRAM_DIR "/kvx",
                  {"--from", dir.filePath("disc"), "--pdf", dir.filePath("x.pdf")});
        pollfd created{watch, POLLIN, 0};
        QCOMPARE(::poll(&created, 1, 60000), 1); // its temporary file
        ::kill(pid_t(run.processId()), SIGTERM);
        QVERIFY(run.waitForFinished(60000));
        ::close(watch);
        QCOMPARE(run.exitStatus(), QProcess::CrashExit);
        QCOMPARE(entries(dir.path()), QStringList{"disc"});
    }

    // Reading takes at most four times a document's size beyond what reading
    // an empty one takes; running out of memory is one line, exit status 2.
    void memory()
    {
        if (kvx::kAddressSanitizer)
            QSKIP("AddressSanitizer holds memory of its own");
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.kvx"), junk = dir.filePath("junk.kvx");
        QVERIFY(writeFile(empty, "[FileInfo]\nType=TVW FILE\n[Nodes]\nCount=0\n"));
        QByteArray text = "[FileInfo]\nType=TVW FILE\n[TreeView]\n";
        for (int i = 0; text.size() < (8 << 20); ++i)
            text += 'k' + QByteArray::number(i) + "=\njunk\n";
        text += "[Nodes]\nCount=3000000\n";
        for (int i = 0; text.size() < (24 << 20); ++i)
            text += "Node" + QByteArray::number(i) + "=|\n";
        QVERIFY(writeFile(junk, text));
        // The most memory a run of `kvx DOC --list` held, in bytes.
        const auto peak = [this](const QString& doc) {
            const Run run = kvx({"-f", "%M", KVX_TEST_PROGRAM_DIR "/kvx", doc, "--list"},
                                RLIM_INFINITY, "/usr/bin/time");
            return run.err.trimmed().section('\n', -1).toLongLong() << 10;
        };
        const qint64 read = peak(junk);
        QVERIFY2(read <= peak(empty) + 4 * text.size(), qPrintable(QString::number(read >> 20)));

        QFile big(dir.filePath("big.kvx")); // sparse: it takes no room on the disc
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(250) << 20));
        const Run starved =
            kvx({big.fileName(), "--list"}, RLIM_INFINITY, KVX_TEST_PROGRAM_DIR "/kvx", 200 << 20);
        QCOMPARE(starved.status, 2);
        QCOMPARE(starved.err, "kvx: cannot read " + big.fileName() + ": out of memory\n");
    }

    void help()
    {
        const Run help = kvx({"--help"});
        QCOMPARE(help.status, 0);
        // The options, the data beside the built program, and its languages.
        for (const char* says :
             {"--from", "--expand", "--add", "--list", "--save", "--pdf", "--export",
              "catalogue add", "find", "\n  " KVX_TEST_PROGRAM_DIR "  icons",
              "languages: English.lng, Francais.lng\n"})
            QVERIFY2(help.out.contains(QLatin1String(says)), says);
        // A language file's odd name is one item of one line.
        QTemporaryDir dir;
        QVERIFY(QFile::copy(KVX_TEST_PROGRAM_DIR "/kvx", dir.filePath("kvx")) &&
                writeFile(dir.filePath("e\x1b[2Jnl\nx.lng"), ""));
        QVERIFY(kvx({"--help"}, RLIM_INFINITY, dir.filePath("kvx"))
                    .out.endsWith("languages: e?[2Jnl?x.lng\n"));
    }
};

QTEST_MAIN(tst_commandline)
#include "tst_commandline.moc"
