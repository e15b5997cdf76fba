#pragma once

#include "tree/ImageRef.h"

#include <QString>
#include <QStringList>

namespace kvx {

// The image list as the logic sees it: an ordered list of entries, each with
// an optional key. The pictures themselves belong to the window.
class ImageRegistry
{
public:
    // An empty list; withBuiltIns() gives the six pictures every tree starts with.
    ImageRegistry() = default;
    [[nodiscard]] static ImageRegistry withBuiltIns();

    // Appends an entry. Fails (returns false, adds nothing) when a non-empty
    // key is already in the list.
    bool add(const QString& key = QString());
    void clear() { m_keys.clear(); }

    [[nodiscard]] int count() const { return int(m_keys.size()); }
    [[nodiscard]] bool hasKey(const QString& key) const;
    // 1-based position of the entry with this key, 0 when there is none.
    [[nodiscard]] int indexOfKey(const QString& key) const;
    [[nodiscard]] QString keyAt(int position) const;
    // 1-based position of the picture a node property names, 0 for none or
    // for a number or key the list does not hold.
    [[nodiscard]] int positionOf(const ImageRef& ref) const;

private:
    QStringList m_keys;
};

} // namespace kvx
