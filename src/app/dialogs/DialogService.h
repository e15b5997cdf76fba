#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace kvx {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
// SaveDiscardCancel answers Yes for save, No for discard.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// The standard dialogs and boxes the program asks the user through. The main
// window owns one; every command that asks goes through it, so tests can put
// a scripted double in its place.
class DialogService
{
public:
    virtual ~DialogService() = default;

    // The window every dialog is modal to (none when null).
    void setMehWnd(QWidget* owner) { m_owner = owner; }
    [[nodiscard]] QWidget* MehWnd() const { return m_owner; }

    // The colour chosen as 0x00BBGGRR (0 to 16777215), -1 when cancelled.
    [[nodiscard]] virtual qint32 ShowColor() = 0;
    // `filter` is "|"-separated description and pattern pairs; `iniPath` the
    // folder to open in (empty: the program's folder), or a file in it whose
    // name the dialog fills in. Empty text on cancel.
    [[nodiscard]] virtual QString ShowOpen(const QString& filter, const QString& title,
                                           const QString& iniPath) = 0;
    // As ShowOpen; the selected filter's extension is appended to a name
    // that lacks it.
    [[nodiscard]] virtual QString ShowSave(const QString& filter, const QString& title,
                                           const QString& iniPath) = 0;
    // The chosen folder's path, empty text on cancel.
    [[nodiscard]] virtual QString BrowseFolder(const QString& title) = 0;
    // A one-line prompt, wide enough for the whole default text: the typed
    // text, nullopt when cancelled (an empty confirmed answer is an empty text).
    [[nodiscard]] virtual std::optional<QString>
    InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // A message box; returns the button pressed (closing the box counts as
    // Cancel, or No when there is no Cancel, or Ok for a lone Ok).
    virtual MessageResult MsgBox(const QString& text, const QString& title, MessageIcon icon,
                                 MessageButtons buttons = MessageButtons::Ok) = 0;

private:
    QPointer<QWidget> m_owner;
};

} // namespace kvx
