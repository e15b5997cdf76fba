#include "dialogs/cOpen.h"

#include "dialogs/FileFilter.h"
#include "tree/SystemColours.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace kvx {

namespace {

// "Description (patterns)" as Qt's file dialog reads a filter; the pattern
// part is hidden, so the user sees the description as given.
QStringList qtNameFilters(const std::vector<FilterPair>& pairs)
{
    QStringList filters;
    for (const FilterPair& pair : pairs) {
        QString patterns = pair.patterns;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(pair.description + QStringLiteral(" (") + patterns.simplified() +
                       QLatin1Char(')'));
    }
    return filters;
}

} // namespace

cOpen::cOpen(QString programDir) : m_programDir(std::move(programDir)) {}

qint32 cOpen::ShowColor()
{
    // Every call starts from sixteen black custom colours.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::black);
    QColorDialog dialog(MehWnd());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return qint32(fromQColor(dialog.selectedColor()));
}

QString cOpen::showFileDialog(bool save, const QString& filter, const QString& title,
                              const QString& iniPath)
{
    const std::vector<FilterPair> pairs = parseFilter(filter);
    QFileDialog dialog(MehWnd(), title, initialFolder(iniPath, m_programDir));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // an open dialog accepts a new name too
    const QStringList filters = qtNameFilters(pairs);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (m_selectedFilter >= 1 && m_selectedFilter <= filters.size())
            dialog.selectNameFilter(filters.at(m_selectedFilter - 1));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    // With the pattern part hidden, the dialog may name the filter by its
    // description alone.
    const QString selected = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (filters[i] == selected || pairs[size_t(i)].description.trimmed() == selected) {
            m_selectedFilter = int(i) + 1;
            break;
        }
    }
    return dialog.selectedFiles().constFirst().trimmed();
}

QString cOpen::ShowOpen(const QString& filter, const QString& title, const QString& iniPath)
{
    return showFileDialog(false, openDialogFilter(filter), title, iniPath);
}

QString cOpen::ShowSave(const QString& filter, const QString& title, const QString& iniPath)
{
    const QString shown = saveDialogFilter(filter);
    const QString path = showFileDialog(true, shown, title, iniPath);
    if (path.isEmpty())
        return {};
    return applySaveExtension(path, shown, qMax(1, m_selectedFilter));
}

QString cOpen::BrowseFolder(const QString& title)
{
    QFileDialog dialog(MehWnd(), title, QDir::homePath());
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> cOpen::InputBox(const QString& prompt, const QString& title,
                                       const QString& defaultText)
{
    QInputDialog dialog(MehWnd());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // Wide enough for the whole text, as far as the screen allows: the field
    // grows with the dialog, less the dialog's margins.
    const QScreen* screen = MehWnd() ? MehWnd()->screen() : QGuiApplication::primaryScreen();
    const int text = dialog.fontMetrics().horizontalAdvance(defaultText + QStringLiteral("MMMMMM"));
    const int room = screen ? screen->availableGeometry().width() * 3 / 4 : text;
    dialog.resize(std::max(dialog.sizeHint().width(), std::min(text, room)),
                  dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

MessageResult cOpen::MsgBox(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons)
{
    QMessageBox box(MehWnd());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    MessageResult onClose = MessageResult::Ok;
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        onClose = MessageResult::Cancel;
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        onClose = MessageResult::No;
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        onClose = MessageResult::Cancel;
        break;
    case MessageButtons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        onClose = MessageResult::Cancel;
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
    case QMessageBox::Save:
        return MessageResult::Yes;
    case QMessageBox::No:
    case QMessageBox::Discard:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return onClose;
    }
}

} // namespace kvx
