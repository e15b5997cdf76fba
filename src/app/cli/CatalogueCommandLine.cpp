#include "cli/CatalogueCommandLine.h"

#include "catalogue/CatalogueRecords.h"

#include <QCommandLineParser>

namespace kvx {

namespace {

using Action = CatalogueCommand::Action;

struct ActionWords
{
    const char* words;
    Action action;
    int arguments; // after the words
    const char* usage;
    QStringList options;
};

const std::vector<ActionWords>& actions()
{
    static const std::vector<ActionWords> all{
        {"catalogue add",
         Action::Add,
         1,
         "kvx catalogue add PATH",
         {"disc-name", "note", "replace"}},
        {"catalogue list", Action::List, 0, "kvx catalogue list", {"json"}},
        {"catalogue note", Action::Note, 2, "kvx catalogue note ID TEXT", {}},
        {"catalogue remove", Action::Remove, 1, "kvx catalogue remove ID", {}},
        {"catalogue verify", Action::Verify, 2, "kvx catalogue verify ID PATH", {}},
        {"find", Action::Find, 1, "kvx find TEXT", {"disc", "limit", "json"}},
    };
    return all;
}

const QStringList kValueOptions{"catalogue", "disc-name", "note", "disc", "limit"};
const QStringList kSwitches{"replace", "json"};

std::optional<qint64> discNumber(const QString& text, QString* error)
{
    const std::optional<qint64> id = parseDiscIdentifier(text);
    if (!id)
        *error = QStringLiteral("not a disc identifier: \"%1\" (such as KVX-0001)").arg(text);
    return id;
}

} // namespace

bool isCatalogueCommand(const QStringList& arguments)
{
    if (!arguments.isEmpty() && (arguments.first() == QLatin1String("catalogue") ||
                                 arguments.first() == QLatin1String("find")))
        return true;
    return std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
        return argument == QLatin1String("--catalogue") ||
               argument.startsWith(QLatin1String("--catalogue="));
    });
}

CatalogueCommandResult parseCatalogueCommand(const QStringList& arguments)
{
    const auto fail = [](const QString& message) {
        return CatalogueCommandResult{std::nullopt, message};
    };
    if (!arguments.contains(QStringLiteral("catalogue")) &&
        !arguments.contains(QStringLiteral("find")))
        return fail(QStringLiteral("--catalogue goes with kvx catalogue ... or kvx find ..."));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const QString& name : kValueOptions)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString& name : kSwitches)
        parser.addOption(QCommandLineOption(name));
    if (!parser.parse(QStringList(QStringLiteral("kvx")) + arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return fail(QStringLiteral("unknown option \"--%1\" (see kvx --help)")
                            .arg(parser.unknownOptionNames().constFirst()));
        return fail(QStringLiteral("--%1 needs a value")
                        .arg(arguments.constLast().section(u'-', 2).section(u'=', 0, 0)));
    }

    CatalogueCommand command;
    command.help = parser.isSet(QStringLiteral("help"));
    command.catalogue = parser.value(QStringLiteral("catalogue"));
    if (command.help)
        return {command, {}};
    if (parser.isSet(QStringLiteral("catalogue")) && command.catalogue.isEmpty())
        return fail(QStringLiteral("--catalogue needs a file name"));

    QStringList words = parser.positionalArguments();
    const ActionWords* chosen = nullptr;
    for (const ActionWords& action : actions()) {
        const QStringList wanted = QString::fromLatin1(action.words).split(u' ');
        if (words.mid(0, wanted.size()) == wanted) {
            chosen = &action;
            words = words.mid(wanted.size());
            break;
        }
    }
    if (!chosen) {
        if (words.value(0) == QLatin1String("catalogue"))
            return fail(words.size() > 1
                            ? QStringLiteral("unknown catalogue command \"%1\": add, list, "
                                             "note, remove or verify")
                                  .arg(words.at(1))
                            : QStringLiteral("kvx catalogue needs a command: add, list, note, "
                                             "remove or verify"));
        return fail(QStringLiteral("--catalogue goes with kvx catalogue ... or kvx find ..."));
    }
    command.action = chosen->action;
    if (words.size() != chosen->arguments)
        return fail(QStringLiteral("usage: %1 (see kvx --help)").arg(chosen->usage));
    for (const QString& name : kValueOptions + kSwitches) {
        if (name != QLatin1String("catalogue") && parser.isSet(name) &&
            !chosen->options.contains(name))
            return fail(QStringLiteral("--%1 does not go with %2").arg(name, chosen->usage));
    }

    QString error;
    switch (command.action) {
    case Action::Add:
        command.path = words.at(0);
        break;
    case Action::List:
        break;
    case Action::Note:
        command.text = words.at(1);
        [[fallthrough]];
    case Action::Remove:
        if (const auto id = discNumber(words.at(0), &error))
            command.disc = *id;
        else
            return fail(error);
        break;
    case Action::Verify:
        command.path = words.at(1);
        if (const auto id = discNumber(words.at(0), &error))
            command.disc = *id;
        else
            return fail(error);
        break;
    case Action::Find:
        command.text = words.at(0);
        if (parser.isSet(QStringLiteral("disc"))) {
            if (const auto id = discNumber(parser.value(QStringLiteral("disc")), &error))
                command.disc = *id;
            else
                return fail(error);
        }
        if (parser.isSet(QStringLiteral("limit"))) {
            bool ok = false;
            command.limit = parser.value(QStringLiteral("limit")).toLongLong(&ok);
            if (!ok || command.limit < 0)
                return fail(QStringLiteral("--limit takes a whole number of 0 or more, not \"%1\"")
                                .arg(parser.value(QStringLiteral("limit"))));
        }
        break;
    }
    command.discName = parser.value(QStringLiteral("disc-name"));
    command.note = parser.value(QStringLiteral("note"));
    command.replace = parser.isSet(QStringLiteral("replace"));
    command.json = parser.isSet(QStringLiteral("json"));
    return {command, {}};
}

} // namespace kvx
