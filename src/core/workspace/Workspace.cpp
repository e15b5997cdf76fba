#include "workspace/Workspace.h"

#include "doc/TreeViewInFile.h"
#include "history/TreeHistory.h"
#include "print/FolderPictures.h"
#include "tree/DisplayOrder.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ScanHooks.h"

namespace kvx {

Workspace::Workspace(EventPump& pump, ElementCountDisplay& count)
    : m_pump(pump), m_count(count), m_ownFolders(std::make_unique<DirectoryLister>()),
      m_ownFiles(std::make_unique<DirectoryFileLister>())
{
    m_tree.setImageList(&m_images);
    m_scan = std::make_unique<FolderScan>(m_tree, *m_ownFolders, m_pump, m_count);
    m_files = std::make_unique<FileNodes>(m_tree, *m_ownFiles, m_pump);
    m_history = std::make_unique<TreeHistory>(m_tree);
}

Workspace::Workspace(EventPump& pump, ElementCountDisplay& count, FolderLister& folders,
                     FileLister& files)
    : m_pump(pump), m_count(count)
{
    m_tree.setImageList(&m_images);
    m_scan = std::make_unique<FolderScan>(m_tree, folders, m_pump, m_count);
    m_files = std::make_unique<FileNodes>(m_tree, files, m_pump);
    m_history = std::make_unique<TreeHistory>(m_tree);
}

Workspace::~Workspace() = default;

void Workspace::BuildTree(const QString& startFolder)
{
    m_history->clear();
    m_scan->setStartPath(startFolder);
    m_scan->BuildTree();
}

void Workspace::AddFilesToFolders()
{
    TreeHistory::Edit edit(*m_history);
    m_files->AddFilesToFolders(categories.activePattern());
}

void Workspace::AddFilesToSelected()
{
    TreeHistory::Edit edit(*m_history);
    m_files->AddFilesToNode(m_tree.selectedItem(), categories.activePattern());
}

void Workspace::RemoveFilesByPattern()
{
    TreeHistory::Edit edit(*m_history);
    m_files->RemoveFilesByPattern(categories.activePattern());
}

void Workspace::setBlackAndWhiteFolders(bool on)
{
    appearance.blackAndWhiteFolders = on;
    SetFolderPictures(m_tree, on);
}

qint32 Workspace::Open(const QString& path)
{
    BusyGuard busy(m_pump);
    TreeViewSettings read = settings;
    const qint32 result = LoadTreeViewFromFile(m_tree, read, path, true, true, true);
    if (result != load_result::NotADocument) {
        settings = read;
        m_history->clear();
        m_history->markSaved();
    }
    RefreshElementCount();
    return result;
}

bool Workspace::Save(const QString& path, QString* error)
{
    BusyGuard busy(m_pump);
    if (!SaveTreeViewInFile(m_tree, settings, path, true, true, error))
        return false;
    m_history->markSaved();
    return true;
}

void Workspace::RefreshElementCount()
{
    kvx::RefreshElementCount(m_tree, m_count);
}

} // namespace kvx
