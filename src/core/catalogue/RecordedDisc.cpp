#include "catalogue/RecordedDisc.h"

#include "catalogue/Catalogue.h"
#include "tree/NameOrder.h"
#include "tree/WildcardList.h"

#include <QDir>
#include <cerrno>

namespace kvx {

namespace {

// Folder identities of a recorded disc: a device number no file system uses.
constexpr quint64 kRecordDevice = ~quint64(0) - 1;

const std::vector<qint64> kNoChildren;

bool shown(const CatalogueEntry& entry, WalkKind kind)
{
    return entry.kind == kind && !entry.hidden && !entry.name.startsWith(u'.');
}

std::vector<FolderEntry> entriesOf(const RecordedDisc& disc, qint64 folder, WalkKind kind)
{
    std::vector<FolderEntry> entries;
    for (const qint64 number : disc.children(folder)) {
        const CatalogueEntry& entry = disc.entry(number);
        if (shown(entry, kind))
            entries.push_back({entry.name, false});
    }
    sortByName(entries);
    return entries;
}

} // namespace

std::unique_ptr<RecordedDisc> RecordedDisc::load(Catalogue& catalogue, qint64 disc, QString* error)
{
    std::optional<DiscRecord> record = catalogue.disc(disc);
    std::optional<std::vector<CatalogueEntry>> entries;
    if (record)
        entries = catalogue.entries(disc);
    if (!entries) {
        *error = catalogue.error().isEmpty()
                     ? QStringLiteral("no disc %1 in the catalogue").arg(discIdentifier(disc))
                     : catalogue.error();
        return nullptr;
    }
    std::unique_ptr<RecordedDisc> loaded(new RecordedDisc);
    loaded->m_record = std::move(*record);
    loaded->m_entries = std::move(*entries);
    loaded->m_byNumber.reserve(qsizetype(loaded->m_entries.size()));
    loaded->m_byName.reserve(qsizetype(loaded->m_entries.size()));
    for (size_t i = 0; i < loaded->m_entries.size(); ++i) {
        const CatalogueEntry& entry = loaded->m_entries[i];
        loaded->m_byNumber.insert(entry.number, i);
        loaded->m_children[entry.parent].push_back(entry.number);
        loaded->m_byName.insert({entry.parent, entry.name}, entry.number);
    }
    return loaded;
}

std::optional<qint64> RecordedDisc::find(const QString& relativePath) const
{
    qint64 at = 0;
    for (const QString& name : relativePath.split(u'/', Qt::SkipEmptyParts)) {
        const auto found = m_byName.constFind({at, name});
        if (found == m_byName.cend())
            return std::nullopt;
        at = *found;
    }
    return at;
}

std::optional<qint64> RecordedDisc::folderOfKey(const QString& key) const
{
    const QString root = rootKey();
    const QString clean = folderKey(QDir::cleanPath(key));
    if (!clean.startsWith(root))
        return std::nullopt;
    const std::optional<qint64> found = find(clean.mid(root.size()));
    if (!found || (*found && entry(*found).kind != WalkKind::Folder))
        return std::nullopt;
    return found;
}

const CatalogueEntry& RecordedDisc::entry(qint64 number) const
{
    return m_entries[m_byNumber.value(number)];
}

const std::vector<qint64>& RecordedDisc::children(qint64 folder) const
{
    const auto found = m_children.constFind(folder);
    return found == m_children.cend() ? kNoChildren : *found;
}

std::optional<FolderListing> RecordFolderLister::listFolder(const QString& path)
{
    const std::optional<qint64> folder = m_disc.folderOfKey(path);
    if (!folder)
        return std::nullopt;
    FolderListing listing{
        folderKey(QDir::cleanPath(path)), entriesOf(m_disc, *folder, WalkKind::Folder), {}, 0};
    if (*folder && m_disc.entry(*folder).unreadable) {
        listing.error = EACCES;
        listing.leftOut.unreadableFolders.insert(listing.key);
    }
    return listing;
}

std::optional<FolderIdentity> RecordFolderLister::identify(const QString& path)
{
    const std::optional<qint64> folder = m_disc.folderOfKey(path);
    if (!folder)
        return std::nullopt;
    return FolderIdentity{kRecordDevice, quint64(*folder)};
}

std::optional<FileListing> RecordFileLister::listFiles(const QString& folder,
                                                       const WildcardList& pattern)
{
    const std::optional<qint64> found = m_disc.folderOfKey(folder);
    if (!found)
        return std::nullopt;
    FileListing listing;
    if (pattern.isEmpty())
        return listing;
    for (const FolderEntry& entry : entriesOf(m_disc, *found, WalkKind::File)) {
        if (pattern.matches(entry.name))
            listing.names.append(entry.name);
    }
    return listing;
}

} // namespace kvx
