#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kvx::schema {

// The file's application id, "KVXC", which tells a catalogue from any
// other SQLite database, and the version of the tables it holds.
constexpr qint32 kApplicationId = 0x4b565843;
constexpr int kVersion = 1;

// The statements that take a catalogue from version n to n + 1, at index n;
// from 0, they make a new one.
[[nodiscard]] const std::vector<QStringList>& upgrades();

// Marks around a folded name in the name index: trigrams holding them find
// the names that start or end with a text.
constexpr char16_t kStartMark = u'\x02';
constexpr char16_t kEndMark = u'\x03';

// What the name index holds for a folded name.
[[nodiscard]] QString indexedText(const QString& folded);
// The plain index's key: the first two characters of a folded name, followed
// by the end mark when they are the whole name.
[[nodiscard]] QString nameHead(const QString& folded);

} // namespace kvx::schema
