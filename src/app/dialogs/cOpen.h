#pragma once

#include "dialogs/DialogService.h"

namespace kvx {

// The dialog service on Qt's own (non-native) dialogs, the same on every
// desktop. The filter selected in a file dialog is remembered and offered by
// the next open or save dialog of the same object.
class cOpen : public DialogService
{
public:
    // `programDir` is where file dialogs open when no folder is given.
    explicit cOpen(QString programDir);

    [[nodiscard]] qint32 ShowColor() override;
    [[nodiscard]] QString ShowOpen(const QString& filter, const QString& title,
                                   const QString& iniPath) override;
    [[nodiscard]] QString ShowSave(const QString& filter, const QString& title,
                                   const QString& iniPath) override;
    [[nodiscard]] QString BrowseFolder(const QString& title) override;
    [[nodiscard]] std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                                  const QString& defaultText) override;
    MessageResult MsgBox(const QString& text, const QString& title, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::Ok) override;

    // The number of the filter last selected, from 1; 0 before any choice.
    [[nodiscard]] int selectedFilter() const { return m_selectedFilter; }

private:
    // Shows a file dialog; the chosen path or an empty text.
    QString showFileDialog(bool save, const QString& filter, const QString& title,
                           const QString& iniPath);

    QString m_programDir;
    int m_selectedFilter = 0;
};

} // namespace kvx
