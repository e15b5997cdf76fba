#pragma once

#include "catalogue/DiscReading.h"

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

namespace kvx {

class MessageTexts;

// Reads a disc whole on a worker thread and records it in the catalogue,
// showing a progress box over `owner` whose cancel button stops the reading:
// nothing is recorded then. The window stays live meanwhile; the tree is
// never touched from the worker.
class DiscCataloguing : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        bool cancelled = false;
        std::optional<qint64> id; // the disc's number once recorded
        qint64 same = 0;          // a disc recorded meanwhile as the same disc
        qint64 unreadable = 0;    // folders that could not be read
        qint64 entries = 0;
        QString error; // why nothing was recorded
    };

    DiscCataloguing(const QString& cataloguePath, const MessageTexts& texts,
                    QObject* parent = nullptr);

    // Returns once the disc is recorded, the user cancelled or it failed.
    Outcome run(DiscToRead disc, bool replace, QWidget* owner);

Q_SIGNALS:
    // The reading's counts so far, in the window's thread.
    void progressed(qint64 folders, qint64 files);

private:
    QString m_path;
    const MessageTexts& m_texts;
};

} // namespace kvx
