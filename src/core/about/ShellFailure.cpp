#include "about/ShellFailure.h"

namespace kvx {

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

std::optional<Msg> shellFailureFor(qint32 code)
{
    if (isShellSuccess(code))
        return std::nullopt;
    switch (code) {
    case shell_code::FileNotFound:
        return Msg::OpenFileMissing;
    case shell_code::PathNotFound:
        return Msg::OpenFolderMissing;
    case shell_code::InvalidAssociation:
        return Msg::OpenNoOpener;
    case shell_code::NoAssociation:
        return Msg::OpenNoApplication;
    default:
        return Msg::OpenFailed;
    }
}

QString shellFailureText(qint32 code, const QString& file, const MessageTexts& texts)
{
    return texts.text(shellFailureFor(code).value_or(Msg::OpenFailed)).arg(file);
}

} // namespace kvx
