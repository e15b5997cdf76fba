#include "workspace/Workspace.h"

#include "catalogue/RecordedDisc.h"
#include "doc/FolderTotalsInFile.h"
#include "doc/TreeViewInFile.h"
#include "history/TreeHistory.h"
#include "image/DiscImage.h"
#include "print/FolderPictures.h"
#include "tree/DisplayOrder.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ScanHooks.h"
#include "workspace/TreeSource.h"

namespace kvx {

Workspace::Workspace(EventPump& pump, ElementCountDisplay& count)
    : m_pump(pump), m_count(count), m_source(std::make_unique<TreeSource>())
{
    m_tree.setImageList(&m_images);
    m_scan = std::make_unique<FolderScan>(m_tree, *m_source, m_pump, m_count);
    m_files = std::make_unique<FileNodes>(m_tree, *m_source, m_pump);
    m_history = std::make_unique<TreeHistory>(m_tree);
    followShownRows();
}

Workspace::Workspace(EventPump& pump, ElementCountDisplay& count, FolderLister& folders,
                     FileLister& files)
    : m_pump(pump), m_count(count)
{
    m_tree.setImageList(&m_images);
    m_scan = std::make_unique<FolderScan>(m_tree, folders, m_pump, m_count);
    m_files = std::make_unique<FileNodes>(m_tree, files, m_pump);
    m_history = std::make_unique<TreeHistory>(m_tree);
    followShownRows();
}

Workspace::~Workspace() = default;

void Workspace::followShownRows()
{
    // The count shows the rows as they are after every change, whatever made
    // it; a bulk change refreshes it once, at its end.
    const auto refresh = [this] {
        if (!m_tree.inBulkChange())
            RefreshElementCount();
    };
    for (auto signal : {&NodeTree::shownRowsChanged, &NodeTree::cleared, &NodeTree::restored,
                        &NodeTree::bulkChangeEnded})
        QObject::connect(&m_tree, signal, &m_tree, refresh);
}

void Workspace::BuildTree(const QString& startFolder)
{
    if (m_source)
        m_source->readFileSystem();
    build(startFolder);
}

void Workspace::BuildTree(std::unique_ptr<DiscImage> image)
{
    const QString start = image->path();
    m_source->readImage(std::move(image));
    build(start);
}

void Workspace::BuildTree(std::unique_ptr<RecordedDisc> disc)
{
    const QString start = disc->record().source;
    m_source->readRecord(std::move(disc));
    build(start);
}

void Workspace::build(const QString& startFolder)
{
    m_history->clear();
    totals.clear();
    // A new disc: its own title, from its folder, until the user gives one.
    cover.discTitle.clear();
    cover.discId.clear();
    // A view empties at once and shows the new tree when it stands.
    m_tree.clear();
    BulkChange bulk(m_tree);
    m_scan->setStartPath(startFolder);
    m_scan->BuildTree();
}

void Workspace::AddFilesToFolders()
{
    TreeHistory::Edit edit(*m_history);
    BulkChange bulk(m_tree);
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
    BulkChange bulk(m_tree);
    m_files->RemoveFilesByPattern(categories.activePattern());
}

void Workspace::setBlackAndWhiteFolders(bool on)
{
    appearance.blackAndWhiteFolders = on;
    m_scan->setBlackAndWhitePictures(on);
    SetFolderPictures(m_tree, on);
}

qint32 Workspace::Open(const QString& path, LoadReport* report)
{
    BusyGuard busy(m_pump);
    BulkChange bulk(m_tree);
    TreeViewSettings read = settings;
    FolderTotals readTotals;
    CoverChoice readCover;
    const qint32 result = LoadTreeViewFromFile(
        m_tree, read, path, true, true, true, report, &readCover,
        [&](const IniFile& doc) { readTotals = ReadFolderTotals(doc, rootKey()); });
    if (result != load_result::NotADocument) {
        // Its folders grow from the file system.
        if (m_source)
            m_source->readFileSystem();
        settings = read;
        cover = readCover;
        totals = std::move(readTotals);
        m_history->clear();
        m_history->markSaved();
    }
    RefreshElementCount();
    return result;
}

bool Workspace::Save(const QString& path, QString* error)
{
    BusyGuard busy(m_pump);
    if (!SaveTreeViewInFile(m_tree, settings, path, true, true, error, &cover,
                            FolderTotalsSection(totals).toUtf8()))
        return false;
    m_history->markSaved();
    return true;
}

bool Workspace::Save(FileReplacement& file)
{
    return WriteTreeViewTo(file, m_tree, settings, true, true, &cover,
                           FolderTotalsSection(totals).toUtf8());
}

QString Workspace::rootKey() const
{
    const Node* root = m_tree.nodeAt(1);
    return root ? root->key() : QString();
}

bool Workspace::takeTotals(const TotalsWalk& walk, const QString& startKey)
{
    if (startKey.isEmpty() || startKey != rootKey())
        return false;
    totals = walk.totals;
    totals.setRootKey(startKey);
    for (const WalkProblem& problem : walk.walk.unreadable)
        m_totalsLeftOut.unreadableFolders.insert(totals.keyOf(problem.path));
    return true;
}

LeftOut Workspace::leftOut() const
{
    LeftOut all = m_scan->leftOut();
    all += m_files->leftOut();
    all += m_totalsLeftOut;
    return all;
}

void Workspace::resetLeftOut()
{
    m_scan->resetLeftOut();
    m_files->resetLeftOut();
    m_totalsLeftOut = {};
}

void Workspace::RefreshElementCount()
{
    kvx::RefreshElementCount(m_tree, m_count);
}

} // namespace kvx
