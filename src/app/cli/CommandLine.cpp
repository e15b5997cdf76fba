#include "cli/CommandLine.h"

#include "catalogue/Catalogue.h"
#include "cli/MessageLines.h"
#include "lang/LanguageList.h"
#include "print/CoverTemplates.h"
#include "util/ProgramFolders.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace kvx {

namespace {

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// An option of ours that takes a value, and what its error says when the
// value is missing.
struct ValueOption
{
    const char* name;
    const char* missing;
};

constexpr ValueOption kValueOptions[] = {
    {"from", "--from needs a folder"},
    {"expand", "--expand needs a number"},
    {"add", "--add needs patterns"},
    {"save", "--save needs a file name"},
    {"pdf", "--pdf needs a file name"},
    {"lines", "--lines takes 30, 40 or 50"},
    {"columns", "--columns takes 2, 3 or 4"},
    {"export", "--export needs a file name, or - with --format"},
    {"format", "--format takes json, csv, html or md"},
    {"template", "--template needs a name"},
    {"paper", "--paper takes a4 or letter"},
    {"disc-title", "--disc-title needs a text"},
    {"disc-id", "--disc-id needs a text"}};
constexpr const char* kSwitches[] = {"list", "bw", "mono", "title-on-booklet", "sizes"};

void addOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const ValueOption& option : kValueOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                            QStringLiteral("value")));
    for (const char* name : kSwitches)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
}

// The parser's complaint in our words: only a value option given last
// misses its value, for any next argument is taken as the value.
QString parseError(const QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        QString given = QStringLiteral("--") + name;
        for (const QString& argument : arguments) {
            const QString option = argument.section(u'=', 0, 0);
            if (option == u'-' + name || option == QStringLiteral("--") + name) {
                given = argument;
                break;
            }
        }
        return QStringLiteral("unknown option \"%1\" (see kvx --help)").arg(given);
    }
    const QString last = arguments.isEmpty() ? QString() : arguments.constLast();
    for (const ValueOption& option : kValueOptions) {
        if (last == QStringLiteral("--") + QLatin1String(option.name) ||
            last == QStringLiteral("-") + QLatin1String(option.name))
            return QString::fromLatin1(option.missing);
    }
    QString text = parser.errorText();
    if (text.endsWith(u'.'))
        text.chop(1);
    return text.isEmpty() ? text : text.front().toLower() + text.mid(1);
}

// --export and --format; an error line, empty when they make sense.
QString readExportOptions(const QCommandLineParser& parser, CommandLine& options)
{
    options.exportFile = parser.value(QStringLiteral("export"));
    const bool toStandardOutput = options.exportFile == QLatin1String("-");
    if (parser.isSet(QStringLiteral("export")) && options.exportFile.isEmpty())
        return QStringLiteral("--export needs a file name, or - with --format");
    if (parser.isSet(QStringLiteral("format"))) {
        options.exportFormat = exportFormatNamed(parser.value(QStringLiteral("format")));
        if (!options.exportFormat)
            return QStringLiteral("--format takes json, csv, html or md");
        if (options.exportFile.isEmpty())
            return QStringLiteral("--format goes with --export");
    } else if (toStandardOutput) {
        return QStringLiteral("--export - needs --format json, csv, html or md");
    } else if (!options.exportFile.isEmpty()) {
        options.exportFormat = exportFormatOfFile(options.exportFile);
        if (!options.exportFormat)
            return QStringLiteral("cannot tell the format of %1: name it .json, .csv, .html or "
                                  ".md, or give --format")
                .arg(options.exportFile);
    }
    if (toStandardOutput && options.list)
        return QStringLiteral("--export - and --list both write to standard output");
    return {};
}

} // namespace

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage:\n"
        "  kvx                         open the window\n"
        "  kvx DOCUMENT.kvx            open the window with a tree document\n"
        "  kvx --from FOLDER [--expand N] [--add PATTERNS] [--sizes] ACTION...\n"
        "  kvx DOCUMENT.kvx [--expand N] [--add PATTERNS] [--sizes] ACTION...\n"
        "  kvx catalogue add PATH [--disc-name NAME] [--note TEXT] [--replace]\n"
        "  kvx catalogue list [--json]\n"
        "  kvx catalogue note ID TEXT\n"
        "  kvx catalogue remove ID\n"
        "  kvx catalogue verify ID PATH\n"
        "  kvx find TEXT [--disc ID] [--limit N] [--json]\n"
        "\n"
        "Options:\n"
        "  --from FOLDER   build the tree from FOLDER, as the start button does;\n"
        "                  FOLDER may be an ISO 9660 disc image\n"
        "  --expand N      show every folder of depth < N open, after files are added\n"
        "                  (default 1: the root only; a document as it was saved)\n"
        "  --add PATTERNS  add files matching \";\"-separated wildcards under every folder\n"
        "  --sizes         show after each folder its files and their size, all the\n"
        "                  way down (a document: taken again from its start folder)\n"
        "  --help          show this help\n"
        "  Qt's standard options (-style, -platform, -reverse...) are accepted too.\n"
        "\n"
        "Actions:\n"
        "  --list          print the shown rows, two spaces of indent per depth\n"
        "  --save FILE     write the tree document\n"
        "  --pdf FILE      print the jacket to a PDF file\n"
        "      [--lines 30|40|50] [--columns 2|3|4] [--bw] [--mono]\n"
        "      [--template booklet|tray|dvd|slimdvd|booklet+tray] [--paper a4|letter]\n"
        "      [--disc-title TEXT] [--disc-id TEXT] [--title-on-booklet]\n"
        "      (the template, title and identifier are saved with --save too)\n"
        "  --export FILE   write the shown rows as JSON, CSV, HTML or Markdown, by the\n"
        "                  file's extension (.json, .csv, .html, .md)\n"
        "  --export - --format json|csv|html|md\n"
        "                  the same to standard output\n"
        "\n"
        "Nothing is written unless every action succeeds.\n"
        "\n"
        "The catalogue of discs (--catalogue FILE: another one than the default):\n"
        "  catalogue add   record every folder, file and link of a folder, mounted disc\n"
        "                  or ISO image; prints the disc's identifier (KVX-0001...)\n"
        "  catalogue list  the discs: identifier, name, note, date, entries, bytes\n"
        "  catalogue note  replace a disc's note;  catalogue remove  take a disc out\n"
        "  catalogue verify  what is missing, changed or new on a disc since its record\n"
        "                  (exit 1 when something differs)\n"
        "  find TEXT       the entries whose names hold TEXT, case and accents aside\n"
        "                  (one or two characters: names that start with them); best\n"
        "                  first, 100 at most unless --limit N (0: all); exit 1 if none\n");
}

QString programFilesHelp()
{
    const QString data = programDataDir();
    QString text = QStringLiteral("\nFiles:\n  %1  icons (ico/) and language files\n")
                       .arg(withoutControls(data));
    const QString user = userLanguageFolder(data);
    if (!user.isEmpty() && user != data)
        text += QStringLiteral("  %1  your own language files\n").arg(withoutControls(user));
    text += QStringLiteral("  %1  the catalogue of discs\n")
                .arg(withoutControls(Catalogue::defaultPath()));
    QStringList names;
    for (const LanguageItem& language : ListLanguages(languageFolders(data)))
        names.append(withoutControls(QFileInfo(language.path).fileName()));
    return text +
           QStringLiteral("  languages: %1\n")
               .arg(names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1String(", ")));
}

CommandLineResult parseCommandLine(const QStringList& arguments)
{
    auto fail = [](const QString& message) {
        CommandLineResult failed;
        failed.error = message;
        return failed;
    };

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList(QStringLiteral("kvx")) + arguments)) {
        CommandLineResult failed = fail(parseError(parser, arguments));
        failed.unknownOptions = !parser.unknownOptionNames().isEmpty();
        failed.headless =
            parser.isSet(QStringLiteral("list")) || parser.isSet(QStringLiteral("save")) ||
            parser.isSet(QStringLiteral("pdf")) || parser.isSet(QStringLiteral("help"));
        return failed;
    }

    CommandLine options;
    options.help = parser.isSet(QStringLiteral("help"));
    options.fromFolder = parser.value(QStringLiteral("from"));
    options.addPatterns = parser.value(QStringLiteral("add"));
    options.list = parser.isSet(QStringLiteral("list"));
    options.saveFile = parser.value(QStringLiteral("save"));
    options.pdfFile = parser.value(QStringLiteral("pdf"));
    options.blackAndWhiteFolders = parser.isSet(QStringLiteral("bw"));
    options.monochrome = parser.isSet(QStringLiteral("mono"));
    options.sizes = parser.isSet(QStringLiteral("sizes"));
    options.titleOnBooklet = parser.isSet(QStringLiteral("title-on-booklet"));
    if (parser.isSet(QStringLiteral("disc-title")))
        options.discTitle = parser.value(QStringLiteral("disc-title"));
    if (parser.isSet(QStringLiteral("disc-id")))
        options.discId = parser.value(QStringLiteral("disc-id"));
    if (parser.isSet(QStringLiteral("template"))) {
        options.templateName = parser.value(QStringLiteral("template"));
        if (!FindCoverTemplate(options.templateName))
            return fail(
                QStringLiteral("unknown template \"%1\": use %2")
                    .arg(options.templateName, CoverTemplateNames().join(QLatin1String(", "))));
    }
    if (parser.isSet(QStringLiteral("paper"))) {
        options.paper = parser.value(QStringLiteral("paper"));
        if (!PaperOfName(options.paper))
            return fail(QStringLiteral("--paper takes a4 or letter"));
    }

    if (parser.isSet(QStringLiteral("from")) && options.fromFolder.isEmpty())
        return fail(QStringLiteral("--from needs a folder"));
    if (parser.isSet(QStringLiteral("save")) && options.saveFile.isEmpty())
        return fail(QStringLiteral("--save needs a file name"));
    if (parser.isSet(QStringLiteral("pdf")) && options.pdfFile.isEmpty())
        return fail(QStringLiteral("--pdf needs a file name"));
    if (parser.isSet(QStringLiteral("expand"))) {
        const QString text = parser.value(QStringLiteral("expand"));
        const auto n = wholeNumber(text);
        if (!n || *n < 0)
            return fail(
                QStringLiteral("--expand takes a whole number of 0 or more, not \"%1\"").arg(text));
        options.expandDepth = *n;
    }
    if (parser.isSet(QStringLiteral("lines"))) {
        const auto n = wholeNumber(parser.value(QStringLiteral("lines")));
        if (!n || (*n != 30 && *n != 40 && *n != 50))
            return fail(QStringLiteral("--lines takes 30, 40 or 50"));
        options.lines = *n;
    }
    if (parser.isSet(QStringLiteral("columns"))) {
        const auto n = wholeNumber(parser.value(QStringLiteral("columns")));
        if (!n || *n < 2 || *n > 4)
            return fail(QStringLiteral("--columns takes 2, 3 or 4"));
        options.columns = *n;
    }

    const QStringList documents = parser.positionalArguments();
    if (documents.size() > 1)
        return fail(QStringLiteral("more than one document given: \"%1\"").arg(documents.at(1)));
    options.document = documents.value(0);

    const auto done = [&options] {
        CommandLineResult read;
        read.options = options;
        return read;
    };
    if (options.help)
        return done();
    if (!options.document.isEmpty() && !options.fromFolder.isEmpty())
        return fail(QStringLiteral("give either a document or --from FOLDER, not both"));
    const bool treeOptions = parser.isSet(QStringLiteral("add")) ||
                             parser.isSet(QStringLiteral("expand")) || options.sizes;
    if (const QString error = readExportOptions(parser, options); !error.isEmpty())
        return fail(error);
    if (!options.headless() && (!options.fromFolder.isEmpty() || treeOptions))
        return fail(
            QStringLiteral("nothing to do: add --list, --save FILE, --pdf FILE or --export FILE"));
    if (options.headless() && options.document.isEmpty() && options.fromFolder.isEmpty())
        return fail(QStringLiteral("no tree: give a document or --from FOLDER"));
    return done();
}

} // namespace kvx
