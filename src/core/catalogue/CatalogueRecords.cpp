#include "catalogue/CatalogueRecords.h"

namespace kvx {

QString discIdentifier(qint64 id)
{
    return QStringLiteral("KVX-%1").arg(id, 4, 10, QLatin1Char('0'));
}

std::optional<qint64> parseDiscIdentifier(const QString& text)
{
    QStringView digits(text);
    if (digits.startsWith(u"KVX-", Qt::CaseInsensitive))
        digits = digits.mid(4);
    bool ok = false;
    const qint64 id = digits.toLongLong(&ok);
    if (!ok || id <= 0 || !digits.front().isDigit())
        return std::nullopt;
    return id;
}

} // namespace kvx
