#include "tree/WildcardList.h"

#include <QStringList>

namespace kvx {

namespace {

QString itemExpression(const QString& item)
{
    if (item == QLatin1String("*.*"))
        return QStringLiteral(".*");
    QString expression;
    QString literal;
    auto flush = [&] {
        expression += QRegularExpression::escape(literal);
        literal.clear();
    };
    for (const QChar c : item) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?')) {
            flush();
            expression += c == QLatin1Char('*') ? QLatin1String(".*") : QLatin1String(".");
        } else {
            literal += c;
        }
    }
    flush();
    return expression;
}

} // namespace

WildcardList::WildcardList(const QString& patterns)
{
    QStringList alternatives;
    const QStringList items = patterns.split(QLatin1Char(';'));
    for (const QString& item : items) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            alternatives.append(itemExpression(trimmed));
    }
    if (alternatives.isEmpty())
        return;
    m_regex.setPattern(QLatin1String("\\A(?:") + alternatives.join(QLatin1Char('|')) +
                       QLatin1String(")\\z"));
    m_regex.setPatternOptions(QRegularExpression::CaseInsensitiveOption |
                              QRegularExpression::DotMatchesEverythingOption);
    m_regex.optimize();
}

bool WildcardList::matches(const QString& name) const
{
    return !isEmpty() && m_regex.match(name).hasMatch();
}

} // namespace kvx
