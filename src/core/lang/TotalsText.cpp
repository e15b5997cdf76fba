#include "lang/TotalsText.h"

#include "lang/MessageTexts.h"

#include <cmath>

namespace kvx {

namespace {

QString grouped(qint64 number, const QString& separator)
{
    QString digits = QString::number(number);
    for (qsizetype at = digits.size() - 3; at > (number < 0 ? 1 : 0); at -= 3)
        digits.insert(at, separator);
    return digits;
}

} // namespace

QString sizeText(qint64 bytes, const MessageTexts& texts)
{
    const QStringList units = texts.text(Msg::SizeUnits).split(u' ', Qt::SkipEmptyParts);
    const auto unit = [&units](int power) {
        return power < units.size() ? units.at(power) : QString();
    };
    const QString& thousands = texts.text(Msg::ThousandsSeparator);
    if (bytes < 1000)
        return grouped(bytes, thousands) + u' ' + unit(0);
    double value = double(bytes);
    int power = 0;
    // The unit is chosen once rounded: 999,960 bytes are "1.0 MB", not "1000 kB".
    while (true) {
        value /= 1000;
        ++power;
        const qint64 tenths = std::llround(value * 10);
        if (tenths < 1000)
            return grouped(tenths / 10, thousands) + texts.text(Msg::DecimalSeparator) +
                   QString::number(tenths % 10) + u' ' + unit(power);
        const qint64 whole = std::llround(value);
        if (whole < 1000 || power == 4)
            return grouped(whole, thousands) + u' ' + unit(power);
    }
}

QString totalText(const FolderTotal& total, const MessageTexts& texts)
{
    if (total.files == 0)
        return texts.text(Msg::SizesEmpty);
    return texts.text(total.files == 1 ? Msg::SizesOneFile : Msg::SizesFiles)
        .arg(grouped(total.files, texts.text(Msg::ThousandsSeparator)),
             sizeText(total.bytes, texts));
}

QString totalSuffix(const FolderTotals& totals, const Node& node, const MessageTexts& texts)
{
    const FolderTotal* total = totals.ofNode(node);
    return total ? u' ' + totalText(*total, texts) : QString();
}

} // namespace kvx
