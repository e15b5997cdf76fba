#pragma once

#include <QString>

namespace kvx {

// The one filter of the open and save dialogs: description "*.KVX", pattern "*.kvx".
inline constexpr const char* kDocumentFilter = "*.KVX|*.kvx";

// The save command's extension rule: a file name that does not contain
// ".kvx" (exactly, in small letters) gets ".kvx" appended. Only the file
// name counts, so a folder such as "old.kvx.d" does not stop the extension.
[[nodiscard]] QString withDocumentExtension(const QString& path);

// Where the open and save dialogs start: the program's folder when the user
// may write there (a program run from its build or a portable folder);
// otherwise, as for an installed program, the user's documents folder, or
// the home folder when there is none.
[[nodiscard]] QString documentDialogFolder(const QString& programDir);

} // namespace kvx
