#pragma once

#include "lang/MessageTexts.h"

#include <QString>
#include <memory>

class QTranslator;

namespace kvx {

// The interface's language beyond the window's captions: the program's own
// messages, the texts of Qt's own dialogs (file, folder, colour and print
// dialogs, message box buttons) from Qt's translation catalogues, and the
// order of names in folder listings. It starts
// in French; a language file names the Qt locale of its language in
//   [Language]
//   QtLocale = en
// and a file without that key leaves Qt's dialogs as they are.
class InterfaceLanguage
{
public:
    static constexpr const char* LanguageSection = "Language";
    static constexpr const char* QtLocaleKey = "QtLocale";

    InterfaceLanguage();
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage&) = delete;
    InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;

    [[nodiscard]] const MessageTexts& texts() const { return m_texts; }
    [[nodiscard]] const QString& qtLocale() const { return m_qtLocale; }

    // Takes the messages and the Qt locale of a language file; a missing
    // file changes nothing.
    void apply(const QString& languageFile);
    // Qt's dialogs speak this locale from now on ("fr", "en", "de_DE"...),
    // or English, Qt's own language, when Qt has no catalogue for it; names
    // are listed in its order.
    void setQtLocale(const QString& locale);

private:
    MessageTexts m_texts;
    QString m_qtLocale;
    std::unique_ptr<QTranslator> m_qtTexts;
};

} // namespace kvx
