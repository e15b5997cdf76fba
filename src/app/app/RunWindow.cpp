#include "app/RunWindow.h"

#include <QApplication>
#include <QWidget>

namespace kvx {

int runWindow(const QString& document)
{
    Q_UNUSED(document);
    QWidget window;
    window.setWindowTitle(QStringLiteral("KVX"));
    window.show();
    return QApplication::exec();
}

} // namespace kvx
