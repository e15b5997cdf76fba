#pragma once

#include "tree/LeftOut.h"

#include <QString>

namespace kvx {

class NodeTree;
class Node;
class FileLister;
class EventPump;
class WildcardList;

// The extension a file node is tagged with (in capitals) and whose icon it
// shows (in small letters): the part after the last "."; the whole name when
// there is none; empty for a name ending in ".".
[[nodiscard]] QString fileExtension(const QString& fileName);

// Adds file nodes under folder nodes and removes them again, by pattern.
//
// The walks over the whole tree go by position, read the node count again
// before every step and yield to the event loop after every position: the tree
// may change in any way during a yield, and the walk goes on over the tree as
// it then is.
class FileNodes
{
public:
    FileNodes(NodeTree& tree, FileLister& lister, EventPump& pump);

    // Adds the matching files under every folder node, in creation order.
    void AddFilesToFolders(const QString& pattern);
    // Adds the matching files of the node's folder as its last children. A
    // file node, a null node or a folder that cannot be listed gets nothing.
    // A file that already has a file node of the same text there is skipped,
    // so adding twice, or one category after another, never shows a file twice.
    void AddFilesToNode(const Node* node, const QString& pattern);
    // Removes every file node whose text matches the pattern; folder nodes,
    // and nodes without a picture, stay.
    void RemoveFilesByPattern(const QString& pattern);

    // What the additions left out since this object was made or last reset.
    [[nodiscard]] const LeftOut& leftOut() const { return m_leftOut; }
    void resetLeftOut() { m_leftOut = {}; }

private:
    void addFiles(const Node* node, const WildcardList& pattern);

    NodeTree& m_tree;
    FileLister& m_lister;
    EventPump& m_pump;
    LeftOut m_leftOut;
};

} // namespace kvx
