#pragma once

#include "walk/WalkSource.h"

#include <sys/types.h>

namespace kvx {

// A full walk over the file system: links are listed, never followed;
// a folder where another file system is mounted is listed, not entered.
// Handles are paths as the system spells them.
class DirectoryWalkSource : public WalkSource
{
public:
    explicit DirectoryWalkSource(const QString& startFolder);

    [[nodiscard]] QByteArray start() const override { return m_start; }
    [[nodiscard]] bool list(const QByteArray& folder, std::vector<WalkItem>& items,
                            QString& reason) override;

private:
    QByteArray m_start;
    std::optional<dev_t> m_device;
};

} // namespace kvx
