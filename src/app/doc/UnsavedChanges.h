#pragma once

#include <functional>

namespace kvx {

class DialogService;
class MessageTexts;
class TreeHistory;

// Asked before the tree is closed or replaced (closing the window, a new
// tree, opening a document). With nothing unsaved it asks nothing and
// answers true. Otherwise the user chooses: save (`save` runs the save
// command; true when the tree was written), discard, or cancel. True when
// the caller may go on: saved, or discarded.
[[nodiscard]] bool SaveOrDiscardChanges(const TreeHistory& history, DialogService& dialogs,
                                        const MessageTexts& texts,
                                        const std::function<bool()>& save);

} // namespace kvx
