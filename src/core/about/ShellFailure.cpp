#include "about/ShellFailure.h"

namespace kvx {

namespace {

// Codes without an error number of their own show the code offset into the
// facility range, in 32-bit signed arithmetic.
qint32 defaultErrorNumber(qint32 code)
{
    return static_cast<qint32>(static_cast<quint32>(code) + 0x80040418u);
}

} // namespace

ShellRequest prepareShellRequest(const QString& file, qint32 showCommand, const QString& parameters,
                                 const QString& directory, const QString& operation)
{
    ShellRequest request{operation, file, parameters, directory, showCommand};
    if (file.toUpper().contains(QLatin1String(".EXE")))
        request.showCommand = 0;
    if (parameters.isEmpty() && directory.isEmpty())
        request.showCommand = 1;
    return request;
}

bool isShellSuccess(qint32 code)
{
    return code < 0 || code > 32;
}

std::optional<ShellFailure> shellFailureFor(qint32 code)
{
    if (isShellSuccess(code))
        return std::nullopt;
    const qint32 byDefault = defaultErrorNumber(code);
    switch (code) {
    case 0:
    case 8:
        return ShellFailure{7, QStringLiteral("Out of memory")};
    case 2:
        return ShellFailure{53, QStringLiteral("File not found")};
    case 3:
        return ShellFailure{76, QStringLiteral("Path not found")};
    case 5:
        return ShellFailure{75, QStringLiteral("Path/file access error")};
    case 11:
        return ShellFailure{byDefault, QStringLiteral("The executable file is invalid or corrupt")};
    case 26:
        return ShellFailure{75, QStringLiteral("A sharing violation occurred.")};
    case 27:
        return ShellFailure{
            byDefault, QStringLiteral("This file type does not have a valid file association.")};
    case 28:
        return ShellFailure{286, QStringLiteral("The file could not be opened due to time out.  "
                                                "Please try again in a moment.")};
    case 29:
        return ShellFailure{285,
                            QStringLiteral("The file could not be opened because the DDE "
                                           "transaction failed.  Please try again in a moment.")};
    case 30:
        return ShellFailure{285, QStringLiteral("The file could not be opened because the target "
                                                "application is busy.  Please try again in a "
                                                "moment.")};
    case 31:
        return ShellFailure{byDefault,
                            QStringLiteral("No application is associated with this file type.")};
    case 32:
        return ShellFailure{48,
                            QStringLiteral("The specified dynamic-link library was not found.")};
    default:
        return ShellFailure{byDefault,
                            QStringLiteral("An error occurred occurred whilst trying to open or "
                                           "print the selected file.")};
    }
}

QString shellFailureText(const ShellFailure& failure)
{
    return QStringLiteral("Erreur %1\n%2").arg(failure.errorNumber).arg(failure.message);
}

} // namespace kvx
