#include "tree/NameOrder.h"

#include <QCollator>
#include <algorithm>

namespace kvx {

namespace {

// From this many entries on, keys made once per name beat collating the
// names at each of the sort's comparisons.
constexpr size_t kKeysFrom = 16;

QCollator makeCollator(const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

QCollator& collator()
{
    static QCollator order = makeCollator(QLocale(QString::fromLatin1(kStartLocale)));
    return order;
}

} // namespace

void setNameOrderLocale(const QLocale& locale)
{
    if (locale != collator().locale())
        collator() = makeCollator(locale);
}

QLocale nameOrderLocale()
{
    return collator().locale();
}

bool nameBefore(const QString& a, const QString& b)
{
    const int order = collator().compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

void sortByName(std::vector<FolderEntry>& entries)
{
    if (entries.size() < kKeysFrom) {
        std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
            return nameBefore(a.name, b.name);
        });
        return;
    }
    struct Keyed
    {
        QCollatorSortKey key;
        FolderEntry* entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    const QCollator& order = collator();
    for (FolderEntry& entry : entries)
        keyed.push_back({order.sortKey(entry.name), &entry});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.entry->name < b.entry->name;
    });
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& one : keyed)
        sorted.push_back(std::move(*one.entry));
    entries = std::move(sorted);
}

} // namespace kvx
