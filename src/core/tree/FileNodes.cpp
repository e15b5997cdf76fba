#include "tree/FileNodes.h"

#include "tree/FileLister.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"
#include "tree/WildcardList.h"

#include <QSet>

namespace kvx {

QString fileExtension(const QString& fileName)
{
    return fileName.mid(fileName.lastIndexOf(QLatin1Char('.')) + 1).toLower();
}

FileNodes::FileNodes(NodeTree& tree, FileLister& lister, EventPump& pump)
    : m_tree(tree), m_lister(lister), m_pump(pump)
{
}

void FileNodes::AddFilesToFolders(const QString& pattern)
{
    BusyGuard busy(m_pump);
    const WildcardList wanted(pattern);
    // Nodes added on the way get the highest positions: they are visited too,
    // and passed by as file nodes.
    for (int i = 1; i <= m_tree.count(); ++i) {
        const Node* node = m_tree.nodeAt(i);
        if (node->isFolder())
            addFiles(node, wanted);
        m_pump.yieldToEvents();
    }
}

void FileNodes::AddFilesToNode(const Node* node, const QString& pattern)
{
    if (node)
        addFiles(node, WildcardList(pattern));
}

void FileNodes::addFiles(const Node* node, const WildcardList& pattern)
{
    // A file node's key is empty and names no folder.
    const auto listing = m_lister.listFiles(node->key(), pattern);
    if (!listing)
        return;
    m_leftOut += listing->leftOut;
    if (listing->names.isEmpty())
        return;

    QSet<QString> present;
    for (const Node* child : node->children()) {
        if (child->isFile())
            present.insert(child->text());
    }

    const ImageRegistry* images = m_tree.imageList();
    for (const QString& name : listing->names) {
        if (present.contains(name))
            continue;
        const QString extension = fileExtension(name);
        const ImageRef picture = images && images->hasKey(extension)
                                     ? ImageRef(extension)
                                     : ImageRef(image::BlankPageKey);
        AddFailure why = AddFailure::None;
        if (Node* added = m_tree.addChild(node, QString(), name, picture, {}, &why))
            m_tree.setTag(added, extension.toUpper());
        else if (why == AddFailure::TreeFull)
            ++m_leftOut.beyondNodeLimit;
    }
}

void FileNodes::RemoveFilesByPattern(const QString& pattern)
{
    BusyGuard busy(m_pump);
    const WildcardList doomed(pattern);
    if (doomed.isEmpty())
        return;
    int i = 1;
    while (i <= m_tree.count()) {
        const Node* node = m_tree.nodeAt(i);
        // The next node moves into position i after a removal.
        if (node->isFile() && doomed.matches(node->text()))
            m_tree.remove(i);
        else
            ++i;
        m_pump.yieldToEvents();
    }
}

} // namespace kvx
