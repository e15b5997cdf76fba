#pragma once

#include "export/ExportFormat.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

// The application object a run needs: a QCoreApplication for work that draws
// nothing, a QGuiApplication for work that draws (a PDF jacket, the pictures
// of an HTML export), a
// QApplication for the window.
enum class RunKind { Text, Drawing, Window };

// What the command line asks for. With no argument at all the window opens.
struct CommandLine
{
    QString document;   // a tree document to open
    QString fromFolder; // --from: build the tree from this folder
    // --expand: without it a built tree opens its root only, and a document
    // stays as it was saved.
    std::optional<int> expandDepth;
    QString addPatterns; // --add
    bool sizes = false;  // --sizes: the files and sizes under each folder
    bool list = false;
    QString saveFile;
    QString pdfFile;
    int lines = 50;
    int columns = 3;
    bool blackAndWhiteFolders = false;        // --bw
    bool monochrome = false;                  // --mono
    QString exportFile;                       // --export: a file, or "-" for standard output
    std::optional<ExportFormat> exportFormat; // given with --format, or by the file's extension
    // The cover: a template, the paper of a PDF (none: the locale's), and
    // the disc's title and identifier (none: the document's or the default).
    QString templateName;
    QString paper;
    std::optional<QString> discTitle;
    std::optional<QString> discId;
    bool titleOnBooklet = false;
    bool help = false;

    // True when an action asks for a run without the window.
    [[nodiscard]] bool headless() const
    {
        return list || !saveFile.isEmpty() || !pdfFile.isEmpty() || !exportFile.isEmpty();
    }
    // A new action that draws makes its run a Drawing one here.
    [[nodiscard]] RunKind kind() const
    {
        if (!pdfFile.isEmpty() || exportFormat == ExportFormat::Html)
            return RunKind::Drawing;
        return headless() || help ? RunKind::Text : RunKind::Window;
    }
};

struct CommandLineResult
{
    std::optional<CommandLine> options;
    QString error; // one line, set when options is empty
    // On error: the arguments hold options the program does not know (perhaps Qt's
    // own, which an application object takes out of the arguments), and
    // whether those we know ask for a run without the window.
    bool unknownOptions = false;
    bool headless = false;
};

// Parses the arguments (without the program name).
[[nodiscard]] CommandLineResult parseCommandLine(const QStringList& arguments);

[[nodiscard]] QString commandLineHelp();
// Where the running program finds its data and language files, for the help.
[[nodiscard]] QString programFilesHelp();

} // namespace kvx
