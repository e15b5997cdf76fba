#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kvx {

class DialogService;
class ShellLauncher;

// Opens documents, addresses and mail links with what the desktop associates
// with them, and explains every failure in one message box titled with the
// application's title.
class ShellOpen : public QObject
{
    Q_OBJECT

public:
    ShellOpen(ShellLauncher& launcher, DialogService& dialogs, QObject* parent = nullptr);

    // True when the desktop accepted the request; false after a failure, which
    // has been reported already. The message box is modal to the owner window
    // when one is given, else to the dialog service's window.
    bool ShellOpenDocument(const QString& file, qint32 showCommand, const QString& parameters,
                           const QString& directory, const QString& operation, QWidget* owner);

private:
    void reportFailure(qint32 code, QWidget* owner);

    ShellLauncher& m_launcher;
    DialogService& m_dialogs;
};

} // namespace kvx
