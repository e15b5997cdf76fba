#include "about/ShellOpen.h"

#include "about/ShellFailure.h"
#include "about/ShellLauncher.h"
#include "dialogs/DialogService.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace kvx {

ShellOpen::ShellOpen(ShellLauncher& launcher, DialogService& dialogs, QObject* parent)
    : QObject(parent), m_launcher(launcher), m_dialogs(dialogs)
{
}

bool ShellOpen::ShellOpenDocument(const QString& file, qint32 showCommand,
                                  const QString& parameters, const QString& directory,
                                  const QString& operation, QWidget* owner)
{
    const ShellRequest request =
        prepareShellRequest(file, showCommand, parameters, directory, operation);
    QPointer<ShellOpen> self(this);
    QPointer<QWidget> lateOwner(owner);
    const qint32 code = m_launcher.launch(request, [self, lateOwner](qint32 lateCode) {
        if (self)
            self->reportFailure(lateCode, lateOwner.data());
    });
    if (isShellSuccess(code))
        return true;
    reportFailure(code, owner);
    return false;
}

void ShellOpen::reportFailure(qint32 code, QWidget* owner)
{
    const std::optional<ShellFailure> failure = shellFailureFor(code);
    if (!failure)
        return;
    const QPointer<QWidget> previousOwner = m_dialogs.MehWnd();
    if (owner)
        m_dialogs.setMehWnd(owner);
    m_dialogs.MsgBox(shellFailureText(*failure), QCoreApplication::applicationName(),
                     MessageIcon::Critical);
    if (owner)
        m_dialogs.setMehWnd(previousOwner);
}

} // namespace kvx
