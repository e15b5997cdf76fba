#include "app/RunWindow.h"

#include "app/frMain.h"

#include <QApplication>

namespace kvx {

int runWindow(const QString& document)
{
    Q_UNUSED(document); // opening a document at start is the documents' part
    frMain window;
    window.Form_Load();
    return QApplication::exec();
}

} // namespace kvx
