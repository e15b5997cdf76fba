#pragma once

#include "lang/MessageTexts.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kvx {

// A request to open a document, an address or a mail link with whatever the
// desktop associates with it, as the shell receives it.
struct ShellRequest
{
    QString operation;      // the verb, "open" for the links of the About window
    QString file;           // document, address or link
    QString parameters;     // command-line parameters, may be empty
    QString directory;      // working directory, may be empty
    qint32 showCommand = 1; // how the started program's window is shown (1: normal, 0: hidden)
};

// Applies the caller-side rules before the shell is asked: a file naming an
// ".EXE" anywhere starts hidden, and a request without parameters and without
// a directory always asks for a normal window, whatever was passed.
[[nodiscard]] ShellRequest prepareShellRequest(const QString& file, qint32 showCommand,
                                               const QString& parameters, const QString& directory,
                                               const QString& operation);

// The codes of the shell's answers that the program tells apart.
namespace shell_code {
inline constexpr qint32 OtherError = 1;
inline constexpr qint32 FileNotFound = 2;
inline constexpr qint32 PathNotFound = 3;
inline constexpr qint32 InvalidAssociation = 27; // no opener could be started
inline constexpr qint32 NoAssociation = 31;      // no application for the type
inline constexpr qint32 Accepted = 42;
} // namespace shell_code

// The shell answers with a code: above 32 or below 0 means it accepted.
[[nodiscard]] bool isShellSuccess(qint32 code);

// The message of a failed shell code, in words that fit this system: the file
// or its folder is missing, no application opens that kind of file, the
// desktop's opener could not be started, or it failed otherwise. Nullopt
// when the code is a success.
[[nodiscard]] std::optional<Msg> shellFailureFor(qint32 code);

// The text of the message box that reports a failure to open `file`.
[[nodiscard]] QString shellFailureText(qint32 code, const QString& file, const MessageTexts& texts);

} // namespace kvx
