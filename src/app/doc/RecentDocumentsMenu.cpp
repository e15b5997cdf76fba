#include "doc/RecentDocumentsMenu.h"

#include "lang/MessageTexts.h"
#include "util/UserSettings.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace kvx {

RecentDocumentsMenu::RecentDocumentsMenu(QMenu* menu, const MessageTexts& texts, QObject* parent)
    : QObject(parent), m_menu(menu), m_texts(texts)
{
    connect(m_menu, &QMenu::aboutToShow, this, &RecentDocumentsMenu::refresh);
    refresh();
}

void RecentDocumentsMenu::refresh()
{
    m_menu->clear();
    const QStringList documents = UserSettings().recentDocuments();
    for (qsizetype i = 0; i < documents.size(); ++i) {
        const QString path = documents.at(i);
        // "&1 /home/me/Disque 12.kvx": the number is the access key.
        const QString shown = QDir::toNativeSeparators(path).replace(u'&', QLatin1String("&&"));
        QAction* item = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(item, &QAction::triggered, this, [this, path] { Q_EMIT openRequested(path); });
    }
    if (documents.isEmpty())
        m_menu->addAction(m_texts.text(Msg::NoRecent))->setEnabled(false);
}

} // namespace kvx
