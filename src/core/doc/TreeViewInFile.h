#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace kvx {

struct CoverChoice;
class FileReplacement;
class IniFile;
struct LoadReport;
class NodeTree;
struct TreeViewSettings;

// Tree documents (".kvx"): one node tree with its view's settings, the
// pictures and the styles of its nodes, in an initialisation-file layout.
// docs/kvx-format.md describes the format.

// What LoadTreeViewFromFile returns: the file is no tree document, every step
// succeeded, or the kind of the last step that failed (the rest was read).
namespace load_result {
inline constexpr qint32 NotADocument = -1;
inline constexpr qint32 Ok = 0;
inline constexpr qint32 BadSetting = 1;   // a [TreeView] entry that does not convert or is refused
inline constexpr qint32 BadCount = 2;     // Count missing or not a number: no node read
inline constexpr qint32 NodeSkipped = 3;  // a node entry missing, malformed or refused
inline constexpr qint32 BadNodeField = 4; // a node's tag or sort flag
inline constexpr qint32 BadImage = 5;
inline constexpr qint32 BadStyle = 6;
} // namespace load_result

// The document text for the tree and its view's settings; `blnStyle` adds
// the style entries, `blnImages` the image entries, `cover` (when given and
// not all defaults) the [Cover] section.
[[nodiscard]] QByteArray TreeViewDocument(const NodeTree& tree, const TreeViewSettings& settings,
                                          bool blnStyle, bool blnImages,
                                          const CoverChoice* cover = nullptr);

// Writes the document, followed by `sections` (the document's own sections
// beyond the tree), into a replacement the caller has begun and commits
// (with its other outputs). False when it cannot be written.
[[nodiscard]] bool WriteTreeViewTo(FileReplacement& file, const NodeTree& tree,
                                   const TreeViewSettings& settings, bool blnStyle, bool blnImages,
                                   const CoverChoice* cover = nullptr,
                                   const QByteArray& sections = {});

// Writes the document to `strFile` through a temporary file that replaces
// the old document only once complete; only a regular file or a new name is
// replaced. Returns false, leaving any old file untouched, when it cannot be
// written; *error then tells why in the system's words.
[[nodiscard]] bool SaveTreeViewInFile(const NodeTree& tree, const TreeViewSettings& settings,
                                      const QString& strFile, bool blnStyle, bool blnImages,
                                      QString* error = nullptr, const CoverChoice* cover = nullptr,
                                      const QByteArray& sections = {});

// Rebuilds the tree from the document `strFile`. `blnProperties` clears the
// tree first and reads the view's settings; `blnStyle` and `blnImages` read
// the node styles and pictures. Returns a load_result code. A file that is
// not a tree document (missing, unreadable, wrong type, too large for the
// memory) changes nothing. *report tells what was not read, or why the file
// could not be read. With `blnProperties`, *cover (when given) becomes the
// document's [Cover] values, the defaults for those it lacks. `alsoRead`,
// when given, reads the document's own sections once its tree is read.
[[nodiscard]] qint32 LoadTreeViewFromFile(NodeTree& tree, TreeViewSettings& settings,
                                          const QString& strFile, bool blnProperties, bool blnStyle,
                                          bool blnImages, LoadReport* report = nullptr,
                                          CoverChoice* cover = nullptr,
                                          const std::function<void(const IniFile&)>& alsoRead = {});
// The same from a document already read.
[[nodiscard]] qint32 LoadTreeViewFromIni(NodeTree& tree, TreeViewSettings& settings,
                                         const IniFile& document, bool blnProperties, bool blnStyle,
                                         bool blnImages, LoadReport* report = nullptr,
                                         CoverChoice* cover = nullptr);

// "1" for true, "0" for false.
[[nodiscard]] QString BoolToFlag(bool blnValue);

// One value of an initialisation file, read whole; `strDefault` when the
// file, the section or the key is missing.
[[nodiscard]] QString ReadIniValue(const QString& strFile, const QString& strSection,
                                   const QString& strKey, const QString& strDefault = QString());

} // namespace kvx
