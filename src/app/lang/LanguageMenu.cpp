#include "lang/LanguageMenu.h"

#include "about/FRMabout.h"
#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "app/frMain.h"
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

QString choiceName(int index)
{
    return QStringLiteral("MNlangueChoice(%1)").arg(index);
}

} // namespace

LanguageMenu::LanguageMenu(frMain& window)
    : QObject(&window), m_window(window), m_ownLauncher(std::make_unique<XdgOpenLauncher>()),
      m_launcher(m_ownLauncher.get())
{
    setObjectName(QStringLiteral("LanguageMenu"));
    if (auto* button = window.control<QPushButton>(QStringLiteral("cmdTranslate")))
        connect(button, &QPushButton::clicked, this, &LanguageMenu::cmdTranslate_Click);
    if (auto* first = window.control<QAction>(choiceName(0)))
        connect(first, &QAction::triggered, this, [this] { MNlangueChoice_Click(0); });
    if (auto* other = window.control<QAction>(QStringLiteral("MNlangueOther")))
        connect(other, &QAction::triggered, this, &LanguageMenu::MNlangueOther_Click);
    if (auto* about = window.control<QAction>(QStringLiteral("mnuabout")))
        connect(about, &QAction::triggered, this, &LanguageMenu::mnuabout_Click);
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
        m_shell = std::make_unique<ShellOpen>(*m_launcher, m_window.dialogs());
    return *m_shell;
}

void LanguageMenu::ListLanguageFiles()
{
    m_languages = ListLanguages(languageFolders(m_window.programDir()));
    if (auto* list = m_window.control<QListWidget>(QStringLiteral("FileLNG"))) {
        list->clear();
        for (const LanguageItem& language : std::as_const(m_languages))
            list->addItem(QFileInfo(language.path).fileName());
    }

    QMenu* menu = m_window.MNlangue();
    QAction* separator = m_window.control<QAction>(QStringLiteral("MNlangueSep"));
    for (int i = 0; i < m_languages.size(); ++i) {
        QAction* item = m_window.control<QAction>(choiceName(i));
        if (!item) {
            item = new QAction(&m_window);
            item->setObjectName(choiceName(i));
            menu->insertAction(separator, item);
            connect(item, &QAction::triggered, this, [this, i] { MNlangueChoice_Click(i); });
        }
        item->setText(m_languages.at(i).caption);
    }
}

QPoint LanguageMenu::menuPosition() const
{
    const auto* frame = m_window.control<QWidget>(QStringLiteral("FraTb(0)"));
    const auto* button = m_window.control<QWidget>(QStringLiteral("cmdTranslate"));
    if (!frame || !button)
        return m_window.mapToGlobal(QPoint());
    return m_window.mapToGlobal(frame->pos() + button->pos() + QPoint(0, button->height()));
}

void LanguageMenu::cmdTranslate_Click()
{
    m_window.MNlangue()->popup(menuPosition());
}

void LanguageMenu::MNlangueChoice_Click(int index)
{
    // "#", the item shown when there is no language file, applies nothing.
    if (index < 0 || index >= m_languages.size())
        return;
    TranslateForm(&m_window, m_languages.at(index).path);
}

void LanguageMenu::MNlangueOther_Click()
{
    // An installed program's folder is read-only: the user edits a copy of
    // the template in their own language folder, which the menu also lists.
    const QString path = editableLanguageTemplate(m_window.programDir());
    const QString folder = userLanguageFolder(m_window.programDir());
    const QString where = folder == m_window.programDir() || folder.isEmpty()
                              ? QStringLiteral("the application folder ")
                              : QStringLiteral("the folder\n\n") + folder + QStringLiteral("\n\n");
    const QString text = QStringLiteral("Translate this file \n\n") + path +
                         QStringLiteral("\n\nand save it in ") + where +
                         QStringLiteral("like this :\n"
                                        "your country's name .LNG\n\n"
                                        "It will apear in the translate menu");
    m_window.dialogs().MsgBox(text, QStringLiteral("KVX"), MessageIcon::Information);
    shell().ShellOpenDocument(path, 1, {}, {}, QStringLiteral("open"), &m_window);
}

void LanguageMenu::mnuabout_Click()
{
    FRMabout about(shell(), &m_window);
    about.exec();
}

void connectLanguageMenu(frMain& window)
{
    auto* menu = new LanguageMenu(window);
    window.setLanguageFilesLister([menu] { menu->ListLanguageFiles(); });
}

} // namespace kvx
