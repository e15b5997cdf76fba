#pragma once

#include "walk/WalkSource.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace kvx {

// One disc as the catalogue knows it.
struct DiscRecord
{
    qint64 id = 0; // the number of its identifier: 7 is "KVX-0007"
    QString name;
    QString note;
    QDateTime added;
    QString source;                  // the folder or image it was read from
    QString fsType;                  // "ext4", "vfat", "iso9660"...
    QString uuid;                    // empty when the system gives none
    std::optional<qint64> capacity;  // bytes
    std::optional<qint64> freeSpace; // bytes
    qint64 entries = 0;              // folders, files and links
    qint64 bytes = 0;                // apparent sizes of the files, each file once
    qint64 unreadable = 0;           // folders that could not be read
};

// One folder, file or link of a disc. Numbers count from 1 within the disc,
// in path order; the disc's top folder is number 0.
struct CatalogueEntry
{
    qint64 number = 0;
    qint64 parent = 0;
    QString name;
    WalkKind kind = WalkKind::File;
    qint64 size = 0;
    std::optional<qint64> mtime; // seconds since 1970 (UTC)
    bool hidden = false;
    bool unreadable = false; // a folder whose entries could not be read
};

// A disc's identifier: "KVX-0001", "KVX-0002", ...
[[nodiscard]] QString discIdentifier(qint64 id);
// The number of an identifier ("KVX-0007", "kvx-7" or "7"); nullopt when
// the text is none.
[[nodiscard]] std::optional<qint64> parseDiscIdentifier(const QString& text);

} // namespace kvx
