#pragma once

#include <QString>

class QWidget;

namespace kvx {

// Applies a language file to a window: its title, then the caption and tool
// tip of every control and the caption of every menu item, each found by its
// objectName in the section named after the window. A text whose key the
// file lacks stays as it is; a missing file changes nothing. Nothing is
// reported.
void TranslateForm(QWidget* frm, const QString& strFile);

} // namespace kvx
