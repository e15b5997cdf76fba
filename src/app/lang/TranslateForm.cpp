#include "lang/TranslateForm.h"

#include "lang/LanguageFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace kvx {

namespace {

const QString kSeparatorCaption = QStringLiteral("-");

// Qt's own inner widgets (scroll bars, viewports) are not the window's controls.
bool isControlName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QString labelCaption(const QString& text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void translateAction(const LanguageFile& file, const QString& section, QAction* action)
{
    const QString name = action->objectName();
    const QString current = action->isSeparator() ? kSeparatorCaption : action->text();
    const QString caption = file.ReadTranslation(section, captionKey(name), current);
    if (caption == current)
        return;
    // A menu caption "-" makes the item a separator, and any other caption
    // makes it an item again.
    action->setSeparator(caption == kSeparatorCaption);
    if (caption != kSeparatorCaption)
        action->setText(caption);
}

void translateWidget(const LanguageFile& file, const QString& section, QWidget* widget)
{
    const QString name = widget->objectName();
    const auto caption = [&](const QString& current) {
        return file.ReadTranslation(section, captionKey(name), current);
    };
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(caption(menu->title()));
        return; // menus carry no tool tip
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(caption(button->text()));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(shownCaption(caption(labelCaption(label->text())))); // as a button shows it
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(caption(group->title()));
    widget->setToolTip(file.ReadTranslation(section, toolTipKey(name), widget->toolTip()));
    widget->setAccessibleName(
        file.ReadTranslation(section, accessibleNameKey(name), widget->accessibleName()));
}

} // namespace

void TranslateForm(QWidget* frm, const QString& strFile)
{
    const std::optional<LanguageFile> loaded = LanguageFile::load(strFile);
    if (!frm || !loaded)
        return;
    const LanguageFile& file = *loaded;
    const QString section = frm->objectName();
    const QString title = frm->windowTitle();
    frm->setWindowTitle(file.ReadTranslation(section, title, title));

    for (QObject* object : frm->findChildren<QObject*>()) {
        if (!isControlName(object->objectName()))
            continue;
        if (auto* action = qobject_cast<QAction*>(object))
            translateAction(file, section, action);
        else if (auto* widget = qobject_cast<QWidget*>(object))
            translateWidget(file, section, widget);
    }
}

} // namespace kvx
