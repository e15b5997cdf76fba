#pragma once

#include "about/ShellFailure.h"

#include <QObject>
#include <QString>
#include <functional>

namespace kvx {

// Hands a prepared request to the desktop and answers with a shell code
// (above 32: accepted; 0 to 32: a failure, see shell_code).
class ShellLauncher
{
public:
    // Called when a request that was taken as accepted fails later on.
    using LateFailure = std::function<void(qint32 code)>;

    virtual ~ShellLauncher() = default;
    [[nodiscard]] virtual qint32 launch(const ShellRequest& request, LateFailure lateFailure) = 0;
};

// Opens through xdg-open. Its outcomes become shell codes: a missing local
// file or folder gives 2 or 3, no application for the type 31, an opener that
// cannot be started 27, any other failure 1. xdg-open returns at once on most
// desktops; where it keeps running (it then waits for the application it
// started) the request counts as accepted after a short wait, and a failure it
// ends with later is passed to the late-failure callback.
class XdgOpenLauncher : public QObject, public ShellLauncher
{
    Q_OBJECT

public:
    explicit XdgOpenLauncher(QString program = QStringLiteral("xdg-open"), int waitMs = 2000,
                             QObject* parent = nullptr);

    [[nodiscard]] qint32 launch(const ShellRequest& request, LateFailure lateFailure) override;

    // The code of an xdg-open exit status.
    [[nodiscard]] static qint32 codeForExitStatus(int exitStatus);

private:
    QString m_program;
    int m_waitMs;
};

} // namespace kvx
