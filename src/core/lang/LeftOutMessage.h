#pragma once

#include "lang/MessageTexts.h"
#include "tree/LeftOut.h"

namespace kvx {

// What the window tells when scans or file adding left entries out: the
// first line, then one line for each kind of entry that was left out, in
// the interface's language. Kinds of which nothing was left out are not
// named. Empty when nothing was.
[[nodiscard]] QString leftOutMessage(const LeftOut& leftOut, const MessageTexts& texts);

} // namespace kvx
