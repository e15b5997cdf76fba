#pragma once

#include <QStringView>
#include <QtGlobal>
#include <cstddef>
#include <vector>

namespace kvx {

class Node;

// The nodes by their key. An open-addressing table of (hash, node) pairs: an
// addition or a look-up touches a slot or two and reads a key only where the
// hashes match, which keeps a scan of tens of thousands of folders quick. The
// keys themselves live in their nodes.
class NodeKeyIndex
{
public:
    NodeKeyIndex();

    // Room for `count` keys without growing.
    void reserve(size_t count);
    [[nodiscard]] Node* find(QStringView key) const { return find(key, hashOf(key)); }
    // The node's key must be new to the index (see find()).
    void insert(Node* node);
    // The same, with the key's hash worked out once for both.
    [[nodiscard]] size_t hashOf(QStringView key) const;
    [[nodiscard]] Node* find(QStringView key, size_t hash) const;
    void insert(Node* node, size_t hash);
    void remove(const Node* node);
    void clear();

private:
    struct Slot
    {
        size_t hash = 0;
        Node* node = nullptr;
    };
    [[nodiscard]] size_t home(size_t hash) const { return hash & (m_slots.size() - 1); }
    void place(Slot slot);
    void grow(size_t slots);

    std::vector<Slot> m_slots; // a power of two in size, at most half full
    size_t m_count = 0;
    quint64 m_seed;
};

} // namespace kvx
