#include "app/CategoryIcons.h"

#include "tree/ImageList.h"

#include <QDir>
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
    const QDir dir(icoFolder);
    if (icoFolder.isEmpty() || !dir.exists())
        return StartupError{kErrPathNotFound, QStringLiteral("Path not found: %1").arg(icoFolder)};

    const QStringList names =
        dir.entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        const QString key = name.left(name.lastIndexOf(QLatin1Char('.'))).toLower();
        const QImage picture = readSmallIcon(dir.filePath(name));
        if (picture.isNull())
            return StartupError{kErrInvalidPicture,
                                QStringLiteral("Invalid picture: %1").arg(dir.filePath(name))};
        if (!images.add(key, QPixmap::fromImage(picture)))
            return StartupError{kErrKeyNotUnique,
                                QStringLiteral("Key is not unique in collection: %1").arg(key)};
    }
    return std::nullopt;
}

} // namespace kvx
