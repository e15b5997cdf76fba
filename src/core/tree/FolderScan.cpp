#include "tree/FolderScan.h"

#include "tree/DisplayOrder.h"
#include "tree/FolderLister.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"
#include "tree/TagNumber.h"

namespace kvx {

FolderScan::FolderScan(NodeTree& tree, FolderLister& lister, EventPump& pump,
                       ElementCountDisplay& count, QObject* parent)
    : QObject(parent), m_tree(tree), m_lister(lister), m_pump(pump), m_count(count)
{
    connect(&m_tree, &NodeTree::expand, this, &FolderScan::TV_Expand);
}

void FolderScan::setBlackAndWhitePictures(bool on)
{
    m_closedPicture = on ? image::ClosedFolderBw : image::ClosedFolder;
    m_openPicture = on ? image::OpenFolderBw : image::OpenFolder;
}

void FolderScan::BuildTree()
{
    m_tree.clear();
    ScanStartFolder();
    if (Node* root = m_tree.nodeAt(1))
        m_tree.setExpanded(root, true);
}

void FolderScan::ScanStartFolder()
{
    BusyGuard busy(m_pump);
    if (const auto listing = m_lister.listFolder(m_startPath)) {
        // The start folder always gets its root node, so a folder holding only
        // files still gives a tree to add those files to.
        const QString key = folderKey(listing->folder);
        if (Node* root = m_tree.addRoot(key, key, m_closedPicture, image::SelectedFolder))
            m_tree.setTag(root, QStringLiteral("0"));
        ScanFolder(listing->subFolders);
    }
    m_pump.yieldToEvents();
}

void FolderScan::ScanFolder(const QStringList& subFolders)
{
    if (!subFolders.isEmpty()) {
        const QString& first = subFolders.first();
        const QString parentKey = first.left(first.lastIndexOf(QLatin1Char('/')) + 1);
        if (Node* root =
                m_tree.addRoot(parentKey, parentKey, m_closedPicture, image::SelectedFolder))
            m_tree.setTag(root, QStringLiteral("0"));

        // The parent is found by its key before each addition, as the tree may
        // have changed during the last yield. Keys never change, so while the
        // node found first still exists it is the one: its id is a cheap check.
        NodeId parentId = 0;
        QString levelText;
        QString parentTag;
        for (const QString& path : subFolders) {
            Node* parent = m_tree.find(parentId);
            if (!parent) {
                parent = m_tree.findByKey(parentKey);
                parentId = parent ? parent->id() : 0;
            }
            // The folder's name: its path less the parent's key (a name holds no "/").
            const QString name = path.startsWith(parentKey) ? path.mid(parentKey.size())
                                                            : QString(path).remove(parentKey);
            if (Node* node = m_tree.addChild(parent, folderKey(path), name, m_closedPicture,
                                             image::SelectedFolder)) {
                if (parentTag.isNull() || parentTag != parent->tag()) {
                    parentTag = parent->tag();
                    const auto level = plainTagNumber(parentTag);
                    levelText = level ? QString::number(*level + 1) : QString();
                }
                m_tree.setTag(node, levelText);
            }
            m_pump.yieldToEvents();
        }
    }
    RefreshElementCount(m_tree, m_count);
}

void FolderScan::TV_Expand(NodeId id)
{
    BusyGuard busy(m_pump);
    if (Node* node = m_tree.find(id))
        m_tree.setImage(node, m_openPicture);
    ScanChildren(id);
}

void FolderScan::ScanChildren(NodeId id)
{
    Node* node = m_tree.find(id);
    if (!node || node->tag().contains(QLatin1Char('E')))
        return;
    m_tree.setTag(node, node->tag() + QLatin1Char('E'));

    // The node and its children may change at every yield inside ScanFolder:
    // look the node up again before each child.
    for (int row = 0;; ++row) {
        node = m_tree.find(id);
        if (!node || row >= node->childCount())
            return;
        const QString childKey = node->childAt(row)->key();
        if (const auto listing = m_lister.listFolder(childKey))
            ScanFolder(listing->subFolders);
    }
}

} // namespace kvx
