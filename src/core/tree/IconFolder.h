#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

class ImageRegistry;

// One icon of the program's icon folder: the picture for file nodes whose
// extension is its key.
struct IconFile
{
    QString key;  // the file name before its last ".", in small letters: My.Icon.ico gives my.icon
    QString path; // the icon file's full path
};

// The icon folder of a program folder.
[[nodiscard]] QString iconFolderIn(const QString& programDir);

// The "*.ico" files of a folder in the file lister's order; nullopt when the
// folder does not exist. Keys may repeat (Zip.ico and zip.ICO): the image list
// takes the first and refuses the others.
[[nodiscard]] std::optional<QList<IconFile>> IconFiles(const QString& folder);

// The keys of IconFiles(), in the same order; empty for a missing folder.
[[nodiscard]] QStringList IconKeys(const QString& folder);

// Appends the keys of a folder's icons to an image list that holds no
// pictures (headless runs), so file nodes get the same image keys as in the
// window. Keys already in the list are skipped.
void AddIconKeys(ImageRegistry& images, const QString& folder);

} // namespace kvx
