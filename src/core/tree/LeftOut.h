#pragma once

#include <QSet>
#include <QString>

namespace kvx {

// What a folder scan or a file adding left out of the tree, and why: counts
// that add up across listings until the caller has said so and resets them.
struct LeftOut
{
    int foldersBadName = 0; // names that are not valid UTF-8 (they could not be opened again)
    int filesBadName = 0;
    int foldersTooLong = 0; // full paths longer than the system allows
    int filesTooLong = 0;
    int beyondNodeLimit = 0; // folders or files dropped because the tree was full
    // Folders there but not readable (no permission to list them, say), by
    // key: the scan and the file adding may both meet one, which counts once.
    QSet<QString> unreadableFolders;
    bool startFolderUnreadable = false; // the start folder exists but cannot be read
    int startFolderError = 0;           // why, as an errno value

    [[nodiscard]] bool isEmpty() const { return *this == LeftOut(); }
    LeftOut& operator+=(const LeftOut& other);
    friend bool operator==(const LeftOut&, const LeftOut&) = default;
};

// One English line telling what was left out and why, such as "left out 3
// folders whose names are not valid UTF-8; 12 entries beyond the 32,767-node
// limit". Empty when nothing was.
[[nodiscard]] QString describeLeftOut(const LeftOut& leftOut);

} // namespace kvx
