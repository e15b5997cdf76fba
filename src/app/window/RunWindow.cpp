#include "window/RunWindow.h"

#include "doc/TreeDocumentCommands.h"
#include "window/frMain.h"

#include <QApplication>

namespace kvx {

int runWindow(const QString& document)
{
    frMain window;
    window.Form_Load();
    if (!document.isEmpty())
        window.documents().openDocument(document);
    return QApplication::exec();
}

} // namespace kvx
