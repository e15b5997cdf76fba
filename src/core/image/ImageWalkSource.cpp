#include "image/ImageWalkSource.h"

#include "image/DiscImage.h"

namespace kvx {

QByteArray ImageWalkSource::start() const
{
    return QByteArray::number(DiscImage::root());
}

bool ImageWalkSource::list(const QByteArray& folder, std::vector<WalkItem>& items, QString& reason)
{
    bool ok = false;
    const int index = folder.toInt(&ok);
    if (!ok || index < 0 || index >= m_image.count() ||
        m_image.entry(index).kind != WalkKind::Folder) {
        reason = QStringLiteral("Not a directory");
        return false;
    }
    for (const int child : m_image.entry(index).children) {
        const DiscImage::Entry& entry = m_image.entry(child);
        WalkItem item;
        item.name = entry.name;
        item.handle = QByteArray::number(child);
        item.kind = entry.kind;
        item.size = entry.size;
        item.mtime = entry.mtime;
        item.inode = quint64(entry.sameFileAs >= 0 ? entry.sameFileAs : child) + 1;
        item.links = entry.links;
        item.badName = entry.badName;
        items.push_back(std::move(item));
    }
    return true;
}

} // namespace kvx
