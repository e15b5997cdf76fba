#include "tree/TagNumber.h"

namespace kvx {

std::optional<int> plainTagNumber(const QString& tag)
{
    bool ok = false;
    const int value = tag.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace kvx
