#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kvx {

class DialogService;
class MessageTexts;
class ShellLauncher;

// Opens documents, folders and addresses with what the desktop associates
// with them, and explains every failure in words, in the interface's
// language, in one message box titled with the application's title.
class ShellOpen : public QObject
{
    Q_OBJECT

public:
    ShellOpen(ShellLauncher& launcher, DialogService& dialogs, const MessageTexts& texts,
              QObject* parent = nullptr);

    // True when the desktop accepted the request; false after a failure, which
    // has been reported already. The message box is modal to the owner window
    // when one is given, else to the dialog service's window.
    bool ShellOpenDocument(const QString& file, qint32 showCommand, const QString& parameters,
                           const QString& directory, const QString& operation, QWidget* owner);

private:
    void reportFailure(qint32 code, const QString& file, QWidget* owner);

    ShellLauncher& m_launcher;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
};

} // namespace kvx
