#pragma once

#include <QString>

namespace kvx {

// What reading a tree document could not read, or read otherwise than
// written: counted as it reads, told to the user in one line.
struct LoadReport
{
    QString error; // why the file could not be read at all, when it could not

    qint64 nodesLeftOut = 0;  // node entries up to Count that could not become nodes
    qint64 nodesMissing = 0;  // numbers up to Count without a node entry
    qint64 beyondCount = 0;   // node entries numbered above Count, never read
    bool countUnread = false; // Count missing or not a number
    qint32 count = 0;         // Count, as read
    int settingsUnread = 0;
    qint64 nodeFieldsUnread = 0; // nodes whose tag or sort flag could not be read
    qint64 picturesMissing = 0;  // nodes without an Image entry
    qint64 picturesUnread = 0;   // Image entries that could not be read whole
    qint64 stylesMissing = 0;
    qint64 stylesUnread = 0;
    bool mixedEncodings = false; // lines in UTF-8 and lines in Windows-1252
};

// One English line telling what was not read or read otherwise, such as
// "2 node entries numbered beyond Count (3) were not read; no pictures for 5
// nodes (defaults used)". Empty when all was read as written.
[[nodiscard]] QString describeLoadReport(const LoadReport& report);

} // namespace kvx
