#pragma once

#include "tree/ImageRegistry.h"

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace kvx {

// ImageList1: the tree's 16 x 16 pictures, in step with the logic-side list of
// their keys (the workspace's, not owned). The built-in entries the list
// holds already get their pictures; a key added to the list elsewhere (a
// run that shows no picture) has none.
class ImageList
{
public:
    static constexpr int PictureSize = 16;

    explicit ImageList(ImageRegistry& registry);

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
    void append(const QPixmap& picture);

    ImageRegistry& m_registry;
    std::vector<QPixmap> m_pictures;
    std::vector<QIcon> m_icons;
};

} // namespace kvx
