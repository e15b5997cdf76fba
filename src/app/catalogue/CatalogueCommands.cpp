#include "catalogue/CatalogueCommands.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/DiscCataloguing.h"
#include "catalogue/RecordedDisc.h"
#include "dialogs/DialogService.h"
#include "doc/TreeDocumentCommands.h"
#include "history/TreeHistory.h"
#include "image/DiscImage.h"
#include "lang/MessageTexts.h"
#include "lang/TranslateForm.h"
#include "tree/BusyEventPump.h"
#include "tree/ScanHooks.h"
#include "workspace/TreeSource.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

namespace kvx {

CatalogueCommands::CatalogueCommands(const CatalogueControls& controls, Workspace& workspace,
                                     BusyEventPump& pump, TreeDocumentCommands& documents,
                                     DialogService& dialogs, const MessageTexts& texts,
                                     QObject* parent)
    : QObject(parent), m_controls(controls), m_workspace(workspace), m_pump(pump),
      m_documents(documents), m_dialogs(dialogs), m_texts(texts), m_path(Catalogue::defaultPath())
{
    connect(controls.mnuCatalogueDisc, &QAction::triggered, this,
            &CatalogueCommands::mnuCatalogueDisc_Click);
    connect(controls.mnuCatalogue, &QAction::triggered, this,
            &CatalogueCommands::mnuCatalogue_Click);
    connect(controls.mnuOpenImage, &QAction::triggered, this,
            &CatalogueCommands::mnuOpenImage_Click);
}

CatalogueCommands::~CatalogueCommands() = default;

void CatalogueCommands::sayError(const QString& text)
{
    m_dialogs.MsgBox(text, QStringLiteral("KVX"), MessageIcon::Exclamation);
}

void CatalogueCommands::takeLanguage(const QString& file)
{
    m_languageFile = file;
    if (m_window) {
        TranslateForm(m_window, file);
        m_window->retranslate();
    }
}

void CatalogueCommands::mnuCatalogue_Click()
{
    if (!m_window) {
        m_window = new CatalogueWindow(m_path, m_dialogs, m_texts, m_controls.window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setFont(m_controls.window->font());
        if (!m_languageFile.isEmpty())
            takeLanguage(m_languageFile);
        connect(m_window, &CatalogueWindow::hitOpened, this, &CatalogueCommands::openHit);
    }
    m_window->refresh();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void CatalogueCommands::mnuOpenImage_Click()
{
    if (m_pump.busy() || !m_documents.saveOrDiscardChanges())
        return;
    const QString path =
        m_dialogs.ShowOpen(m_texts.text(Msg::ImageFilter) + QStringLiteral("|*.iso"),
                           m_texts.text(Msg::OpenImageTitle), QDir::homePath());
    if (path.isEmpty())
        return;
    QString error;
    std::unique_ptr<DiscImage> image;
    {
        BusyGuard busy(m_pump);
        image = DiscImage::open(path, &error);
    }
    if (!image) {
        sayError(m_texts.text(Msg::ImageFailed).arg(QDir::toNativeSeparators(path), error));
        return;
    }
    m_controls.txtStartPath->setText(image->path());
    m_workspace.BuildTree(std::move(image));
    Q_EMIT treeBuilt();
}

bool CatalogueCommands::openHit(qint64 disc, const QString& path, bool folder)
{
    if (m_pump.busy() || !m_documents.saveOrDiscardChanges())
        return false;
    QString error;
    std::unique_ptr<RecordedDisc> recorded;
    {
        BusyGuard busy(m_pump);
        const std::unique_ptr<Catalogue> catalogue =
            Catalogue::open(m_path, Catalogue::Use::Read, &error);
        if (catalogue)
            recorded = RecordedDisc::load(*catalogue, disc, &error);
    }
    if (!recorded) {
        sayError(m_texts.text(Msg::CatalogueFailed).arg(error));
        return false;
    }
    m_controls.txtStartPath->setText(recorded->record().source);
    m_workspace.BuildTree(std::move(recorded));
    m_workspace.cover.discId = discIdentifier(disc);
    openDownTo(folder ? path : path.section(u'/', 0, -2));
    Q_EMIT treeBuilt();
    m_controls.window->activateWindow();
    return true;
}

void CatalogueCommands::openDownTo(const QString& relativePath)
{
    NodeTree& tree = m_workspace.tree();
    if (tree.roots().empty())
        return;
    Node* node = tree.roots().front();
    {
        BulkChange bulk(tree);
        QString key = node->key();
        for (const QString& name : relativePath.split(u'/', Qt::SkipEmptyParts)) {
            tree.setExpanded(node, true);
            key += name + u'/';
            Node* child = tree.findByKey(key);
            if (!child)
                break;
            node = child;
        }
        tree.setExpanded(node, true);
    }
    tree.setSelectedItem(node);
}

void CatalogueCommands::mnuCatalogueDisc_Click()
{
    if (m_pump.busy())
        return;
    const NodeTree& tree = m_workspace.tree();
    const TreeSource* source = m_workspace.source();
    QString start;
    if (source && source->image())
        start = source->image()->path();
    else if (source && source->record())
        start = source->record()->record().source;
    else if (!tree.roots().empty())
        start = tree.roots().front()->key();
    if (start.size() > 1 && start.endsWith(u'/'))
        start.chop(1);
    if (start.isEmpty()) {
        sayError(m_texts.text(Msg::NoDiscToCatalogue));
        return;
    }

    QString error;
    std::optional<DiscToRead> disc;
    {
        BusyGuard busy(m_pump);
        disc = openDiscToRead(start, &error);
    }
    if (!disc) {
        sayError(m_texts.text(Msg::CatalogueFailed).arg(error));
        return;
    }
    const QString title = m_texts.text(Msg::CatalogueDiscTitle);
    const std::optional<QString> name =
        m_dialogs.InputBox(m_texts.text(Msg::DiscNamePrompt).arg(QDir::toNativeSeparators(start)),
                           title, disc->record.name);
    if (!name || name->trimmed().isEmpty())
        return;
    const std::optional<QString> note =
        m_dialogs.InputBox(m_texts.text(Msg::DiscNotePrompt), title, QString());
    if (!note)
        return;
    disc->record.name = name->trimmed();
    disc->record.note = note->trimmed();
    disc->record.added = QDateTime::currentDateTimeUtc();

    // The same disc again: replace its record only when the user says so.
    bool replace = false;
    {
        const std::unique_ptr<Catalogue> catalogue =
            Catalogue::open(m_path, Catalogue::Use::Read, &error);
        const std::optional<qint64> same =
            catalogue ? catalogue->sameDisc(disc->record) : std::nullopt;
        if (!same) {
            sayError(
                m_texts.text(Msg::CatalogueFailed).arg(catalogue ? catalogue->error() : error));
            return;
        }
        if (*same) {
            const std::optional<DiscRecord> old = catalogue->disc(*same);
            if (m_dialogs.MsgBox(m_texts.text(Msg::ReplaceDisc)
                                     .arg(discIdentifier(*same), old ? old->name : QString()),
                                 title, MessageIcon::Question,
                                 MessageButtons::YesNo) != MessageResult::Yes)
                return;
            replace = true;
        }
    }

    DiscCataloguing cataloguing(m_path, m_texts);
    connect(&cataloguing, &DiscCataloguing::progressed, this,
            &CatalogueCommands::cataloguingProgressed);
    const DiscCataloguing::Outcome outcome =
        cataloguing.run(std::move(*disc), replace, m_controls.window);
    if (outcome.cancelled)
        return;
    if (!outcome.id) {
        sayError(m_texts.text(Msg::CatalogueFailed)
                     .arg(outcome.same ? m_texts.text(Msg::ReplaceDisc)
                                             .arg(discIdentifier(outcome.same), *name)
                                             .section(u'\n', 0, 0)
                                       : outcome.error));
        return;
    }
    const QString identifier = discIdentifier(*outcome.id);
    if (m_workspace.cover.discId != identifier) {
        m_workspace.cover.discId = identifier;
        m_workspace.history().markUnsaved();
    }
    QString said = m_texts.text(Msg::DiscCatalogued).arg(identifier).arg(outcome.entries);
    if (outcome.unreadable)
        said += m_texts.text(Msg::DiscUnreadableFolders).arg(outcome.unreadable);
    m_dialogs.MsgBox(said, QStringLiteral("KVX"), MessageIcon::Information);
    if (m_window)
        m_window->refresh();
}

} // namespace kvx
