#include "lang/LanguageFile.h"

namespace kvx {

namespace {

// Never leaves half of a surrogate pair at the end.
QString cut(QString text)
{
    if (text.size() > kTranslationMaxLength) {
        qsizetype length = kTranslationMaxLength;
        if (text.at(length - 1).isHighSurrogate())
            --length;
        text.truncate(length);
    }
    return text;
}

} // namespace

std::optional<LanguageFile> LanguageFile::load(const QString& path)
{
    std::optional<IniFile> ini = IniFile::load(path);
    if (!ini)
        return std::nullopt;
    return LanguageFile(std::move(*ini));
}

QString LanguageFile::ReadTranslation(const QString& strSection, const QString& strKey,
                                      const QString& strDefault) const
{
    if (!strKey.trimmed().isEmpty()) {
        if (std::optional<QString> found = m_ini.find(strSection, strKey.trimmed()))
            return cut(*found);
    }
    qsizetype end = strDefault.size();
    while (end > 0 && strDefault.at(end - 1) == QLatin1Char(' '))
        --end;
    return cut(strDefault.left(end));
}

QString ReadTranslation(const QString& strFile, const QString& strSection, const QString& strKey,
                        const QString& strDefault)
{
    return LanguageFile::load(strFile)
        .value_or(LanguageFile())
        .ReadTranslation(strSection, strKey, strDefault);
}

QString shownCaption(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            text.append(caption.at(i));
        else if (i + 1 < caption.size() && caption.at(i + 1) == u'&')
            text.append(caption.at(++i));
    }
    return text;
}

QString captionKey(const QString& controlName)
{
    return controlName + QStringLiteral(".Caption");
}

QString toolTipKey(const QString& controlName)
{
    return controlName + QStringLiteral(".ToolTipText");
}

QString accessibleNameKey(const QString& controlName)
{
    return controlName + QStringLiteral(".AccessibleName");
}

} // namespace kvx
