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
    m_leftOut = {};
    m_links.clear();
    m_folders.clear();
    m_foldersAbove.clear();
    m_tree.clear();
    ScanStartFolder();
    if (Node* root = m_tree.nodeAt(1)) {
        // Expanding raises the expansion only on a node with children; a start
        // folder of files only is opened all the same.
        const NodeId id = root->id();
        const bool raises = root->childCount() > 0;
        m_tree.setExpanded(root, true);
        if (!raises)
            TV_Expand(id);
    }
}

void FolderScan::ScanStartFolder()
{
    BusyGuard busy(m_pump);
    const auto listing = m_lister.listFolder(m_startPath);
    if (listing && listing->error) {
        m_leftOut.startFolderUnreadable = true;
        m_leftOut.startFolderError = listing->error;
    } else if (listing) {
        // The start folder always gets its root node, so a folder holding only
        // files still gives a tree to add those files to.
        const QString& key = listing->key;
        if (Node* root = m_tree.addRoot(key, key, m_closedPicture, image::SelectedFolder))
            m_tree.setTag(root, QStringLiteral("0"));
        ScanFolder(*listing);
    }
    m_pump.yieldToEvents();
}

void FolderScan::ScanFolder(const FolderListing& listing)
{
    m_leftOut += listing.leftOut;
    if (!listing.subFolders.empty()) {
        const QString& parentKey = listing.key;
        if (Node* root =
                m_tree.addRoot(parentKey, parentKey, m_closedPicture, image::SelectedFolder))
            m_tree.setTag(root, QStringLiteral("0"));

        // The parent is found by its key before each addition, as the tree may
        // have changed during the last yield. Keys never change, so while the
        // node found first still exists it is the one: its id is a cheap check,
        // needed only once nodes have been removed.
        Node* parent = nullptr;
        NodeId parentId = 0;
        quint64 removals = 0;
        QString levelText;
        QString parentTag;
        for (const FolderEntry& folder : listing.subFolders) {
            if (!parent || m_tree.removals() != removals) {
                removals = m_tree.removals();
                parent = m_tree.find(parentId);
                if (!parent) {
                    parent = m_tree.findByKey(parentKey);
                    parentId = parent ? parent->id() : 0;
                    if (parent)
                        m_tree.reserveChildren(parent, listing.subFolders.size());
                }
            }
            QString key;
            key.reserve(parentKey.size() + folder.name.size() + 1);
            key.append(parentKey).append(folder.name).append(QLatin1Char('/'));
            AddFailure why = AddFailure::None;
            if (Node* node = m_tree.addChild(parent, key, folder.name, m_closedPicture,
                                             image::SelectedFolder, &why)) {
                if (parentTag.isNull() || parentTag != parent->tag()) {
                    parentTag = parent->tag();
                    const auto level = plainTagNumber(parentTag);
                    levelText = level ? QString::number(*level + 1) : QString();
                }
                m_tree.setTag(node, levelText);
                if (folder.link)
                    m_links.insert(node->id());
            } else if (why == AddFailure::TreeFull) {
                ++m_leftOut.beyondNodeLimit;
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
    m_tree.setTag(node, expandedTag(node->tag()));

    // The children as they are now. Any of them may go at a yield inside
    // ScanFolder; the others keep their turn.
    const std::vector<Node*> children = node->children();
    std::vector<NodeId> ids;
    ids.reserve(children.size());
    for (const Node* child : children)
        ids.push_back(child->id());
    const quint64 removals = m_tree.removals();
    for (size_t i = 0; i < children.size(); ++i) {
        const Node* child = m_tree.removals() == removals ? children[i] : m_tree.find(ids[i]);
        if (!child)
            continue;
        if (m_links.contains(ids[i]) && leadsBack(child))
            continue;
        if (const auto listing = m_lister.listFolder(child->key()))
            ScanFolder(*listing); // what a locked folder left out too
        // else a file node, or a folder gone
    }
}

const QString& FolderScan::expandedTag(const QString& tag)
{
    if (m_expandedTag.isNull() || tag != m_plainTag) {
        m_plainTag = tag;
        m_expandedTag = tag + QLatin1Char('E');
    }
    return m_expandedTag;
}

bool FolderScan::leadsBack(const Node* link)
{
    const std::optional<FolderIdentity> folder = identityOf(link);
    if (!folder)
        return false;
    const Node* top = link;
    for (const Node* at = link->parent(); at; at = at->parent()) {
        if (identityOf(at) == folder)
            return true;
        top = at;
    }
    const std::vector<FolderIdentity>& above = foldersAbove(top);
    return std::find(above.begin(), above.end(), *folder) != above.end();
}

std::optional<FolderIdentity> FolderScan::identityOf(const Node* node)
{
    auto known = m_folders.find(node->id());
    if (known == m_folders.end())
        known = m_folders.insert(node->id(), m_lister.identify(node->key()));
    return *known;
}

const std::vector<FolderIdentity>& FolderScan::foldersAbove(const Node* top)
{
    auto known = m_foldersAbove.find(top->id());
    if (known != m_foldersAbove.end())
        return *known;
    std::vector<FolderIdentity> above;
    // "/a/b/" is below "/a/" and "/".
    QString path = top->key();
    while (path.size() > 1 && path.startsWith(QLatin1Char('/'))) {
        path.truncate(path.lastIndexOf(QLatin1Char('/'), path.size() - 2) + 1);
        if (path.isEmpty())
            break;
        if (const auto folder = m_lister.identify(path))
            above.push_back(*folder);
    }
    return *m_foldersAbove.insert(top->id(), std::move(above));
}

} // namespace kvx
