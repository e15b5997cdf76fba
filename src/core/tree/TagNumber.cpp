#include "tree/TagNumber.h"

namespace kvx {

std::optional<int> plainTagNumber(const QString& tag)
{
    bool ok = false;
    const int value = tag.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int tagLevel(const QString& tag)
{
    qsizetype digits = 0;
    while (digits < tag.size() && digits < 9 && tag.at(digits).isDigit() &&
           tag.at(digits).unicode() < 128)
        ++digits;
    return digits == 0 ? 0 : tag.left(digits).toInt();
}

} // namespace kvx
