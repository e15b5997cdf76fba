#pragma once

#include <QString>

class QWidget;

namespace kvx {

// The program's message boxes with one OK button, behind an interface so that
// tests can script them.
class MessageBoxes
{
public:
    enum class Icon { Information, Critical };

    virtual ~MessageBoxes() = default;
    virtual void showMessage(QWidget* parent, Icon icon, const QString& title,
                             const QString& text) = 0;
};

// Real modal message boxes.
class QtMessageBoxes : public MessageBoxes
{
public:
    void showMessage(QWidget* parent, Icon icon, const QString& title,
                     const QString& text) override;
};

} // namespace kvx
