#include "print/PrintPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace kvx {

QString DialogPrintPrompts::askPdfFileName()
{
    QString name =
        QFileDialog::getSaveFileName(m_parent, QStringLiteral("Enregistrer la jaquette"),
                                     QDir::home().filePath(QStringLiteral("jaquette.pdf")),
                                     QStringLiteral("Document PDF (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QLatin1String(".pdf");
    return name;
}

void DialogPrintPrompts::inform(const QString& message)
{
    QMessageBox::information(m_parent, QStringLiteral("KVX"), message);
}

void DialogPrintPrompts::warn(const QString& message)
{
    QMessageBox::warning(m_parent, QStringLiteral("KVX"), message);
}

bool DialogPrintPrompts::editPrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, m_parent);
    // One page, one copy: only the printer and its own settings are the user's.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kvx
