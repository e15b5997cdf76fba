#include "lang/InterfaceLanguage.h"

#include "lang/LanguageFile.h"
#include "tree/NameOrder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kvx {

InterfaceLanguage::InterfaceLanguage()
{
    setQtLocale(QString::fromLatin1(kStartLocale));
}

InterfaceLanguage::~InterfaceLanguage()
{
    if (m_qtTexts)
        QCoreApplication::removeTranslator(m_qtTexts.get());
}

void InterfaceLanguage::apply(const QString& languageFile)
{
    const std::optional<LanguageFile> file = LanguageFile::load(languageFile);
    if (!file)
        return;
    m_texts.apply(*file);
    const QString locale = file->ReadTranslation(QString::fromLatin1(LanguageSection),
                                                 QString::fromLatin1(QtLocaleKey), QString())
                               .trimmed();
    if (!locale.isEmpty())
        setQtLocale(locale);
}

void InterfaceLanguage::setQtLocale(const QString& locale)
{
    m_qtLocale = locale;
    setNameOrderLocale(QLocale(locale));
    if (m_qtTexts)
        QCoreApplication::removeTranslator(m_qtTexts.get());
    // Qt's catalogue of its base module holds the texts of its dialogs.
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(texts.get()))
        m_qtTexts = std::move(texts);
    else
        m_qtTexts.reset();
}

} // namespace kvx
