#pragma once

#include <QString>
#include <optional>

namespace kvx {

class ImageList;

// A failure that ends start-up: the error number of its box, its English
// description (the command line's), and what it is about (the folder, the
// file or the key), which the window names in its own language.
struct StartupError
{
    int number = 0;
    QString description;
    QString subject;
};

inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrInvalidPicture = 481;
inline constexpr int kErrKeyNotUnique = 35602;

// Appends one picture per icon file that IconFiles() lists in the folder, under
// its key (My.Icon.ico gives my.icon). Stops at the first failure, keeping what
// was loaded before it: a missing folder, a file that is no picture, a key the
// list holds already.
[[nodiscard]] std::optional<StartupError> loadCategoryIcons(const QString& icoFolder,
                                                            ImageList& images);

} // namespace kvx
