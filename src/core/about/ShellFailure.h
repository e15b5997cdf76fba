#pragma once

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

// The shell answers with a code: above 32 or below 0 means it accepted.
[[nodiscard]] bool isShellSuccess(qint32 code);

// What a failed shell code tells the user: the error number shown and its
// explanation.
struct ShellFailure
{
    qint32 errorNumber = 0;
    QString message;
};

// The failure behind a shell code, or nullopt when the code is a success.
[[nodiscard]] std::optional<ShellFailure> shellFailureFor(qint32 code);

// The text of the message box that reports a failure: "Erreur ", the number,
// a line break and the explanation.
[[nodiscard]] QString shellFailureText(const ShellFailure& failure);

} // namespace kvx
