#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

class WildcardList;

// Lists the files of one folder that match a wildcard list: bare names with
// their extension, by name ignoring case. Fails (nullopt) when the text names
// no existing folder, an empty text included.
class FileLister
{
public:
    virtual ~FileLister() = default;
    [[nodiscard]] virtual std::optional<QStringList> listFiles(const QString& folder,
                                                               const WildcardList& pattern) = 0;
};

// The lister over the real file system. Hidden files (names starting with
// ".") are left out; links to files are listed as files.
class DirectoryFileLister : public FileLister
{
public:
    [[nodiscard]] std::optional<QStringList> listFiles(const QString& folder,
                                                       const WildcardList& pattern) override;
};

} // namespace kvx
