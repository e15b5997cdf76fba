#include "catalogue/CatalogueWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSearch.h"
#include "catalogue/NameFolding.h"
#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvx {

namespace {

enum Role { DiscRole = Qt::UserRole, PathRole, FolderRole };

template <class W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QString shownDate(const QDateTime& time)
{
    return QLocale().toString(time.toLocalTime(), QLocale::ShortFormat);
}

QString shownSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes);
}

// What a label shows of a caption, for the control it names: without its
// access key and its colon.
QString accessibleCaption(const QString& caption)
{
    QString text = caption;
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text.replace(QLatin1String("&&"), QLatin1String("&")).remove(u':').trimmed();
}

} // namespace

CatalogueWindow::CatalogueWindow(const QString& cataloguePath, DialogService& dialogs,
                                 const MessageTexts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_path(cataloguePath), m_dialogs(dialogs), m_texts(texts)
{
    setObjectName(QStringLiteral("frCatalogue"));
    setWindowTitle(QStringLiteral("Catalogue"));
    setAccessibleName(windowTitle());
    createControls();
    retranslate();
    resize(720, 560);
}

CatalogueWindow::~CatalogueWindow() = default;

void CatalogueWindow::createControls()
{
    m_lblSearch =
        named(new QLabel(QStringLiteral("&Rechercher :"), this), QStringLiteral("lblSearch"));
    m_txtSearch = named(new QLineEdit(this), QStringLiteral("txtSearch"));
    m_txtSearch->setClearButtonEnabled(true);
    m_lblSearch->setBuddy(m_txtSearch);
    m_lstHits = named(new QTreeWidget(this), QStringLiteral("lstHits"));
    m_lstHits->setColumnCount(3);
    m_lstHits->setUniformRowHeights(true);
    m_lstHits->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lstHits->header()->setStretchLastSection(false);
    m_lblStatus = named(new QLabel(this), QStringLiteral("lblStatus"));
    m_lblDiscs = named(new QLabel(QStringLiteral("&Disques du catalogue :"), this),
                       QStringLiteral("lblDiscs"));
    m_lstDiscs = named(new QTreeWidget(this), QStringLiteral("lstDiscs"));
    m_lstDiscs->setColumnCount(6);
    m_lstDiscs->setRootIsDecorated(false);
    m_lstDiscs->setUniformRowHeights(true);
    m_lblDiscs->setBuddy(m_lstDiscs);
    m_cmdNote =
        named(new QPushButton(QStringLiteral("&Note ..."), this), QStringLiteral("cmdNote"));
    m_cmdRemove = named(new QPushButton(QStringLiteral("Re&tirer du catalogue"), this),
                        QStringLiteral("cmdRemove"));
    m_cmdClose = named(new QPushButton(QStringLiteral("Fermer"), this), QStringLiteral("cmdClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdNote);
    buttons->addWidget(m_cmdRemove);
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSearch);
    layout->addWidget(m_txtSearch);
    layout->addWidget(m_lstHits, 3);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_lblDiscs);
    layout->addWidget(m_lstDiscs, 2);
    layout->addLayout(buttons);

    m_pause = new QTimer(this);
    m_pause->setSingleShot(true);
    m_pause->setInterval(TypingPause);
    connect(m_pause, &QTimer::timeout, this, &CatalogueWindow::search);
    connect(m_txtSearch, &QLineEdit::textChanged, m_pause, qOverload<>(&QTimer::start));
    // Enter searches at once and goes to the hits.
    connect(m_txtSearch, &QLineEdit::returnPressed, this, [this] {
        search();
        if (m_lstHits->topLevelItemCount() > 0) {
            m_lstHits->setFocus();
            m_lstHits->setCurrentItem(m_lstHits->topLevelItem(0)->child(0));
        }
    });
    connect(m_lstHits, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { openItem(item); });
    connect(m_cmdNote, &QPushButton::clicked, this, &CatalogueWindow::cmdNote_Click);
    connect(m_cmdRemove, &QPushButton::clicked, this, &CatalogueWindow::cmdRemove_Click);
    connect(m_lstDiscs, &QTreeWidget::itemActivated, this, &CatalogueWindow::cmdNote_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* remove =
        new QShortcut(QKeySequence::Delete, m_lstDiscs, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &CatalogueWindow::cmdRemove_Click);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void CatalogueWindow::retranslate()
{
    m_lstHits->setHeaderLabels(m_texts.text(Msg::HitColumns).split(u'|'));
    // Columns as wide as their longest likely text, once: measuring the hits
    // at each keystroke would cost more than the search.
    const QFontMetrics metrics(m_lstHits->font());
    const int margin = 2 * metrics.averageCharWidth();
    m_lstHits->setColumnWidth(1, metrics.horizontalAdvance(shownSize(999'900'000'000)) + margin);
    m_lstHits->setColumnWidth(
        2, metrics.horizontalAdvance(shownDate(QDateTime(QDate(2000, 12, 31), QTime(23, 59)))) +
               margin);
    m_lstDiscs->setHeaderLabels(m_texts.text(Msg::DiscColumns).split(u'|'));
    setAccessibleName(windowTitle());
    m_txtSearch->setAccessibleName(accessibleCaption(m_lblSearch->text()));
    m_lstDiscs->setAccessibleName(accessibleCaption(m_lblDiscs->text()));
    m_lstHits->setAccessibleName(m_lstHits->headerItem()->text(0));
}

void CatalogueWindow::refresh()
{
    QString error;
    m_catalogue = Catalogue::open(m_path, Catalogue::Use::Read, &error);
    if (!m_catalogue) {
        m_lstDiscs->clear();
        m_lstHits->clear();
        showError(error);
        return;
    }
    showDiscs();
    search();
}

void CatalogueWindow::showDiscs()
{
    const qint64 selected = selectedDisc();
    m_lstDiscs->clear();
    const auto discs = m_catalogue->discs();
    if (!discs) {
        showError(m_catalogue->error());
        return;
    }
    QList<QTreeWidgetItem*> items;
    for (const DiscRecord& disc : *discs) {
        auto* item = new QTreeWidgetItem({discIdentifier(disc.id), disc.name, disc.note,
                                          shownDate(disc.added), QLocale().toString(disc.entries),
                                          shownSize(disc.bytes)});
        item->setData(0, DiscRole, disc.id);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(5, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_lstDiscs->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        if (item->data(0, DiscRole).toLongLong() == selected)
            m_lstDiscs->setCurrentItem(item);
    }
    if (!m_lstDiscs->currentItem() && !items.isEmpty())
        m_lstDiscs->setCurrentItem(items.front());
    for (int column = 0; column < m_lstDiscs->columnCount(); ++column)
        m_lstDiscs->resizeColumnToContents(column);
}

void CatalogueWindow::search()
{
    m_pause->stop();
    m_lstHits->clear();
    const QString text = m_txtSearch->text();
    if (!m_catalogue || foldName(text).isEmpty()) {
        m_lblStatus->clear();
        Q_EMIT searched();
        return;
    }
    const auto hits = findInCatalogue(*m_catalogue, text, 0, MaxHits);
    if (!hits) {
        showError(m_catalogue->error());
        return;
    }
    // One group per disc, in the order of each disc's best hit.
    QHash<qint64, QTreeWidgetItem*> groups;
    QList<QTreeWidgetItem*> order;
    for (const CatalogueHit& hit : *hits) {
        QTreeWidgetItem*& group = groups[hit.disc];
        if (!group) {
            group = new QTreeWidgetItem;
            order.append(group);
            QString title = discIdentifier(hit.disc) + QStringLiteral("  ") + hit.discName;
            for (int i = 0; i < m_lstDiscs->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* disc = m_lstDiscs->topLevelItem(i);
                if (disc->data(0, DiscRole).toLongLong() == hit.disc && !disc->text(2).isEmpty())
                    title += QStringLiteral("  \u2014  ") + disc->text(2);
            }
            group->setText(0, title);
            group->setData(0, DiscRole, hit.disc);
        }
        const bool folder = hit.entry.kind == WalkKind::Folder;
        auto* item = new QTreeWidgetItem(group);
        item->setText(0, folder ? hit.path + u'/' : hit.path);
        if (hit.entry.kind == WalkKind::File) {
            item->setText(1, shownSize(hit.entry.size));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (hit.entry.mtime)
            item->setText(2, shownDate(QDateTime::fromSecsSinceEpoch(*hit.entry.mtime)));
        item->setData(0, DiscRole, hit.disc);
        item->setData(0, PathRole, hit.path);
        item->setData(0, FolderRole, folder);
    }
    m_lstHits->addTopLevelItems(order);
    for (QTreeWidgetItem* group : order)
        group->setFirstColumnSpanned(true);
    m_lstHits->expandAll();
    const qsizetype count = hits->size();
    m_lblStatus->setText(count == 0         ? m_texts.text(Msg::NoHits)
                         : count >= MaxHits ? m_texts.text(Msg::HitsLimited).arg(count)
                                            : m_texts.text(Msg::HitsFound).arg(count));
    Q_EMIT searched();
}

void CatalogueWindow::openItem(QTreeWidgetItem* item)
{
    if (!item || !item->parent())
        return;
    Q_EMIT hitOpened(item->data(0, DiscRole).toLongLong(), item->data(0, PathRole).toString(),
                     item->data(0, FolderRole).toBool());
}

qint64 CatalogueWindow::selectedDisc() const
{
    const QTreeWidgetItem* item = m_lstDiscs->currentItem();
    return item ? item->data(0, DiscRole).toLongLong() : 0;
}

std::unique_ptr<Catalogue> CatalogueWindow::openToWrite()
{
    QString error;
    std::unique_ptr<Catalogue> catalogue = Catalogue::open(m_path, Catalogue::Use::Write, &error);
    if (!catalogue)
        showError(error);
    return catalogue;
}

void CatalogueWindow::cmdNote_Click()
{
    const QTreeWidgetItem* item = m_lstDiscs->currentItem();
    if (!item)
        return;
    const qint64 disc = selectedDisc();
    const std::optional<QString> note =
        m_dialogs.InputBox(m_texts.text(Msg::NotePrompt).arg(item->text(0), item->text(1)),
                           m_texts.text(Msg::NoteTitle), item->text(2));
    if (!note || *note == item->text(2))
        return;
    const std::unique_ptr<Catalogue> catalogue = openToWrite();
    if (catalogue && !catalogue->setNote(disc, *note))
        showError(catalogue->error());
    refresh();
}

void CatalogueWindow::cmdRemove_Click()
{
    const QTreeWidgetItem* item = m_lstDiscs->currentItem();
    if (!item)
        return;
    const qint64 disc = selectedDisc();
    const MessageResult answer =
        m_dialogs.MsgBox(m_texts.text(Msg::RemoveDisc).arg(item->text(0), item->text(1)),
                         QStringLiteral("KVX"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes)
        return;
    const std::unique_ptr<Catalogue> catalogue = openToWrite();
    if (catalogue && !catalogue->removeDisc(disc))
        showError(catalogue->error());
    refresh();
}

void CatalogueWindow::showError(const QString& error)
{
    m_dialogs.MsgBox(m_texts.text(Msg::CatalogueFailed).arg(error), QStringLiteral("KVX"),
                     MessageIcon::Exclamation);
}

} // namespace kvx
