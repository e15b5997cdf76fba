#include "util/ControlCharacters.h"

#include <algorithm>

namespace kvx {

QString withoutControls(QString text)
{
    // Most names hold none: they stay shared, uncopied.
    if (std::any_of(text.cbegin(), text.cend(), isControlCharacter))
        std::replace_if(text.begin(), text.end(), isControlCharacter, u'?');
    return text;
}

} // namespace kvx
