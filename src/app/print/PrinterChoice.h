#pragma once

#include "print/PrintTarget.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace kvx {

class DialogService;
class MessageTexts;

// Sets the printer up for a target: a system printer by name, or a PDF file
// (none yet for AskPdf).
void ApplyPrintTarget(QPrinter& printer, const PrintTarget& target);

// "Propriétés": where the jacket prints, one of the system's printers or a
// PDF file (named here, or asked for at each print when left empty), and a
// "Page ..." button with Qt's page set-up for it. The printer follows the
// choice at once, so that the page set-up shows its paper; the caller puts
// it back when the dialog is cancelled. Captions in the interface's language.
class PrinterChoice : public QDialog
{
    Q_OBJECT

public:
    PrinterChoice(QPrinter& printer, const QStringList& printers, const PrintTarget& current,
                  DialogService& dialogs, const MessageTexts& texts, QWidget* owner);

    [[nodiscard]] PrintTarget chosen() const;

private:
    void follow();
    void browse();
    void setUpPage();

    QPrinter& m_printer;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    QComboBox* m_where = nullptr;
    QLineEdit* m_file = nullptr;
    QPushButton* m_browse = nullptr;
};

} // namespace kvx
