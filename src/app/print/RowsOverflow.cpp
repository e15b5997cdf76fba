#include "print/RowsOverflow.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"

#include <QLabel>

namespace kvx {

void MarkRowsOverflow(QLabel* countLabel, qint32 capacity)
{
    if (!countLabel)
        return;
    bool number = false;
    const qint64 shown = countLabel->text().toLongLong(&number);
    QPalette palette = countLabel->palette();
    const QColor colour =
        number && shown > capacity ? QColor(OverflowRgb) : QPalette().color(QPalette::WindowText);
    if (palette.color(QPalette::WindowText) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    countLabel->setPalette(palette);
}

bool ConfirmRowsLeftOut(qint32 rows, qint32 capacity, DialogService& dialogs,
                        const MessageTexts& texts)
{
    if (rows <= capacity)
        return true;
    const QString question = texts.text(Msg::RowsLeftOut)
                                 .arg(QString::number(rows), QString::number(capacity),
                                      QString::number(rows - capacity));
    return dialogs.MsgBox(question, QStringLiteral("KVX"), MessageIcon::Exclamation,
                          MessageButtons::OkCancel) == MessageResult::Ok;
}

OverflowCountDisplay::OverflowCountDisplay(ElementCountDisplay& shown, QLabel* label,
                                           std::function<qint32()> capacity)
    : m_shown(shown), m_label(label), m_capacity(std::move(capacity))
{
}

void OverflowCountDisplay::showElementCount(qint32 count)
{
    m_shown.showElementCount(count);
    MarkRowsOverflow(m_label, m_capacity());
}

} // namespace kvx
