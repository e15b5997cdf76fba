#include "lang/LanguageMenu.h"

#include "about/FRMabout.h"
#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "dialogs/DialogService.h"
#include "lang/TranslateForm.h"
#include "tree/FolderLister.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

namespace kvx {

namespace {

const QString kTemplateName = QStringLiteral("Francais.lng");

QString choiceName(qsizetype index)
{
    return QStringLiteral("MNlangueChoice(%1)").arg(index);
}

// A file name shown as a menu caption keeps its ampersands; the caption read
// back names the file as shown.
QString captionForFile(QString fileName)
{
    return fileName.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString fileForCaption(const QString& caption)
{
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        else if (caption.at(i) == QLatin1Char('&'))
            continue;
        name.append(caption.at(i));
    }
    return name;
}

} // namespace

LanguageMenu::LanguageMenu(const LanguageControls& controls, DialogService& dialogs,
                           const QString& programDir, QObject* parent)
    : QObject(parent), m_controls(controls), m_dialogs(dialogs),
      m_programDir(programDir), m_choices{controls.firstChoice}, m_fileInUse(kTemplateName),
      m_ownLauncher(std::make_unique<XdgOpenLauncher>()), m_launcher(m_ownLauncher.get())
{
    connect(m_controls.cmdTranslate, &QPushButton::clicked, this,
            &LanguageMenu::cmdTranslate_Click);
    connect(m_controls.firstChoice, &QAction::triggered, this, [this] { MNlangueChoice_Click(0); });
    connect(m_controls.MNlangueOther, &QAction::triggered, this,
            &LanguageMenu::MNlangueOther_Click);
    connect(m_controls.mnuabout, &QAction::triggered, this, &LanguageMenu::mnuabout_Click);
}

LanguageMenu::~LanguageMenu() = default;

void LanguageMenu::setShellLauncher(ShellLauncher* launcher)
{
    m_launcher = launcher ? launcher : m_ownLauncher.get();
    m_shell.reset();
}

ShellOpen& LanguageMenu::shell()
{
    // Made on first use: the window's dialog service may be given late.
    if (!m_shell)
        m_shell = std::make_unique<ShellOpen>(*m_launcher, m_dialogs);
    return *m_shell;
}

void LanguageMenu::ListLanguageFiles()
{
    QDir folder(m_programDir);
    QStringList names = folder.entryList({QStringLiteral("*.lng")}, QDir::Files);
    std::sort(names.begin(), names.end(), nameBefore);
    m_controls.FileLNG->clear();
    m_controls.FileLNG->addItems(names);

    for (qsizetype i = 0; i < names.size(); ++i) {
        if (size_t(i) >= m_choices.size()) {
            auto* item = new QAction(m_controls.MNlangue);
            item->setObjectName(choiceName(i));
            item->setFont(m_controls.firstChoice->font());
            m_controls.MNlangue->insertAction(m_controls.choicesEnd, item);
            connect(item, &QAction::triggered, this, [this, i] { MNlangueChoice_Click(int(i)); });
            m_choices.push_back(item);
        }
        m_choices.at(size_t(i))->setText(captionForFile(names.at(i)));
    }
    markLanguageInUse();
}

void LanguageMenu::markLanguageInUse()
{
    for (QAction* choice : m_choices) {
        choice->setCheckable(true);
        choice->setChecked(fileForCaption(choice->text()) == m_fileInUse);
    }
}

QPoint LanguageMenu::menuPosition() const
{
    const QPushButton* button = m_controls.cmdTranslate;
    return button->mapToGlobal(QPoint(0, button->height()));
}

void LanguageMenu::cmdTranslate_Click()
{
    m_controls.MNlangue->popup(menuPosition());
}

void LanguageMenu::MNlangueChoice_Click(int index)
{
    if (index < 0 || size_t(index) >= m_choices.size())
        return;
    const QString name = fileForCaption(m_choices.at(size_t(index))->text());
    const QString file = m_programDir + QLatin1Char('/') + name;
    if (!QFileInfo(file).isFile()) {
        markLanguageInUse(); // a triggered item flips its own mark
        return;
    }
    TranslateForm(m_controls.window, file);
    m_fileInUse = name;
    markLanguageInUse();
    Q_EMIT languageApplied(file);
}

void LanguageMenu::MNlangueOther_Click()
{
    const QString path = m_programDir + QLatin1Char('/') + kTemplateName;
    const QString text = QStringLiteral("Translate this file \n\n") + path +
                         QStringLiteral("\n\nand save it in the application folder like this :\n"
                                        "your country's name .LNG\n\n"
                                        "It will apear in the translate menu");
    m_dialogs.MsgBox(text, QStringLiteral("KVX"), MessageIcon::Information);
    shell().ShellOpenDocument(path, 1, {}, {}, QStringLiteral("open"), m_controls.window);
}

void LanguageMenu::mnuabout_Click()
{
    FRMabout about(shell(), m_controls.window);
    about.exec();
}

} // namespace kvx
