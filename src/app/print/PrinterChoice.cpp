#include "print/PrinterChoice.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>

namespace kvx {

void ApplyPrintTarget(QPrinter& printer, const PrintTarget& target)
{
    if (target.kind == PrintTarget::Kind::Printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        // Naming the printer again would reset its settings.
        if (printer.printerName() != target.name)
            printer.setPrinterName(target.name);
        return;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(target.name);
}

namespace {

template <class W> W* named(W* widget, const QString& name, const QString& caption)
{
    widget->setObjectName(name);
    widget->setAccessibleName(caption);
    return widget;
}

} // namespace

PrinterChoice::PrinterChoice(QPrinter& printer, const QStringList& printers,
                             const PrintTarget& current, DialogService& dialogs,
                             const MessageTexts& texts, QWidget* owner)
    : QDialog(owner), m_printer(printer), m_dialogs(dialogs), m_texts(texts)
{
    setObjectName(QStringLiteral("PrinterChoice"));
    setWindowTitle(texts.text(Msg::PrinterChoiceTitle));
    setAccessibleName(windowTitle());

    const QString whereCaption = texts.text(Msg::PrinterLabel);
    m_where = named(new QComboBox(this), QStringLiteral("printer"), whereCaption);
    for (const QString& name : printers)
        m_where->addItem(name, name);
    m_where->addItem(texts.text(Msg::PdfFileChoice)); // no data: the PDF file
    m_where->setCurrentIndex(current.kind == PrintTarget::Kind::Printer
                                 ? qMax(0, int(printers.indexOf(current.name)))
                                 : m_where->count() - 1);

    const QString fileCaption = texts.text(Msg::PdfFileLabel);
    m_file = named(new QLineEdit(this), QStringLiteral("pdfFile"), fileCaption);
    if (current.kind == PrintTarget::Kind::UserPdf)
        m_file->setText(current.name);
    m_browse = named(new QPushButton(texts.text(Msg::BrowseFile), this),
                     QStringLiteral("browsePdf"), texts.text(Msg::BrowseFile));
    auto* page = named(new QPushButton(texts.text(Msg::PageSetUp), this),
                       QStringLiteral("pageSetUp"), texts.text(Msg::PageSetUp));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* button : buttons->buttons())
        button->setAccessibleName(button->text());

    auto* file = new QHBoxLayout;
    file->addWidget(m_file, 1);
    file->addWidget(m_browse);
    auto* form = new QFormLayout(this);
    form->addRow(whereCaption, m_where);
    form->addRow(fileCaption, file);
    form->addRow(QString(), page);
    form->addRow(buttons);
    for (QWidget* field : {static_cast<QWidget*>(m_where), static_cast<QWidget*>(m_file)}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(field)))
            label->setBuddy(field);
    }
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    connect(m_where, &QComboBox::currentIndexChanged, this, &PrinterChoice::follow);
    connect(m_file, &QLineEdit::editingFinished, this, &PrinterChoice::follow);
    connect(m_browse, &QPushButton::clicked, this, &PrinterChoice::browse);
    connect(page, &QPushButton::clicked, this, &PrinterChoice::setUpPage);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    follow();
}

PrintTarget PrinterChoice::chosen() const
{
    const QString printer = m_where->currentData().toString();
    if (!printer.isEmpty())
        return {PrintTarget::Kind::Printer, printer};
    const QString file = m_file->text().trimmed();
    if (file.isEmpty())
        return {PrintTarget::Kind::AskPdf, {}};
    return {PrintTarget::Kind::UserPdf, QFileInfo(file).absoluteFilePath()};
}

void PrinterChoice::follow()
{
    const PrintTarget target = chosen();
    const bool pdf = target.kind != PrintTarget::Kind::Printer;
    m_file->setEnabled(pdf);
    m_browse->setEnabled(pdf);
    ApplyPrintTarget(m_printer, target);
}

void PrinterChoice::browse()
{
    const QString now = m_file->text().trimmed();
    const QString file = m_dialogs.ShowSave(
        m_texts.text(Msg::PdfFilter) + QStringLiteral("|*.pdf"), m_texts.text(Msg::SaveJacketTitle),
        now.isEmpty() ? QDir::homePath() : QFileInfo(now).absolutePath());
    if (file.isEmpty())
        return;
    m_file->setText(file);
    follow();
}

void PrinterChoice::setUpPage()
{
    QPageSetupDialog dialog(&m_printer, this);
    dialog.setAccessibleName(dialog.windowTitle());
    dialog.exec();
}

} // namespace kvx
