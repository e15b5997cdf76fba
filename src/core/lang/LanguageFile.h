#pragma once

#include "doc/IniFile.h"

#include <QString>
#include <optional>

namespace kvx {

// A language file replaces the texts of a window: in the section named after
// the window, the key "<control>.Caption", "<control>.ToolTipText" or
// "<control>.AccessibleName" (a control-array member is named with its index, as
// "chkFile(3).Caption"), and the window's current title as the key of its new title.
inline constexpr qsizetype kTranslationMaxLength = 254;

class LanguageFile
{
public:
    // Nothing (nullopt) when the file is missing or cannot be read.
    [[nodiscard]] static std::optional<LanguageFile> load(const QString& path);

    explicit LanguageFile(IniFile ini = {}) : m_ini(std::move(ini)) {}

    // The text of `strKey` in `strSection`, cut to 254 characters; when the
    // section or key is missing, `strDefault` without its trailing blanks, cut
    // the same way.
    [[nodiscard]] QString ReadTranslation(const QString& strSection, const QString& strKey,
                                          const QString& strDefault) const;

private:
    IniFile m_ini;
};

// The same look-up straight from a file, for a single text; a missing file
// gives the default.
[[nodiscard]] QString ReadTranslation(const QString& strFile, const QString& strSection,
                                      const QString& strKey, const QString& strDefault);

[[nodiscard]] QString captionKey(const QString& controlName);
// The text a caption shows: "&&" shows one "&", and a single "&" (which marks
// the access key) shows nothing.
[[nodiscard]] QString shownCaption(const QString& caption);
[[nodiscard]] QString toolTipKey(const QString& controlName);
// What a screen reader calls a control that shows no caption of its own (the
// tree, the start folder field, an option whose caption is a number).
[[nodiscard]] QString accessibleNameKey(const QString& controlName);

} // namespace kvx
