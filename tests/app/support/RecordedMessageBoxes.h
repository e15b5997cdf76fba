#pragma once

#include "about/MessageBoxes.h"

#include <QList>
#include <QString>

// Records the message boxes instead of showing them.
class RecordedMessageBoxes : public kvx::MessageBoxes
{
public:
    struct Box
    {
        QWidget* parent;
        Icon icon;
        QString title;
        QString text;
    };

    void showMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) override
    {
        boxes.append({parent, icon, title, text});
    }

    QList<Box> boxes;
};
