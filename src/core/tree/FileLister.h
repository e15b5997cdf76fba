#pragma once

#include "tree/LeftOut.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

class WildcardList;

// The files of one folder that match a pattern.
struct FileListing
{
    QStringList names; // bare names with their extension, in name order (NameOrder.h)
    LeftOut leftOut;   // matching files not listed, and why
};

// Lists the files of one folder that match a wildcard list. Fails (nullopt)
// when the text names no existing folder, an empty text included; a folder
// that cannot be read lists nothing and is among the entries left out.
class FileLister
{
public:
    virtual ~FileLister() = default;
    [[nodiscard]] virtual std::optional<FileListing> listFiles(const QString& folder,
                                                               const WildcardList& pattern) = 0;
};

// The lister over the real file system. Hidden files (names starting with
// ".") are left out quietly; links to files are listed as files.
class DirectoryFileLister : public FileLister
{
public:
    [[nodiscard]] std::optional<FileListing> listFiles(const QString& folder,
                                                       const WildcardList& pattern) override;
};

} // namespace kvx
