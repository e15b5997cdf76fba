#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

// What `kvx catalogue ...` or `kvx find ...` asks for.
struct CatalogueCommand
{
    enum class Action { Add, List, Note, Remove, Verify, Find };
    Action action = Action::List;
    QString catalogue; // --catalogue FILE; empty for the default one
    QString path;      // add, verify: the folder or disc image
    qint64 disc = 0;   // note, remove, verify; find --disc (0: every disc)
    QString text;      // note: the note; find: what to find
    QString discName;  // add --disc-name
    QString note;      // add --note
    bool replace = false;
    bool json = false;
    qint64 limit = 100; // find: 0 for every hit
    bool help = false;
};

struct CatalogueCommandResult
{
    std::optional<CatalogueCommand> command;
    QString error; // one line, set when command is empty
};

// Whether the arguments (without the program name) ask for the catalogue:
// they start with "catalogue" or "find", or name a catalogue.
[[nodiscard]] bool isCatalogueCommand(const QStringList& arguments);
[[nodiscard]] CatalogueCommandResult parseCatalogueCommand(const QStringList& arguments);

} // namespace kvx
