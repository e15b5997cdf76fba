#pragma once

#include "tree/FolderEntries.h"
#include "tree/LeftOut.h"
#include "tree/Node.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <optional>
#include <vector>

namespace kvx {

class NodeTree;
class FolderLister;
struct FolderListing;
class EventPump;
class ElementCountDisplay;

// Builds the folder tree from a start folder and grows it lazily: the first
// time a node is expanded, the sub-folders of each of its children are read,
// so every shown folder already knows whether it has sub-folders.
//
// Every scan yields to the event loop after each folder it adds; the tree may
// be changed or cleared meanwhile, and a scan whose parent vanished adds
// nothing more.
//
// A link that leads back to the folder holding it or to one of that folder's
// ancestors (in the tree, or above the top node on disk) is a row like any
// folder, but it is never scanned: it has no children.
class FolderScan : public QObject
{
    Q_OBJECT

public:
    FolderScan(NodeTree& tree, FolderLister& lister, EventPump& pump, ElementCountDisplay& count,
               QObject* parent = nullptr);

    // The start-folder field's text, read by the build.
    void setStartPath(const QString& path) { m_startPath = path; }
    [[nodiscard]] const QString& startPath() const { return m_startPath; }
    // The folder pictures the scan gives: the colour pair (1 closed, 2 open)
    // or the black-and-white one (4, 5).
    void setBlackAndWhitePictures(bool on);

    // Clears the tree and what was left out, scans the start folder and
    // opens the root, even when it has no sub-folders.
    void BuildTree();
    // Scans the start folder under a busy pointer, creating its root node.
    void ScanStartFolder();
    // Adds the sub-folders of one folder's listing under their parent.
    void ScanFolder(const FolderListing& listing);
    // The expansion handler: open-folder picture, then the children's scans.
    void TV_Expand(NodeId id);
    // On a node's first expansion, scans the folder of each of its children.
    void ScanChildren(NodeId id);

    // What the scans left out since the last BuildTree or resetLeftOut.
    [[nodiscard]] const LeftOut& leftOut() const { return m_leftOut; }
    void resetLeftOut() { m_leftOut = {}; }

private:
    [[nodiscard]] bool leadsBack(const Node* link);
    [[nodiscard]] std::optional<FolderIdentity> identityOf(const Node* node);
    [[nodiscard]] const std::vector<FolderIdentity>& foldersAbove(const Node* top);
    [[nodiscard]] const QString& expandedTag(const QString& tag);

    NodeTree& m_tree;
    FolderLister& m_lister;
    EventPump& m_pump;
    ElementCountDisplay& m_count;
    QString m_startPath;
    int m_closedPicture = image::ClosedFolder;
    int m_openPicture = image::OpenFolder;
    LeftOut m_leftOut;
    // The nodes added for links, the folders of the nodes looked up so far,
    // and those on disk above each top node.
    QSet<NodeId> m_links;
    QHash<NodeId, std::optional<FolderIdentity>> m_folders;
    QHash<NodeId, std::vector<FolderIdentity>> m_foldersAbove;
    // The last tag given its "E", shared by the folders of one level.
    QString m_plainTag;
    QString m_expandedTag;
};

} // namespace kvx
