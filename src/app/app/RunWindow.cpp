#include "app/RunWindow.h"

#include "app/frMain.h"
#include "doc/TreeDocumentCommands.h"

#include <QApplication>

namespace kvx {

int runWindow(const QString& document)
{
    frMain window;
    window.Form_Load();
    if (!document.isEmpty()) {
        if (auto* documents = window.findChild<TreeDocumentCommands*>())
            documents->openDocument(document);
    }
    return QApplication::exec();
}

} // namespace kvx
