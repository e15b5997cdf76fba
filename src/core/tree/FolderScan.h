#pragma once

#include "tree/Node.h"

#include <QObject>
#include <QStringList>

namespace kvx {

class NodeTree;
class FolderLister;
class EventPump;
class ElementCountDisplay;

// Builds the folder tree from a start folder and grows it lazily: the first
// time a node is expanded, the sub-folders of each of its children are read,
// so every shown folder already knows whether it has sub-folders.
//
// Every scan yields to the event loop after each folder it adds; the tree may
// be changed or cleared meanwhile, and a scan whose parent vanished adds
// nothing more.
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

    // Clears the tree, scans the start folder, expands the root.
    void BuildTree();
    // Scans the start folder under a busy pointer, creating its root node.
    void ScanStartFolder();
    // Adds the given sub-folders (one folder's listing) under their parent.
    void ScanFolder(const QStringList& subFolders);
    // The expansion handler: open-folder picture, then the children's scans.
    void TV_Expand(NodeId id);
    // On a node's first expansion, scans the folder of each of its children.
    void ScanChildren(NodeId id);

private:
    NodeTree& m_tree;
    FolderLister& m_lister;
    EventPump& m_pump;
    ElementCountDisplay& m_count;
    QString m_startPath;
    int m_closedPicture = image::ClosedFolder;
    int m_openPicture = image::OpenFolder;
};

} // namespace kvx
