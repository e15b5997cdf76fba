#pragma once

#include <QString>

namespace kvx {

// The one filter of the open and save dialogs: description "*.KVX", pattern "*.kvx".
inline constexpr const char* kDocumentFilter = "*.KVX|*.kvx";

// The save command's extension rule: a file name that does not contain
// ".kvx" (exactly, in small letters) gets ".kvx" appended. Only the file
// name counts, so a folder such as "old.kvx.d" does not stop the extension.
[[nodiscard]] QString withDocumentExtension(const QString& path);

// True for a name a tree document carries: ending in ".kvx", in any letter case.
[[nodiscard]] bool isDocumentName(const QString& path);

// Where the open and save dialogs start. With a document open (or saved):
// its folder, and for saving the document itself, its name filled in.
// Before any: the last folder a document was opened from or saved in, else
// the user's documents folder, else the home folder. Never the program's
// folder, which an installed program cannot write to.
[[nodiscard]] QString openDialogStart(const QString& document, const QString& lastFolder);
[[nodiscard]] QString saveDialogStart(const QString& document, const QString& lastFolder);

} // namespace kvx
