#include "util/UserSettings.h"

#include "tree/NameOrder.h"

#include <QFileInfo>

namespace kvx {

namespace {

const QString kLastFolder = QStringLiteral("documents/lastFolder");
const QString kRecent = QStringLiteral("documents/recent");
const QString kLanguageFile = QStringLiteral("language/file");
const QString kLanguageLocale = QStringLiteral("language/locale");

} // namespace

UserSettings::UserSettings()
    : m_store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kvx"),
              QStringLiteral("kvx"))
{
}

QString UserSettings::lastFolder() const
{
    return m_store.value(kLastFolder).toString();
}

void UserSettings::setLastFolder(const QString& folder)
{
    m_store.setValue(kLastFolder, folder);
}

QStringList UserSettings::recentDocuments() const
{
    QStringList recent = m_store.value(kRecent).toStringList();
    recent.removeAll(QString());
    recent.removeDuplicates();
    return recent.mid(0, MaxRecentDocuments);
}

void UserSettings::addRecentDocument(const QString& path)
{
    const QString document = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentDocuments();
    recent.removeAll(document);
    recent.prepend(document);
    m_store.setValue(kRecent, recent.mid(0, MaxRecentDocuments));
    setLastFolder(QFileInfo(document).absolutePath());
}

void UserSettings::removeRecentDocument(const QString& path)
{
    QStringList recent = recentDocuments();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    m_store.setValue(kRecent, recent);
}

QString UserSettings::languageFile() const
{
    return m_store.value(kLanguageFile).toString();
}

QString UserSettings::languageLocale() const
{
    return m_store.value(kLanguageLocale, QString::fromLatin1(kStartLocale)).toString();
}

void UserSettings::setLanguage(const QString& file, const QString& locale)
{
    m_store.setValue(kLanguageFile, file);
    m_store.setValue(kLanguageLocale, locale);
}

} // namespace kvx
