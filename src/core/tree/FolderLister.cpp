#include "tree/FolderLister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace kvx {

QString folderKey(const QString& folderPath)
{
    return folderPath.endsWith(QLatin1Char('/')) ? folderPath : folderPath + QLatin1Char('/');
}

bool nameBefore(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

namespace {

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// The absolute, clean spelling of a folder path, without a trailing "/".
// Keys are already clean: they skip the general (slow) path handling.
QString cleanAbsolutePath(const QString& path)
{
    const bool clean = path.startsWith(QLatin1Char('/')) && !path.contains(QLatin1String("//")) &&
                       !path.contains(QLatin1String("/./")) &&
                       !path.contains(QLatin1String("/../")) &&
                       !path.endsWith(QLatin1String("/.")) && !path.endsWith(QLatin1String("/.."));
    if (!clean)
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

} // namespace

void sortByName(QStringList& names)
{
    // Fold each name once rather than at every comparison.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [folded, name] : keyed)
        names.append(std::move(name));
}

std::optional<FolderListing> DirectoryLister::listFolder(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QString folder = cleanAbsolutePath(path);
    const QByteArray encoded = QFile::encodeName(folder);

    // readdir() tells most entries' types without a stat() per entry, which
    // matters on folders of thousands of sub-folders.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(encoded.constData()), ::closedir);
    if (!dir)
        return std::nullopt;
    const QByteArray prefix = encoded.endsWith('/') ? encoded : encoded + '/';
    const QString keyPrefix = folderKey(folder);
    // Sorted by the folded name; the full path rides along.
    std::vector<std::pair<QString, QString>> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray raw(entry->d_name);
        if (raw.startsWith('.'))
            continue; // hidden, "." and ".."
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFolder = ::stat((prefix + raw).constData(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        if (!isFolder)
            continue;
        if (isAscii(raw)) {
            // The common case, folded without the general Unicode machinery.
            const QString name = QString::fromLatin1(raw);
            found.emplace_back(QString::fromLatin1(raw.toLower()), keyPrefix + name);
            continue;
        }
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) != raw)
            continue; // a name that cannot be spelt as text cannot be opened again
        found.emplace_back(name.toCaseFolded(), keyPrefix + name);
    }
    std::sort(found.begin(), found.end());

    FolderListing listing{folder, {}};
    listing.subFolders.reserve(qsizetype(found.size()));
    for (auto& [folded, fullPath] : found)
        listing.subFolders.append(std::move(fullPath));
    return listing;
}

} // namespace kvx
