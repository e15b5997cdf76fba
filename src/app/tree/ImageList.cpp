#include "tree/ImageList.h"

#include "tree/BuiltInPictures.h"

namespace kvx {

ImageList::ImageList(ImageRegistry& registry) : m_registry(registry)
{
    for (int number = 1; number <= m_registry.count(); ++number)
        append(number <= image::BuiltInCount ? builtInPicture(number) : QPixmap());
}

bool ImageList::add(const QString& key, const QPixmap& picture)
{
    if (m_pictures.size() != size_t(m_registry.count()) || !m_registry.add(key))
        return false;
    append(picture);
    return true;
}

void ImageList::append(const QPixmap& picture)
{
    QPixmap scaled = picture;
    if (!scaled.isNull() && scaled.size() != QSize(PictureSize, PictureSize))
        scaled = scaled.scaled(PictureSize, PictureSize, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    m_pictures.push_back(scaled);
    // The same pixmap for every mode: a selected row keeps its picture as
    // drawn instead of a style's tinted copy.
    QIcon icon;
    if (!scaled.isNull()) {
        icon.addPixmap(scaled, QIcon::Normal);
        icon.addPixmap(scaled, QIcon::Selected);
        icon.addPixmap(scaled, QIcon::Active);
    }
    m_icons.push_back(icon);
}

QPixmap ImageList::picture(int position) const
{
    return position >= 1 && size_t(position) <= m_pictures.size() ? m_pictures[size_t(position - 1)]
                                                                  : QPixmap();
}

QPixmap ImageList::picture(const ImageRef& ref) const
{
    return picture(m_registry.positionOf(ref));
}

QIcon ImageList::icon(const ImageRef& ref) const
{
    const int position = m_registry.positionOf(ref);
    return position >= 1 && size_t(position) <= m_icons.size() ? m_icons[size_t(position - 1)]
                                                               : QIcon();
}

} // namespace kvx
