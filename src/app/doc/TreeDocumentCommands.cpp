#include "doc/TreeDocumentCommands.h"

#include "dialogs/DialogService.h"
#include "doc/DocumentPaths.h"
#include "doc/TreeViewAppearance.h"
#include "doc/TreeViewInFile.h"
#include "doc/UnsavedChanges.h"
#include "lang/MessageTexts.h"
#include "util/UserSettings.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace kvx {

namespace {

const QString kTitle = QStringLiteral("KVX");

} // namespace

TreeDocumentCommands::TreeDocumentCommands(QAction* mnuLoad, QAction* mnuSave, Workspace& workspace,
                                           NodeTreeView& view, TreeModel& model,
                                           DialogService& dialogs, const MessageTexts& texts,
                                           QObject* parent)
    : QObject(parent), m_workspace(workspace), m_view(view), m_model(model), m_dialogs(dialogs),
      m_texts(texts)
{
    readTreeViewSettings(m_view, m_model, m_workspace.settings);
    connect(mnuLoad, &QAction::triggered, this, &TreeDocumentCommands::mnuLoad_Click);
    connect(mnuSave, &QAction::triggered, this, &TreeDocumentCommands::mnuSave_Click);
}

bool TreeDocumentCommands::saveOrDiscardChanges()
{
    return SaveOrDiscardChanges(m_workspace.history(), m_dialogs, m_texts,
                                [this] { return mnuSave_Click(); });
}

void TreeDocumentCommands::mnuLoad_Click()
{
    if (!saveOrDiscardChanges())
        return;
    const QString path =
        m_dialogs.ShowOpen(QString::fromLatin1(kDocumentFilter), m_texts.text(Msg::OpenTitle),
                           openDialogStart(m_document, UserSettings().lastFolder()));
    if (!path.isEmpty())
        openDocument(path);
}

bool TreeDocumentCommands::mnuSave_Click()
{
    const QString path =
        m_dialogs.ShowSave(QString::fromLatin1(kDocumentFilter), m_texts.text(Msg::SaveTitle),
                           saveDialogStart(m_document, UserSettings().lastFolder()));
    return !path.isEmpty() && saveDocument(withDocumentExtension(path));
}

bool TreeDocumentCommands::openDocument(const QString& path)
{
    const qint32 result = m_workspace.Open(path);
    if (result == load_result::NotADocument) {
        m_dialogs.MsgBox(m_texts.text(Msg::NotADocument).arg(QDir::toNativeSeparators(path)),
                         kTitle, MessageIcon::Exclamation);
        return false;
    }
    applyTreeViewSettings(m_workspace.settings, m_view, m_model);
    setDocument(path);
    return true;
}

bool TreeDocumentCommands::saveDocument(const QString& path)
{
    // A language file may have changed what the view shows (its tool tip).
    readTreeViewSettings(m_view, m_model, m_workspace.settings);
    QString error;
    if (m_workspace.Save(path, &error)) {
        setDocument(path);
        return true;
    }
    m_dialogs.MsgBox(m_texts.text(Msg::SaveFailed).arg(QDir::toNativeSeparators(path), error),
                     kTitle, MessageIcon::Critical);
    return false;
}

void TreeDocumentCommands::setDocument(const QString& path)
{
    m_document = QFileInfo(path).absoluteFilePath();
    UserSettings().addRecentDocument(m_document);
    Q_EMIT documentChanged(m_document);
}

void TreeDocumentCommands::forgetDocument()
{
    m_document.clear();
    Q_EMIT documentChanged(m_document);
}

} // namespace kvx
