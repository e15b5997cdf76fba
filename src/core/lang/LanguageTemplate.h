#pragma once

#include <QString>

namespace kvx {

// The translators' template: the French language file of the program folder.
inline constexpr const char* kLanguageTemplateName = "Francais.lng";

// The copy of the template a translator may edit: a copy in the user's
// language folder (the template itself for a user without a home), made from the template the first
// time and kept from then on, so a translation in progress is never overwritten. When no copy can
// be made (no template, no writable folder) the program's template is named, as there is nothing
// better to open.
[[nodiscard]] QString editableLanguageTemplate(const QString& programDir);

// The copy step alone: `templatePath` copied into `folder` (created when
// missing) unless a file of its name is there already; the copy's path, or
// `templatePath` when it cannot be copied.
[[nodiscard]] QString copyLanguageTemplate(const QString& templatePath, const QString& folder);

} // namespace kvx
