#pragma once

#include <QString>
#include <array>

namespace kvx {

class LanguageFile;

// The program's own texts that are no control's caption: dialog titles,
// questions and messages. "%1", "%2" stand for what the program fills in.
enum class Msg {
    ChooseFolder,   // title of the start folder dialog
    OpenTitle,      // title of the open dialog
    SaveTitle,      // title of the save dialog
    NotADocument,   // %1 the file
    SaveFailed,     // %1 the file, %2 the reason
    UnsavedChanges, // the question before the tree is closed or replaced
    PdfFilter,      // the description of "*.pdf" in the PDF file dialog
    SaveJacketTitle,
    JacketSaved, // %1 the file
    EmptyTree,
    PrinterFailed,   // %1 the printer
    PdfFailed,       // %1 the file
    RowsLeftOut,     // %1 rows shown, %2 capacity, %3 rows left out
    StartUnreadable, // %1 the start folder
    // What was left out of the tree: the first line, then one line for each
    // kind of entry left out (%1 how many).
    EntriesLeftOut,
    LeftOutBadNames,
    LeftOutTooLong,
    LeftOutBeyondLimit,
    LeftOutUnreadable, // folders whose contents cannot be read
    WindowColour,      // the warning when the system's window colour is not white
    StartupError,      // title of the box that ends start-up; %1 the error number
    IconFolderMissing, // %1 the folder
    IconNotPicture,    // %1 the file
    IconKeyTaken,      // %1 the key
    EditPattern,       // the question when a category's pattern is edited; %1 the category
    LanguageHowTo,     // how to make a language file; %1 the file to translate, %2 where to save it
    // Why a file, a folder or a link could not be opened; %1 what was opened.
    OpenFileMissing,
    OpenFolderMissing,
    OpenNoApplication,
    OpenNoOpener,
    OpenFailed,
    FindTitle, // the find in the tree's dialog
    FindPrompt,
    NotFound,           // %1 the text looked for
    NoRecent,           // the recent documents' menu while it has none
    PrinterChoiceTitle, // the printer properties dialog
    PrinterLabel,
    PdfFileChoice, // the printer list's entry for a PDF file
    PdfFileLabel,
    BrowseFile,
    PageSetUp,
    PreviewTitle,
    PreviewLeftOut, // %1 rows shown, %2 printed, %3 left out
    SizesFiles,     // after a folder: %1 its files, %2 their size
    SizesOneFile,   // the same for one file
    SizesEmpty,     // after a folder without files
    SizeUnits,      // bytes, kB, MB, GB and TB, separated by blanks
    DecimalSeparator,
    ThousandsSeparator,
    SizesProgress,       // %1 folders, %2 files read so far
    ExportTitle,         // title of the export dialog
    ExportFailed,        // %1 the file, %2 the reason
    ExportUnknownFormat, // the reason when the file's extension names no format
    DiscTitlePrompt,
    DiscIdPrompt,
    CoverDoesNotFit, // %1 the template, %2 the paper
    HitColumns,      // the hit list's column titles, separated by "|"
    DiscColumns,     // the disc list's column titles
    HitsFound,       // %1 hits
    HitsLimited,     // %1 hits shown, more not
    NoHits,
    NoteTitle,
    NotePrompt,      // %1 the disc's identifier, %2 its name
    RemoveDisc,      // %1 identifier, %2 name
    CatalogueFailed, // %1 why
    ImageFilter,     // the description of "*.iso" in the image dialog
    OpenImageTitle,
    ImageFailed, // %1 the image, %2 why
    NoDiscToCatalogue,
    CatalogueDiscTitle,
    DiscNamePrompt, // %1 the folder or image
    DiscNotePrompt,
    ReplaceDisc, // %1 identifier, %2 name
    ReadingDisc, // %1 folders, %2 files read so far
    RecordingDisc,
    DiscCatalogued,        // %1 identifier, %2 entries
    DiscUnreadableFolders, // %1 folders
    Count
};

// The texts in the interface's language: French as built in, then whatever
// language files replace. In a language file they are the entries of the
// section [Messages], one key per text (ChooseFolder = ...); a "\n" in a value
// starts a new line, since a value cannot span lines. A missing key keeps the
// text as it is, as for captions.
class MessageTexts
{
public:
    static constexpr const char* Section = "Messages";

    MessageTexts();

    [[nodiscard]] const QString& text(Msg id) const { return m_texts.at(size_t(id)); }
    [[nodiscard]] static QString key(Msg id);

    void apply(const LanguageFile& file);

private:
    std::array<QString, size_t(Msg::Count)> m_texts;
};

} // namespace kvx
