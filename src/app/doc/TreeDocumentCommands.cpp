#include "doc/TreeDocumentCommands.h"

#include "app/frMain.h"
#include "dialogs/DialogService.h"
#include "doc/DocumentPaths.h"
#include "doc/TreeViewAppearance.h"
#include "doc/TreeViewInFile.h"
#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace kvx {

namespace {

const QString kTitle = QStringLiteral("KVX");

} // namespace

TreeDocumentCommands::TreeDocumentCommands(frMain& window) : QObject(&window), m_window(window)
{
    readTreeViewSettings(*m_window.TV(), m_window.treeModel(), m_settings);
}

QString TreeDocumentCommands::dialogFolder() const
{
    return documentDialogFolder(m_window.programDir());
}

void TreeDocumentCommands::mnuLoad_Click()
{
    const QString path = m_window.dialogs().ShowOpen(QString::fromLatin1(kDocumentFilter),
                                                     QStringLiteral("Ouvrir"), dialogFolder());
    if (!path.isEmpty())
        openDocument(path);
}

void TreeDocumentCommands::mnuSave_Click()
{
    const QString path = m_window.dialogs().ShowSave(QString::fromLatin1(kDocumentFilter),
                                                     QStringLiteral("Sauvegarder"), dialogFolder());
    if (!path.isEmpty())
        saveDocument(withDocumentExtension(path));
}

bool TreeDocumentCommands::openDocument(const QString& path)
{
    qint32 result = load_result::NotADocument;
    {
        BusyGuard busy(m_window.eventPump());
        TreeViewSettings settings = m_settings;
        result = LoadTreeViewFromFile(m_window.tree(), settings, path, true, true, true);
        if (result != load_result::NotADocument) {
            m_settings = settings;
            applyTreeViewSettings(m_settings, *m_window.TV(), m_window.treeModel());
        }
        RefreshElementCount(m_window.tree(), m_window.elementCount());
    }
    if (result == load_result::NotADocument) {
        m_window.dialogs().MsgBox(
            QStringLiteral("Ce fichier n'est pas un arbre KVX, ou il est illisible :\n%1")
                .arg(QDir::toNativeSeparators(path)),
            kTitle, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool TreeDocumentCommands::saveDocument(const QString& path)
{
    readTreeViewSettings(*m_window.TV(), m_window.treeModel(), m_settings);
    QString error;
    bool saved = false;
    {
        BusyGuard busy(m_window.eventPump());
        saved = SaveTreeViewInFile(m_window.tree(), m_settings, path, true, true, &error);
    }
    if (!saved) {
        m_window.dialogs().MsgBox(
            QStringLiteral("L'arbre n'a pas pu être enregistré dans :\n%1\n(%2)\n"
                           "Un document qui s'y trouvait déjà n'a pas été modifié.")
                .arg(QDir::toNativeSeparators(path), error),
            kTitle, MessageIcon::Critical);
    }
    return saved;
}

void connectTreeDocuments(frMain& window)
{
    auto* commands = new TreeDocumentCommands(window);
    QObject::connect(window.control<QAction>(QStringLiteral("mnuLoad")), &QAction::triggered,
                     commands, &TreeDocumentCommands::mnuLoad_Click);
    QObject::connect(window.control<QAction>(QStringLiteral("mnuSave")), &QAction::triggered,
                     commands, &TreeDocumentCommands::mnuSave_Click);
}

} // namespace kvx
