#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace kvx {

// What printing asks of or tells the user. The window shows Qt dialogs and
// message boxes titled "KVX"; tests script the answers.
class PrintPrompts
{
public:
    virtual ~PrintPrompts() = default;
    // A PDF file to write the jacket to; empty when the user chose none.
    [[nodiscard]] virtual QString askPdfFileName() = 0;
    virtual void inform(const QString& message) = 0;
    virtual void warn(const QString& message) = 0;
    // The print dialog on the printer; true when the user accepted it (the
    // dialog then changed the printer), false when cancelled.
    virtual bool editPrinter(QPrinter& printer) = 0;
};

// The prompts as dialogs and message boxes over a parent window.
class DialogPrintPrompts : public PrintPrompts
{
public:
    explicit DialogPrintPrompts(QWidget* parent) : m_parent(parent) {}
    [[nodiscard]] QString askPdfFileName() override;
    void inform(const QString& message) override;
    void warn(const QString& message) override;
    bool editPrinter(QPrinter& printer) override;

private:
    QWidget* m_parent;
};

} // namespace kvx
