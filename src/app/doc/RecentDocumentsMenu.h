#pragma once

#include <QObject>
#include <QString>

class QMenu;

namespace kvx {

class MessageTexts;

// "Documents récents": the last documents opened or saved (the user's
// settings keep them), the latest first, each under its full path. The menu
// is filled each time it opens; without documents it shows one item that
// does nothing.
class RecentDocumentsMenu : public QObject
{
    Q_OBJECT

public:
    RecentDocumentsMenu(QMenu* menu, const MessageTexts& texts, QObject* parent = nullptr);

    // Fills the menu from the settings.
    void refresh();

Q_SIGNALS:
    // The user chose a document.
    void openRequested(const QString& path);

private:
    QMenu* m_menu;
    const MessageTexts& m_texts;
};

} // namespace kvx
