#pragma once

#include "tree/ImageRegistry.h"

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace kvx {

// ImageList1: the tree's 16 x 16 pictures together with the logic-side list of
// their keys, kept in step. Starts with the six built-in pictures.
class ImageList
{
public:
    static constexpr int PictureSize = 16;

    ImageList();

    [[nodiscard]] const ImageRegistry& registry() const { return m_registry; }
    [[nodiscard]] int count() const { return m_registry.count(); }

    // Appends a picture (scaled to 16 x 16 when it is not). Fails and adds
    // nothing when a non-empty key is already in the list.
    bool add(const QString& key, const QPixmap& picture);

    // The picture at a 1-based position or named by a node's image member;
    // a null pixmap / icon when there is none.
    [[nodiscard]] QPixmap picture(int position) const;
    [[nodiscard]] QPixmap picture(const ImageRef& ref) const;
    [[nodiscard]] QIcon icon(const ImageRef& ref) const;

private:
    ImageRegistry m_registry;
    std::vector<QPixmap> m_pictures;
    std::vector<QIcon> m_icons;
};

} // namespace kvx
