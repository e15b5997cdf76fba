#include "cli/CommandLine.h"

#include "lang/LanguageList.h"
#include "util/ProgramFolders.h"

#include <QFileInfo>

namespace kvx {

namespace {

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage:\n"
        "  kvx                         open the window\n"
        "  kvx DOCUMENT.kvx            open the window with a tree document\n"
        "  kvx --from FOLDER [--expand N] [--add PATTERNS] ACTION...\n"
        "  kvx DOCUMENT.kvx [--add PATTERNS] ACTION...\n"
        "\n"
        "Options:\n"
        "  --from FOLDER   build the tree from FOLDER, as the start button does\n"
        "  --expand N      expand every folder of depth < N (default 1: the root only)\n"
        "  --add PATTERNS  add files matching \";\"-separated wildcards under every folder\n"
        "  --help          show this help\n"
        "\n"
        "Actions:\n"
        "  --list          print the shown rows, two spaces of indent per depth\n"
        "  --save FILE     write the tree document\n"
        "  --pdf FILE      print the jacket to a PDF file\n"
        "      [--lines 30|40|50] [--columns 2|3|4] [--bw] [--mono]\n");
}

QString programFilesHelp()
{
    const QString data = programDataDir();
    QString text = QStringLiteral("\nFiles:\n  %1  icons (ico/) and language files\n").arg(data);
    const QString user = userLanguageFolder(data);
    if (!user.isEmpty() && user != data)
        text += QStringLiteral("  %1  your own language files\n").arg(user);
    QStringList names;
    for (const LanguageItem& language : ListLanguages(languageFolders(data)))
        names.append(QFileInfo(language.path).fileName());
    return text +
           QStringLiteral("  languages: %1\n")
               .arg(names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1String(", ")));
}

CommandLineResult parseCommandLine(const QStringList& arguments)
{
    CommandLine options;
    auto fail = [](const QString& message) { return CommandLineResult{std::nullopt, message}; };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        auto value = [&](QString* out) {
            if (i + 1 >= arguments.size())
                return false;
            *out = arguments.at(++i);
            return true;
        };
        QString text;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--from")) {
            if (!value(&options.fromFolder) || options.fromFolder.isEmpty())
                return fail(QStringLiteral("--from needs a folder"));
        } else if (arg == QLatin1String("--expand")) {
            if (!value(&text))
                return fail(QStringLiteral("--expand needs a number"));
            const auto n = wholeNumber(text);
            if (!n || *n < 0)
                return fail(QStringLiteral("--expand takes a whole number of 0 or more, not \"%1\"")
                                .arg(text));
            options.expandDepth = *n;
        } else if (arg == QLatin1String("--add")) {
            if (!value(&options.addPatterns))
                return fail(QStringLiteral("--add needs patterns"));
        } else if (arg == QLatin1String("--list")) {
            options.list = true;
        } else if (arg == QLatin1String("--save")) {
            if (!value(&options.saveFile) || options.saveFile.isEmpty())
                return fail(QStringLiteral("--save needs a file name"));
        } else if (arg == QLatin1String("--pdf")) {
            if (!value(&options.pdfFile) || options.pdfFile.isEmpty())
                return fail(QStringLiteral("--pdf needs a file name"));
        } else if (arg == QLatin1String("--lines")) {
            const bool ok = value(&text);
            const auto n = wholeNumber(text);
            if (!ok || !n || (*n != 30 && *n != 40 && *n != 50))
                return fail(QStringLiteral("--lines takes 30, 40 or 50"));
            options.lines = *n;
        } else if (arg == QLatin1String("--columns")) {
            const bool ok = value(&text);
            const auto n = wholeNumber(text);
            if (!ok || !n || *n < 2 || *n > 4)
                return fail(QStringLiteral("--columns takes 2, 3 or 4"));
            options.columns = *n;
        } else if (arg == QLatin1String("--bw")) {
            options.blackAndWhiteFolders = true;
        } else if (arg == QLatin1String("--mono")) {
            options.monochrome = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return fail(QStringLiteral("unknown option \"%1\" (see kvx --help)").arg(arg));
        } else if (options.document.isEmpty()) {
            options.document = arg;
        } else {
            return fail(QStringLiteral("more than one document given: \"%1\"").arg(arg));
        }
    }

    if (options.help)
        return {options, {}};
    if (!options.document.isEmpty() && !options.fromFolder.isEmpty())
        return fail(QStringLiteral("give either a document or --from FOLDER, not both"));
    const bool treeOptions =
        !options.addPatterns.isEmpty() || arguments.contains(QStringLiteral("--expand"));
    if (!options.headless() && (!options.fromFolder.isEmpty() || treeOptions))
        return fail(QStringLiteral("nothing to do: add --list, --save FILE or --pdf FILE"));
    if (options.headless() && options.document.isEmpty() && options.fromFolder.isEmpty())
        return fail(QStringLiteral("no tree: give a document or --from FOLDER"));
    return {options, {}};
}

} // namespace kvx
