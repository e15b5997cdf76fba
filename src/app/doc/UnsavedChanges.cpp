#include "doc/UnsavedChanges.h"

#include "dialogs/DialogService.h"
#include "history/TreeHistory.h"
#include "lang/MessageTexts.h"

namespace kvx {

bool SaveOrDiscardChanges(const TreeHistory& history, DialogService& dialogs,
                          const MessageTexts& texts, const std::function<bool()>& save)
{
    if (!history.isModified())
        return true;
    switch (dialogs.MsgBox(texts.text(Msg::UnsavedChanges), QStringLiteral("KVX"),
                           MessageIcon::Question, MessageButtons::SaveDiscardCancel)) {
    case MessageResult::Yes:
        return save() && !history.isModified();
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

} // namespace kvx
