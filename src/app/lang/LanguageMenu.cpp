#include "lang/LanguageMenu.h"

#include "about/FRMabout.h"
#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "dialogs/DialogService.h"
#include "lang/LanguageList.h"
#include "lang/LanguageTemplate.h"
#include "lang/TranslateForm.h"
#include "util/ProgramFolders.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <utility>

namespace kvx {

namespace {

// The language the interface starts in: that of the translators' template.
const QString kStartLanguage = QStringLiteral("Francais.lng");

QString choiceName(qsizetype index)
{
    return QStringLiteral("MNlangueChoice(%1)").arg(index);
}

} // namespace

LanguageMenu::LanguageMenu(const LanguageControls& controls, DialogService& dialogs,
                           const QString& programDir, QObject* parent)
    : QObject(parent), m_controls(controls), m_dialogs(dialogs),
      m_programDir(programDir), m_choices{controls.firstChoice}, m_fileInUse(kStartLanguage),
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
    m_languages = ListLanguages(languageFolders(m_programDir));
    m_controls.FileLNG->clear();
    for (const LanguageItem& language : std::as_const(m_languages))
        m_controls.FileLNG->addItem(QFileInfo(language.path).fileName());

    for (qsizetype i = 0; i < m_languages.size(); ++i) {
        if (size_t(i) >= m_choices.size()) {
            auto* item = new QAction(m_controls.MNlangue);
            item->setObjectName(choiceName(i));
            item->setFont(m_controls.firstChoice->font());
            m_controls.MNlangue->insertAction(m_controls.choicesEnd, item);
            connect(item, &QAction::triggered, this, [this, i] { MNlangueChoice_Click(int(i)); });
            m_choices.push_back(item);
        }
        m_choices.at(size_t(i))->setText(m_languages.at(i).caption);
    }
    markLanguageInUse();
}

void LanguageMenu::markLanguageInUse()
{
    for (size_t i = 0; i < m_choices.size(); ++i) {
        m_choices.at(i)->setCheckable(true);
        m_choices.at(i)->setChecked(qsizetype(i) < m_languages.size() &&
                                    QFileInfo(m_languages.at(qsizetype(i)).path).fileName() ==
                                        m_fileInUse);
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
    // "#", the item shown when there is no language file, applies nothing.
    if (index < 0 || index >= m_languages.size()) {
        markLanguageInUse(); // a triggered item flips its own mark
        return;
    }
    const QString file = m_languages.at(index).path;
    TranslateForm(m_controls.window, file);
    m_fileInUse = QFileInfo(file).fileName();
    markLanguageInUse();
    Q_EMIT languageApplied(file);
}

void LanguageMenu::MNlangueOther_Click()
{
    // An installed program's folder is read-only: the user edits a copy of
    // the template in their own language folder, which the menu also lists.
    const QString path = editableLanguageTemplate(m_programDir);
    const QString folder = userLanguageFolder(m_programDir);
    const QString where = folder == m_programDir || folder.isEmpty()
                              ? QStringLiteral("the application folder ")
                              : QStringLiteral("the folder\n\n") + folder + QStringLiteral("\n\n");
    const QString text = QStringLiteral("Translate this file \n\n") + path +
                         QStringLiteral("\n\nand save it in ") + where +
                         QStringLiteral("like this :\n"
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
