#pragma once

#include <QString>
#include <QStringList>

namespace kvx {

// Where the program's own data (ico/, *.lng) lives for an executable in
// `executableDir`: beside it when its ico/ folder is there (a build tree or a
// portable copy), otherwise the installed data folder share/kvx one or two
// levels up (from bin/ or libexec/kvx/) when that exists; beside the
// executable again when neither is there, so a missing icon folder is
// reported where one was looked for.
[[nodiscard]] QString programDataDirFor(const QString& executableDir);
// The same for the running program: the "program folder".
[[nodiscard]] QString programDataDir();
// The icon folder of the running program.
[[nodiscard]] QString programIconFolder();

// The program's documentation folder for a data folder: installed, the
// system's documentation folder of the package (share/doc/kvx beside
// share/kvx); in a build tree or a portable copy, doc/ in the data folder.
// Empty when neither exists.
[[nodiscard]] QString documentationFolderFor(const QString& dataDir);
// The licence text in a documentation folder; empty when it has none.
[[nodiscard]] QString licenceFileIn(const QString& documentationFolder);

// The user's own KVX data folder: the XDG data home followed by "/kvx"
// (~/.local/share/kvx by default); empty when the user has no home. It may
// not exist yet.
[[nodiscard]] QString userDataDir();

// Where the user keeps language files of their own: their data folder, which
// the program reads wherever it is installed, or the program folder for a
// user without a home.
[[nodiscard]] QString userLanguageFolder(const QString& programDir);

// The folders whose language files are offered, in order: the program folder,
// then the user's language folder when that is another one.
[[nodiscard]] QStringList languageFolders(const QString& programDir);

} // namespace kvx
