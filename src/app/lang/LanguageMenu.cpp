#include "lang/LanguageMenu.h"

#include "about/FRMabout.h"
#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "dialogs/DialogService.h"
#include "lang/InterfaceLanguage.h"
#include "lang/LanguageList.h"
#include "lang/LanguageTemplate.h"
#include "lang/TranslateForm.h"
#include "util/ProgramFolders.h"
#include "util/UserSettings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
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
                           InterfaceLanguage& language, const QString& programDir, QObject* parent)
    : QObject(parent), m_controls(controls), m_dialogs(dialogs), m_language(language),
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
        m_shell = std::make_unique<ShellOpen>(*m_launcher, m_dialogs, m_language.texts());
    return *m_shell;
}

void LanguageMenu::ListLanguageFiles()
{
    m_languages = ListLanguages(languageFolders(m_programDir));

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

void LanguageMenu::applySavedLanguage()
{
    const QString saved = UserSettings().languageFile();
    if (saved.isEmpty())
        return;
    for (const LanguageItem& item : ListLanguages(languageFolders(m_programDir))) {
        if (QFileInfo(item.path).fileName() == saved) {
            applyLanguage(item.path);
            return;
        }
    }
}

void LanguageMenu::MNlangueChoice_Click(int index)
{
    // "#", the item shown when there is no language file, applies nothing.
    if (index < 0 || index >= m_languages.size()) {
        markLanguageInUse(); // a triggered item flips its own mark
        return;
    }
    applyLanguage(m_languages.at(index).path);
    UserSettings().setLanguage(m_fileInUse, m_language.qtLocale());
}

void LanguageMenu::applyLanguage(const QString& file)
{
    TranslateForm(m_controls.window, file);
    m_language.apply(file);
    m_fileInUse = QFileInfo(file).fileName();
    m_pathInUse = file;
    markLanguageInUse();
    Q_EMIT languageApplied(file);
}

void LanguageMenu::MNlangueOther_Click()
{
    // The user edits a copy of the template in their own language folder,
    // which the menu lists wherever the program is installed.
    const QString path = editableLanguageTemplate(m_programDir);
    const QString folder = userLanguageFolder(m_programDir);
    m_dialogs.MsgBox(m_language.texts()
                         .text(Msg::LanguageHowTo)
                         .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(folder)),
                     QStringLiteral("KVX"), MessageIcon::Information);
    shell().ShellOpenDocument(path, 1, {}, {}, QStringLiteral("open"), m_controls.window);
}

void LanguageMenu::mnuabout_Click()
{
    FRMabout about(shell(), m_programDir, m_controls.window);
    if (!m_pathInUse.isEmpty())
        TranslateForm(&about, m_pathInUse);
    about.exec();
}

} // namespace kvx
