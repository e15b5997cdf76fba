#pragma once

#include "doc/TreeViewSettings.h"
#include "print/CoverChoice.h"
#include "print/JacketLayout.h"
#include "tree/FileCategories.h"
#include "tree/ImageRegistry.h"
#include "tree/LeftOut.h"
#include "tree/NodeTree.h"
#include "walk/FolderTotals.h"

#include <QString>
#include <memory>

namespace kvx {

class ElementCountDisplay;
class EventPump;
class FileLister;
class FileReplacement;
class FileNodes;
class FolderLister;
class FolderScan;
class DiscImage;
class RecordedDisc;
class TreeHistory;
class TreeSource;
struct LoadReport;

// What the jacket controls set besides the grid: a colour or grey print,
// and the black-and-white outline folder pictures.
struct PrintAppearance
{
    bool colour = true;
    bool blackAndWhiteFolders = false;
    Paper paper = Paper::A4; // of a PDF written without a printer
};

// One tree being worked on, with everything its commands read and change: the
// node tree, the logic side of its image list, the folder scan and file adding,
// the category boxes and their active pattern, the view settings that
// documents carry, and the jacket's layout. The window and the command line are
// both thin clients of it, so a tree prints, saves and lists alike from either.
//
// The event pump and the count display are the client's (not owned): the
// window's show a busy pointer and the label, a headless run's nothing.
class Workspace
{
public:
    // Reads real folders, disc images or recorded discs: whatever the tree
    // was built from.
    Workspace(EventPump& pump, ElementCountDisplay& count);
    // Reads folders through the given listers (not owned).
    Workspace(EventPump& pump, ElementCountDisplay& count, FolderLister& folders,
              FileLister& files);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    [[nodiscard]] NodeTree& tree() { return m_tree; }
    [[nodiscard]] const NodeTree& tree() const { return m_tree; }
    // Starts with the six built-in pictures; the icon folder adds one key per icon.
    [[nodiscard]] ImageRegistry& images() { return m_images; }
    [[nodiscard]] const ImageRegistry& images() const { return m_images; }
    [[nodiscard]] FolderScan& scan() { return *m_scan; }
    [[nodiscard]] FileNodes& files() { return *m_files; }
    [[nodiscard]] EventPump& pump() { return m_pump; }
    // The undo history of the tree's edits and its unsaved-changes flag.
    [[nodiscard]] TreeHistory& history() { return *m_history; }

    // The view settings of the last document opened (the window's defaults
    // before); saved with the tree.
    TreeViewSettings settings;
    // The nine category boxes and the active pattern they make up.
    FileCategories categories;
    // The jacket's grid: 50 lines, 3 columns until the user chooses.
    JacketLayout jacket;
    PrintAppearance appearance;
    // The document's template, disc title and identifier.
    CoverChoice cover;
    // The files and sizes under each folder, when taken (or read with the
    // document): the rows show them, documents keep them.
    FolderTotals totals;

    // Takes the totals of a walk over the tree's start folder, when the tree
    // still starts where the walk did (`rootKey`); what the walk could not
    // read joins what the tree left out. False when the tree changed its start.
    bool takeTotals(const TotalsWalk& walk, const QString& rootKey);
    // The key of the start folder's node; empty for an empty tree.
    [[nodiscard]] QString rootKey() const;

    // The start button: clears the tree, scans the folder, opens the root.
    // A new tree starts a new history.
    void BuildTree(const QString& startFolder);
    // The same from a disc image, or from a disc's record in the catalogue
    // (its top folder under the path it had then). Not for a workspace that
    // was given its listers.
    void BuildTree(std::unique_ptr<DiscImage> image);
    void BuildTree(std::unique_ptr<RecordedDisc> disc);
    // What the tree reads from; null when the workspace was given its listers.
    [[nodiscard]] const TreeSource* source() const { return m_source.get(); }

    // The category commands, with the active pattern; each is one undo step.
    void AddFilesToFolders();
    void AddFilesToSelected();
    void RemoveFilesByPattern();

    // The folder picture mode: every folder node gets the colour or the
    // black-and-white pair of pictures, and so do the folders scanned later.
    void setBlackAndWhiteFolders(bool on);

    // Replaces the tree and the view settings with the document's. A file that
    // is no tree document changes nothing. Returns the reader's load_result;
    // *report tells what was not read, or why the file could not be read.
    // An opened document starts a new history, with nothing unsaved.
    [[nodiscard]] qint32 Open(const QString& path, LoadReport* report = nullptr);
    // Writes the tree and the view settings; false, with the reason in *error,
    // when the file could not be written (an old file is then left as it was).
    // Once written, the tree has nothing unsaved.
    [[nodiscard]] bool Save(const QString& path, QString* error = nullptr);
    // The same into a replacement the caller has begun and commits with its
    // other outputs; false, with the reason in the replacement, on failure.
    [[nodiscard]] bool Save(FileReplacement& file);

    // What the scans and the file adding left out since the last reset, and why.
    [[nodiscard]] LeftOut leftOut() const;
    void resetLeftOut();

    // Refreshes the count display with the number of shown rows.
    void RefreshElementCount();

private:
    void followShownRows();
    void build(const QString& start);

    EventPump& m_pump;
    ElementCountDisplay& m_count;
    std::unique_ptr<TreeSource> m_source;
    ImageRegistry m_images = ImageRegistry::withBuiltIns();
    NodeTree m_tree;
    std::unique_ptr<FolderScan> m_scan;
    std::unique_ptr<FileNodes> m_files;
    std::unique_ptr<TreeHistory> m_history;
    LeftOut m_totalsLeftOut;
};

} // namespace kvx
