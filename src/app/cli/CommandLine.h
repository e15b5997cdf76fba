#pragma once

#include "export/ExportFormat.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

// What the command line asks for. With no argument at all the window opens.
struct CommandLine
{
    QString document;   // a tree document to open
    QString fromFolder; // --from: build the tree from this folder
    // --expand: without it a built tree opens its root only, and a document
    // stays as it was saved.
    std::optional<int> expandDepth;
    QString addPatterns; // --add
    bool list = false;
    QString saveFile;
    QString pdfFile;
    int lines = 50;
    int columns = 3;
    bool blackAndWhiteFolders = false;        // --bw
    bool monochrome = false;                  // --mono
    QString exportFile;                       // --export: a file, or "-" for standard output
    std::optional<ExportFormat> exportFormat; // given with --format, or by the file's extension
    bool help = false;

    // True when an action asks for a run without the window.
    [[nodiscard]] bool headless() const
    {
        return list || !saveFile.isEmpty() || !pdfFile.isEmpty() || !exportFile.isEmpty();
    }
};

struct CommandLineResult
{
    std::optional<CommandLine> options;
    QString error; // one line, set when options is empty
};

// Parses the arguments (without the program name).
[[nodiscard]] CommandLineResult parseCommandLine(const QStringList& arguments);

[[nodiscard]] QString commandLineHelp();
// Where the running program finds its data and language files, for the help.
[[nodiscard]] QString programFilesHelp();

} // namespace kvx
