#pragma once

#include <QString>
#include <optional>

namespace kvx {

class ImageList;

// A failure that ends start-up: the error number and description of its box.
struct StartupError
{
    int number = 0;
    QString description;
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
