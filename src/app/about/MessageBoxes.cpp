#include "about/MessageBoxes.h"

#include <QMessageBox>

namespace kvx {

void QtMessageBoxes::showMessage(QWidget* parent, Icon icon, const QString& title,
                                 const QString& text)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kvx
