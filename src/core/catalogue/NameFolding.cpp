#include "catalogue/NameFolding.h"

#include <algorithm>

namespace kvx {

namespace {

bool isMark(QChar::Category category)
{
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// Letters whose accent is part of the letter, so that no decomposition drops it.
QStringView plainLetter(char32_t c)
{
    switch (c) {
    case U'ø':
        return u"o";
    case U'đ':
        return u"d";
    case U'ð':
        return u"d";
    case U'ł':
        return u"l";
    case U'ħ':
        return u"h";
    case U'ı':
        return u"i";
    case U'æ':
        return u"ae";
    case U'œ':
        return u"oe";
    case U'þ':
        return u"th";
    default:
        return {};
    }
}

} // namespace

QString foldName(const QString& name)
{
    QString folded;
    folded.reserve(name.size());
    if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        for (const QChar c : name)
            folded.append(c.unicode() < 0x20 || c.unicode() == 0x7f ? QChar(u'?') : c.toLower());
        return folded;
    }
    const QString decomposed = name.normalized(QString::NormalizationForm_KD).toCaseFolded();
    for (const char32_t c : decomposed.toUcs4()) {
        if (isMark(QChar::category(c)))
            continue;
        if (QChar::category(c) == QChar::Other_Control) {
            folded.append(u'?');
        } else if (const QStringView plain = plainLetter(c); !plain.isEmpty()) {
            folded.append(plain);
        } else {
            folded.append(QChar::fromUcs4(c));
        }
    }
    return folded;
}

} // namespace kvx
