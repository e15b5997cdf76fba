#include "about/ShellOpen.h"

#include "about/ShellFailure.h"
#include "about/ShellLauncher.h"
#include "dialogs/DialogService.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace kvx {

ShellOpen::ShellOpen(ShellLauncher& launcher, DialogService& dialogs, const MessageTexts& texts,
                     QObject* parent)
    : QObject(parent), m_launcher(launcher), m_dialogs(dialogs), m_texts(texts)
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
    const qint32 code = m_launcher.launch(request, [self, lateOwner, file](qint32 lateCode) {
        if (self)
            self->reportFailure(lateCode, file, lateOwner.data());
    });
    if (isShellSuccess(code))
        return true;
    reportFailure(code, file, owner);
    return false;
}

void ShellOpen::reportFailure(qint32 code, const QString& file, QWidget* owner)
{
    if (isShellSuccess(code))
        return;
    const QPointer<QWidget> previousOwner = m_dialogs.MehWnd();
    if (owner)
        m_dialogs.setMehWnd(owner);
    m_dialogs.MsgBox(shellFailureText(code, file, m_texts), QCoreApplication::applicationName(),
                     MessageIcon::Critical);
    if (owner)
        m_dialogs.setMehWnd(previousOwner);
}

} // namespace kvx
