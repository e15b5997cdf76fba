#include "tree/CategoryIcons.h"

#include "tree/IconFolder.h"
#include "tree/ImageList.h"

#include <QImageReader>
#include <QPixmap>

namespace kvx {

namespace {

// The 16 x 16 entry of an icon file when it holds several sizes.
QImage readSmallIcon(const QString& path)
{
    QImageReader reader(path);
    QImage best;
    const int frames = qMax(1, reader.imageCount());
    for (int i = 0; i < frames; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage frame = reader.read();
        if (frame.isNull())
            continue;
        if (frame.size() == QSize(ImageList::PictureSize, ImageList::PictureSize))
            return frame;
        if (best.isNull())
            best = frame;
    }
    return best;
}

} // namespace

std::optional<StartupError> loadCategoryIcons(const QString& icoFolder, ImageList& images)
{
    // The same listing and keys as the headless run's, so a tree shows the
    // same icons in the window and in a printed or saved jacket.
    const std::optional<QList<IconFile>> icons = IconFiles(icoFolder);
    if (!icons)
        return StartupError{kErrPathNotFound, QStringLiteral("Path not found: %1").arg(icoFolder),
                            icoFolder};

    for (const IconFile& icon : *icons) {
        const QImage picture = readSmallIcon(icon.path);
        if (picture.isNull())
            return StartupError{kErrInvalidPicture,
                                QStringLiteral("Invalid picture: %1").arg(icon.path), icon.path};
        if (!images.add(icon.key, QPixmap::fromImage(picture)))
            return StartupError{kErrKeyNotUnique,
                                QStringLiteral("Key is not unique in collection: %1").arg(icon.key),
                                icon.key};
    }
    return std::nullopt;
}

} // namespace kvx
