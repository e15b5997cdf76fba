#include "window/RunWindow.h"

#include "doc/TreeDocumentCommands.h"
#include "print/JacketCommands.h"
#include "window/frMain.h"

#include <QApplication>

namespace kvx {

int runWindow(const QString& document)
{
    frMain window;
    window.Form_Load();
    if (!document.isEmpty() && window.documents().openDocument(document))
        window.jacketCommands().showCapacity(); // the document's template
    return QApplication::exec();
}

} // namespace kvx
