#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

namespace kvx {

// What outlives a run, in the one store of the user's settings
// ($XDG_CONFIG_HOME/kvx/kvx.conf): the folder of the last document opened or
// saved, the recent documents, and the language the window was last used in.
// Each value is read from and written to the store when asked, so every
// window and run of the program sees the others' changes.
class UserSettings
{
public:
    static constexpr int MaxRecentDocuments = 5;

    UserSettings();

    // Empty until a document was opened or saved.
    [[nodiscard]] QString lastFolder() const;
    void setLastFolder(const QString& folder);

    // The last documents opened or saved, the latest first, each once.
    [[nodiscard]] QStringList recentDocuments() const;
    // Puts the document first (and its folder as the last folder).
    void addRecentDocument(const QString& path);
    void removeRecentDocument(const QString& path);

    // The file name of the language in use ("English.lng"), empty for the
    // built-in French, and the locale it names ("en"; kStartLocale for the built-in).
    [[nodiscard]] QString languageFile() const;
    [[nodiscard]] QString languageLocale() const;
    void setLanguage(const QString& file, const QString& locale);

private:
    QSettings m_store;
};

} // namespace kvx
