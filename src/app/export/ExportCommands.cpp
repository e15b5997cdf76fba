#include "export/ExportCommands.h"

#include "dialogs/DialogService.h"
#include "doc/DocumentPaths.h"
#include "doc/TreeDocumentCommands.h"
#include "export/ExportRows.h"
#include "export/HtmlExport.h"
#include "lang/MessageTexts.h"
#include "tree/SystemColours.h"
#include "util/FileReplacement.h"
#include "util/UserSettings.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QWidget>

namespace kvx {

ExportCommands::ExportCommands(QAction* mnuExport, Workspace& workspace, const ImageList& pictures,
                               const QWidget& view, DialogService& dialogs,
                               const MessageTexts& texts, const TreeDocumentCommands& documents,
                               QObject* parent)
    : QObject(parent), m_workspace(workspace), m_pictures(pictures), m_view(view),
      m_dialogs(dialogs), m_texts(texts), m_documents(documents)
{
    connect(mnuExport, &QAction::triggered, this, &ExportCommands::mnuExport_Click);
}

void ExportCommands::mnuExport_Click()
{
    const QString path =
        m_dialogs.ShowSave(exportDialogFilter(), m_texts.text(Msg::ExportTitle),
                           openDialogStart(m_documents.document(), UserSettings().lastFolder()));
    if (!path.isEmpty())
        exportTo(path);
}

bool ExportCommands::exportTo(const QString& path)
{
    QString error = m_texts.text(Msg::ExportUnknownFormat);
    if (const auto format = exportFormatOfFile(path)) {
        const ExportRows rows = collectExportRows(m_workspace, systemColourTable(m_view.palette()));
        FileReplacement file(path);
        if (file.begin() && file.write(exportBytes(*format, rows, m_pictures)) && file.commit())
            return true;
        error = file.errorString();
    }
    m_dialogs.MsgBox(m_texts.text(Msg::ExportFailed).arg(QDir::toNativeSeparators(path), error),
                     QStringLiteral("KVX"), MessageIcon::Critical);
    return false;
}

} // namespace kvx
