#include "window/frMain.h"

#include "catalogue/CatalogueCommands.h"
#include "dialogs/cOpen.h"
#include "doc/DocumentPaths.h"
#include "doc/RecentDocumentsMenu.h"
#include "doc/TreeDocumentCommands.h"
#include "export/ExportCommands.h"
#include "history/TreeHistory.h"
#include "lang/InterfaceLanguage.h"
#include "lang/LanguageMenu.h"
#include "lang/LeftOutMessage.h"
#include "print/CoverChoice.h"
#include "print/JacketCommands.h"
#include "print/RowsOverflow.h"
#include "tree/BuiltInPictures.h"
#include "tree/BusyEventPump.h"
#include "tree/CategoryCommands.h"
#include "tree/IconFolder.h"
#include "tree/ImageList.h"
#include "tree/LabelCountDisplay.h"
#include "tree/LevelStyle.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"
#include "tree/WindowFont.h"
#include "util/ProgramFolders.h"
#include "util/Twips.h"
#include "util/UserSettings.h"
#include "window/AppIcon.h"
#include "window/SizesCommand.h"
#include "window/TreeFind.h"
#include "window/VLine.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace kvx {

namespace {

// The frame holds the tree panel and, under "Aperçu ...", the row of "Plus ...".
constexpr int kFraTbHeight = 6645;

template <class W>
W* makeControl(QWidget* parent, const QString& name, const QRect& twips,
               const QString& caption = {})
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    // Under a style sheet children do not inherit the window's font.
    widget->setFont(parent->font());
    widget->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    if constexpr (std::is_base_of_v<QGroupBox, W>)
        widget->setTitle(caption);
    else if constexpr (requires { widget->setText(caption); })
        widget->setText(caption);
    // Controls that show no caption of their own (a line edit shows its value,
    // a frame may have no title) are named for screen readers.
    if constexpr (std::is_base_of_v<QGroupBox, W>) {
        if (caption.isEmpty())
            widget->setAccessibleName(name);
    } else if constexpr (std::is_base_of_v<QLineEdit, W> || !requires { widget->text(); }) {
        widget->setAccessibleName(name);
    }
    return widget;
}

QAction* makeAction(QObject* parent, const QString& name, const QString& caption,
                    const QKeySequence& shortcut = {})
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

// One folder, or one tree document, from the desktop's file manager.
QString droppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile())
        return {};
    const QFileInfo dropped(data->urls().front().toLocalFile());
    return dropped.isDir() || (dropped.isFile() && isDocumentName(dropped.fileName()))
               ? dropped.absoluteFilePath()
               : QString();
}

QAction* makeSeparator(QObject* parent, const QString& name)
{
    auto* action = new QAction(parent);
    action->setObjectName(name);
    action->setSeparator(true);
    return action;
}

} // namespace

QString frMain::arrayName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

frMain::frMain(DialogService* dialogs, const QString& programDir, QWidget* parent)
    : QWidget(parent), m_programDir(programDir.isEmpty() ? programDataDir() : programDir),
      m_pump(std::make_unique<BusyEventPump>()), m_language(std::make_unique<InterfaceLanguage>())
{
    setObjectName(QStringLiteral("frMain"));
    setWindowTitle(QStringLiteral("KVX"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    const QFont font = WindowFont();
    setFont(font);

    // Until start-up has probed it, the window shows the system window colour.
    QPalette surface = palette();
    surface.setColor(QPalette::Window, surface.color(QPalette::Base));
    setPalette(surface);
    setAutoFillBackground(true);

    // Frames draw their caption on the top border, over the frame line, so
    // their contents sit where the twips say.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));

    if (dialogs) {
        m_dialogs = dialogs;
    } else {
        m_cOpen = std::make_unique<cOpen>(m_programDir);
        m_dialogs = m_cOpen.get();
    }
    m_dialogs->setMehWnd(this);

    createControls();
    createMenus();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_tv, m_mnuNode, m_mnuLangue, m_mnuMore})
        widget->setFont(font);
    fitAutoSizeLabels();
    m_count = std::make_unique<LabelCountDisplay>(m_lblNbElements);
    m_countShown = std::make_unique<OverflowCountDisplay>(*m_count, m_lblNbElements, [this] {
        const CoverChoice& cover = m_workspace->cover;
        return CoverCapacity(cover.coverTemplate(), m_workspace->jacket, cover.titleOnBooklet);
    });
    m_workspace = std::make_unique<Workspace>(*m_pump, *m_countShown);
    m_images = std::make_unique<ImageList>(m_workspace->images());
    m_model = new TreeModel(m_workspace->tree(), *m_images, this);
    m_model->attachView(m_tv);
    connectControls();
    createSubsystems();
}

frMain::~frMain()
{
    // The view and model go before the tree they show.
    delete m_tv;
    m_tv = nullptr;
    delete m_model;
    m_model = nullptr;
    // Its walk stops before the workspace goes.
    delete m_sizes;
    m_sizes = nullptr;
}

NodeTree& frMain::tree()
{
    return m_workspace->tree();
}

void frMain::createControls()
{
    auto* fra =
        makeControl<QFrame>(this, QStringLiteral("FraTb(0)"), {120, 120, 9270, kFraTbHeight});

    m_picTv = makeControl<QFrame>(fra, QStringLiteral("picTv"), {0, 0, 6060, 6060});
    m_tv = new NodeTreeView(m_picTv);
    m_tv->setObjectName(QStringLiteral("TV"));
    m_tv->setAccessibleName(QStringLiteral("Arbre des dossiers"));
    m_tv->setGeometry(TwipsRect(0, 0, 3765, 2460));
    m_vLine = makeControl<VLine>(m_picTv, QStringLiteral("VLine"), {4380, 960, 255, 3075});
    m_vLine->raise(); // the guide is drawn over the tree

    m_cmdStartPoint =
        makeControl<QPushButton>(fra, QStringLiteral("cmdStartPoint"), {6120, 60, 3105, 315},
                                 QStringLiteral("&Commencer l'arbre depuis ..."));
    m_txtStartPath = makeControl<QLineEdit>(fra, QStringLiteral("txtStartPath"),
                                            {6120, 420, 3075, 315}, QDir::rootPath());
    m_txtStartPath->setAccessibleName(QStringLiteral("Dossier de départ"));
    QPalette face = m_txtStartPath->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    m_txtStartPath->setPalette(face);

    m_frmPattern =
        makeControl<QGroupBox>(fra, QStringLiteral("frmPattern"), {6180, 900, 2955, 1275});
    m_frmPattern->setAccessibleName(QStringLiteral("Types de fichiers"));
    // Box 0 on top, then two columns: 1 to 4 on the left, 5 to 8 on the right.
    for (int i = 0; i < int(m_chkFile.size()); ++i) {
        const QRect twips =
            i == 0 ? QRect(120, 120, 2715, 225)
                   : QRect(i <= 4 ? 120 : 1560, 120 + 225 * ((i - 1) % 4 + 1), 1335, 225);
        m_chkFile.at(size_t(i)) =
            makeControl<QCheckBox>(m_frmPattern, arrayName("chkFile", i), twips);
    }

    m_command1 = makeControl<QPushButton>(fra, QStringLiteral("Command1"), {6180, 2220, 1065, 315},
                                          QStringLiteral("Supp&rimer"));
    m_cmdExe = makeControl<QPushButton>(fra, QStringLiteral("cmdExe"), {7380, 2220, 1755, 315},
                                        QStringLiteral("A&jouter ces fichiers"));

    auto* frame1 = makeControl<QGroupBox>(fra, QStringLiteral("Frame1"), {6180, 2820, 3015, 1335},
                                          QStringLiteral("Nombre de lignes :"));
    // Each set of options is exclusive on its own: the column options share
    // their parent with the frame of the line options.
    auto* lineOptions = new QButtonGroup(this);
    const int lineLefts[] = {120, 720, 1320};
    for (int i = 0; i < int(m_opLines.size()); ++i) {
        m_opLines.at(size_t(i)) = makeControl<QRadioButton>(frame1, arrayName("opLines", i),
                                                            {lineLefts[i], 240, 555, 255},
                                                            QString::number(LineOptionCounts[i]));
        m_opLines.at(size_t(i))->setAccessibleName(
            QStringLiteral("%1 lignes").arg(LineOptionCounts[i]));
        lineOptions->addButton(m_opLines.at(size_t(i)));
    }
    m_opLines.back()->setChecked(true);
    m_autoSizeLabels = {
        makeControl<QLabel>(frame1, QStringLiteral("Label2"), {120, 600, 2295, 195},
                            QStringLiteral("Nombre d'éléments imprimables :")),
        makeControl<QLabel>(frame1, QStringLiteral("lblImprimable"), {2520, 600, 270, 195},
                            QStringLiteral("150")),
        makeControl<QLabel>(frame1, QStringLiteral("Label1"), {120, 960, 2145, 195},
                            QStringLiteral("Nombre d'éléments à impimer :")),
        makeControl<QLabel>(frame1, QStringLiteral("lblNbElements"), {2520, 960, 90, 195},
                            QStringLiteral("0")),
    };
    m_lblImprimable = m_autoSizeLabels.at(1);
    m_lblNbElements = m_autoSizeLabels.back();

    auto* frame2 = makeControl<QGroupBox>(fra, QStringLiteral("Frame2"), {6180, 4260, 2985, 915},
                                          QStringLiteral("Impression"));
    m_chkImageNb =
        makeControl<QCheckBox>(frame2, QStringLiteral("chkImageNb"), {60, 240, 2115, 255},
                               QStringLiteral("Dossier en Noir && &Blanc"));
    m_chkNb = makeControl<QCheckBox>(frame2, QStringLiteral("chkNb"), {60, 540, 1815, 255},
                                     QStringLiteral("Imprimer &en Couleur"));
    m_chkNb->setChecked(true);

    m_cmpProp = makeControl<QPushButton>(fra, QStringLiteral("cmpProp"), {6180, 5250, 1335, 375},
                                         QStringLiteral("Pr&opriétés"));
    m_cmdPrint = makeControl<QPushButton>(fra, QStringLiteral("cmdPrint"), {7920, 5250, 1275, 375},
                                          QStringLiteral("I&mprimer"));
    // Below "Imprimer", as wide, level with "translate ...".
    m_cmdPreview = makeControl<QPushButton>(fra, QStringLiteral("cmdPreview"),
                                            {7920, 5700, 1275, 375}, QStringLiteral("A&perçu ..."));
    m_cmdTranslate =
        makeControl<QPushButton>(fra, QStringLiteral("cmdTranslate"), {6180, 5700, 1335, 375},
                                 QStringLiteral("&Langue ..."));
    // The commands beyond the original window share one menu under one button.
    m_cmdMore = makeControl<QPushButton>(fra, QStringLiteral("cmdMore"), {7920, 6150, 1275, 375},
                                         QStringLiteral("Plu&s ..."));
    // While "Tailles" walks the disc: how far it is, and a way to stop it.
    m_lblSizes = makeControl<QLabel>(fra, QStringLiteral("lblSizes"), {0, 6360, 6060, 255});
    m_cmdSizesStop = makeControl<QPushButton>(fra, QStringLiteral("cmdSizesStop"),
                                              {6180, 6150, 1335, 375}, QStringLiteral("Arr&êter"));

    m_autoSizeLabels.push_back(makeControl<QLabel>(fra, QStringLiteral("lblNbColonnes"),
                                                   {0, 6075, 1560, 195},
                                                   QStringLiteral("Nombre de colonnes :")));
    auto* columnOptions = new QButtonGroup(this);
    const int columnLefts[] = {2580, 3780, 4920};
    const int columnWidths[] = {435, 495, 495};
    for (size_t i = 0; i < m_opColum.size(); ++i) {
        const qint16 index = ColumnOptionIndexes[i];
        m_opColum.at(i) = makeControl<QRadioButton>(fra, arrayName("opColum", index),
                                                    {columnLefts[i], 6075, columnWidths[i], 195},
                                                    QString::number(ColumnsOfOption(index)));
        m_opColum.at(i)->setAccessibleName(
            QStringLiteral("%1 colonnes").arg(ColumnsOfOption(index)));
        columnOptions->addButton(m_opColum.at(i));
    }
    m_opColum.at(1)->setChecked(true);

    for (QLabel* label : m_autoSizeLabels)
        label->parentWidget()->installEventFilter(this);
    fitAutoSizeLabels();
    setKeyboardOrder();
}

void frMain::setKeyboardOrder()
{
    // Frame by frame: the tree panel with the column options under it, then
    // the commands on the right from top to bottom, each row left to right.
    QList<QWidget*> order{m_tv};
    order += {m_opColum.begin(), m_opColum.end()};
    order += {m_cmdStartPoint, m_txtStartPath, m_chkFile.at(0)};
    for (size_t row = 1; row <= 4; ++row)
        order += {m_chkFile.at(row), m_chkFile.at(row + 4)};
    order += {m_command1, m_cmdExe};
    order += {m_opLines.begin(), m_opLines.end()};
    order +=
        {m_chkImageNb, m_chkNb, m_cmpProp, m_cmdPrint, m_cmdTranslate, m_cmdPreview, m_cmdMore};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // Tab lands on the checked option of a set; the arrow keys choose another.
    for (auto* options : {&m_opLines, &m_opColum}) {
        for (QRadioButton* option : *options) {
            const auto takeTab = [option](bool checked) {
                option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
            };
            takeTab(option->isChecked());
            connect(option, &QAbstractButton::toggled, option, takeTab);
        }
    }
    m_tv->setFocus();
}

void frMain::createMenus()
{
    m_mnuNode = new QMenu(QStringLiteral("mnuNode"), this);
    m_mnuNode->setObjectName(QStringLiteral("mnuNode"));
    m_mnuAddFile =
        makeAction(this, QStringLiteral("mnuAddFile"), QStringLiteral("Ajouter les fichiers"),
                   QKeySequence(Qt::CTRL | Qt::Key_F));
    m_mnuGras = makeAction(this, QStringLiteral("mnuGras"), QStringLiteral("Gras"),
                           QKeySequence(Qt::CTRL | Qt::Key_B));
    m_mnuGras->setCheckable(true);
    m_mnuForeColors =
        makeAction(this, QStringLiteral("mnuForeColors"), QStringLiteral("Couleur du Texte ..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m_mnuBackColors =
        makeAction(this, QStringLiteral("mnuBackColors"), QStringLiteral("Couleur du Fond ..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    m_mnuNiveau =
        makeAction(this, QStringLiteral("mnuNiveau"), QStringLiteral("Appliquer au niveau"),
                   QKeySequence(Qt::CTRL | Qt::Key_L));
    m_mnuLoad = makeAction(this, QStringLiteral("mnuLoad"), QStringLiteral("Ouvrir ..."),
                           QKeySequence(Qt::CTRL | Qt::Key_O));
    m_mnuSave = makeAction(this, QStringLiteral("mnuSave"), QStringLiteral("Sauvegarder ..."),
                           QKeySequence(Qt::CTRL | Qt::Key_S));
    m_mnuSupprim = makeAction(this, QStringLiteral("mnuSupprim"), QStringLiteral("Supprimer"),
                              QKeySequence(Qt::Key_Delete));
    m_mnuRename = makeAction(this, QStringLiteral("mnuRename"), QStringLiteral("Renommer"),
                             QKeySequence(Qt::Key_F2));
    m_mnuUndo = makeAction(this, QStringLiteral("mnuUndo"), QStringLiteral("Annuler"),
                           QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_mnuRedo = makeAction(this, QStringLiteral("mnuRedo"), QStringLiteral("Rétablir"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_mnuRedo->setShortcuts({m_mnuRedo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const QList<QAction*> nodeItems{
        m_mnuAddFile,
        makeSeparator(this, QStringLiteral("mnuSep00")),
        m_mnuGras,
        makeSeparator(this, QStringLiteral("mnuSep01")),
        m_mnuForeColors,
        m_mnuBackColors,
        makeSeparator(this, QStringLiteral("mnuSep02")),
        m_mnuNiveau,
        makeSeparator(this, QStringLiteral("mnuSep03")),
        m_mnuLoad,
        m_mnuSave,
        makeSeparator(this, QStringLiteral("mnuSep04")),
        m_mnuRename,
        m_mnuSupprim,
        makeSeparator(this, QStringLiteral("mnuSep05")),
        m_mnuUndo,
        m_mnuRedo,
    };
    m_mnuNode->addActions(nodeItems);
    // The shortcut keys work while the menu is closed too.
    addActions(nodeItems);

    m_mnuLangue = new QMenu(QStringLiteral("MNlangue"), this);
    m_mnuLangue->setObjectName(QStringLiteral("MNlangue"));
    m_mnLangueChoice0 = makeAction(this, arrayName("MNlangueChoice", 0), QStringLiteral("#"));
    m_mnLangueSep = makeSeparator(this, QStringLiteral("MNlangueSep"));
    m_mnLangueOther =
        makeAction(this, QStringLiteral("MNlangueOther"), QStringLiteral("Autre ..."));
    m_mnuAbout = makeAction(this, QStringLiteral("mnuabout"), QStringLiteral("A propos ..."));
    m_mnuMore = new QMenu(QStringLiteral("mnuMore"), this);
    m_mnuMore->setObjectName(QStringLiteral("mnuMore"));
    m_mnuExport = makeAction(this, QStringLiteral("mnuExport"), QStringLiteral("Exporter ..."),
                             QKeySequence(Qt::CTRL | Qt::Key_E));
    m_mnuTailles = makeAction(this, QStringLiteral("mnuTailles"), QStringLiteral("&Tailles"));
    m_mnuFind =
        makeAction(this, QStringLiteral("mnuFind"), QStringLiteral("Rechercher dans l'arbre ..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    m_mnuFindNext = makeAction(this, QStringLiteral("mnuFindNext"),
                               QStringLiteral("Rechercher le suivant"), QKeySequence(Qt::Key_F3));
    m_mnuFindPrevious =
        makeAction(this, QStringLiteral("mnuFindPrevious"),
                   QStringLiteral("Rechercher le précédent"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m_mnuRecent = new QMenu(QStringLiteral("Documents récents"), m_mnuMore);
    m_mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    const QList<QAction*> moreItems{
        m_mnuExport,   m_mnuTailles,      m_mnuFind,
        m_mnuFindNext, m_mnuFindPrevious, makeSeparator(this, QStringLiteral("mnuMoreSep00"))};
    m_mnuMore->addActions(moreItems);
    m_mnuMore->addMenu(m_mnuRecent);
    addActions(moreItems);
    m_mnuTemplate = new QMenu(QStringLiteral("Modèle"), this);
    m_mnuTemplate->setObjectName(QStringLiteral("mnuTemplate"));
    auto* templates = new QActionGroup(m_mnuTemplate);
    int item = 0;
    for (const CoverTemplate& cover : CoverTemplates()) {
        QAction* choice =
            makeAction(this, arrayName("mnuTemplateItem", item++), QString::fromLatin1(cover.name));
        choice->setCheckable(true);
        choice->setData(QString::fromLatin1(cover.name));
        templates->addAction(choice);
    }
    m_mnuTemplate->addActions(templates->actions());
    m_mnuDiscTitle =
        makeAction(this, QStringLiteral("mnuDiscTitle"), QStringLiteral("Titre du disque ..."));
    m_mnuTitleOnBooklet = makeAction(this, QStringLiteral("mnuTitleOnBooklet"),
                                     QStringLiteral("Titre sur le livret"));
    m_mnuTitleOnBooklet->setCheckable(true);
    // After "Exporter ...", as the menu's plan has them.
    m_mnuMore->insertMenu(m_mnuFind, m_mnuTemplate);
    m_mnuMore->insertActions(m_mnuFind, {m_mnuDiscTitle, m_mnuTitleOnBooklet});
    m_mnuOpenImage = makeAction(this, QStringLiteral("mnuOpenImage"),
                                QStringLiteral("Ouvrir une image disque ..."));
    m_mnuCatalogueDisc = makeAction(this, QStringLiteral("mnuCatalogueDisc"),
                                    QStringLiteral("Cataloguer ce disque ..."));
    m_mnuCatalogue =
        makeAction(this, QStringLiteral("mnuCatalogue"), QStringLiteral("Catalogue ..."),
                   QKeySequence(Qt::CTRL | Qt::Key_K));
    m_mnuMore->addActions({makeSeparator(this, QStringLiteral("mnuMoreSep01")), m_mnuOpenImage,
                           m_mnuCatalogueDisc, m_mnuCatalogue});
    addAction(m_mnuCatalogue);

    m_mnuLangue->addActions({m_mnLangueChoice0, m_mnLangueSep, m_mnLangueOther,
                             makeSeparator(this, QStringLiteral("MNlangueSep01")), m_mnuAbout});
}

void frMain::connectControls()
{
    connect(m_cmdStartPoint, &QPushButton::clicked, this, &frMain::cmdStartPoint_Click);
    connect(m_cmdMore, &QPushButton::clicked, this, &frMain::cmdMore_Click);
    connect(m_tv, &NodeTreeView::mouseDown, this, &frMain::TV_MouseDown);
    connect(m_tv, &NodeTreeView::mouseUp, this, &frMain::TV_MouseUp);
    connect(m_tv, &NodeTreeView::clicked, this,
            [this](const QModelIndex& index) { TV_NodeClick(m_model->nodeOf(index)); });
    connect(m_tv, &NodeTreeView::branchExpansionRequested, this,
            [this](const QModelIndex& index, int levels) {
                const Node* from = m_model->nodeOf(index);
                if (from || !index.isValid())
                    ExpandBranch(tree(), *m_pump, from ? from->id() : 0, levels);
            });

    connect(m_mnuGras, &QAction::triggered, this, [this] {
        // A checkable item flips its own mark; the mark follows the node.
        const bool before = !m_mnuGras->isChecked();
        mnuGras_Click();
        const Node* selected = tree().selectedItem();
        m_mnuGras->setChecked(selected ? selected->bold() : before);
    });
    connect(m_mnuForeColors, &QAction::triggered, this, &frMain::mnuForeColors_Click);
    connect(m_mnuBackColors, &QAction::triggered, this, &frMain::mnuBackColors_Click);
    connect(m_mnuNiveau, &QAction::triggered, this, &frMain::mnuNiveau_Click);
    connect(m_mnuSupprim, &QAction::triggered, this, &frMain::mnuSupprim_Click);
    connect(m_mnuRename, &QAction::triggered, this, &frMain::mnuRename_Click);
    connect(m_tv, &NodeTreeView::menuRequested, this, &frMain::showNodeMenu);
    connect(m_model, &TreeModel::renameRequested, this, &frMain::renameNode);
    connect(m_mnuNode, &QMenu::aboutToShow, this, &frMain::showNodeCommands);
    for (auto signal : {&NodeTree::cleared, &NodeTree::restored, &NodeTree::nodeRemoved})
        connect(&tree(), signal, this, &frMain::showNodeCommands);
    connect(&tree(), &NodeTree::selectionChanged, this, &frMain::showNodeCommands);
    showNodeCommands();
    connect(m_mnuUndo, &QAction::triggered, this, &frMain::mnuUndo_Click);
    connect(m_mnuRedo, &QAction::triggered, this, &frMain::mnuRedo_Click);
    connect(&m_workspace->history(), &TreeHistory::changed, this, &frMain::showHistory);
    showHistory();
}

void frMain::showHistory()
{
    m_mnuUndo->setEnabled(m_workspace->history().canUndo());
    m_mnuRedo->setEnabled(m_workspace->history().canRedo());
    setWindowModified(m_documents && !m_documents->document().isEmpty() &&
                      m_workspace->history().isModified());
}

void frMain::showNodeCommands()
{
    const Node* selected = tree().selectedItem();
    for (QAction* command : {m_mnuAddFile, m_mnuGras, m_mnuForeColors, m_mnuBackColors, m_mnuNiveau,
                             m_mnuRename, m_mnuSupprim})
        command->setEnabled(selected);
    if (selected)
        m_mnuGras->setChecked(selected->bold());
}

void frMain::showTitle()
{
    // "Disque 12.kvx - KVX", the mark after the name while changes are unsaved.
    const QString& document = m_documents->document();
    setWindowTitle(document.isEmpty() ? QStringLiteral("KVX")
                                      : QFileInfo(document).fileName().replace(
                                            QLatin1String("[*]"), QLatin1String("[*][*]")) +
                                            QStringLiteral("[*] - KVX"));
    showHistory();
}

void frMain::showStartFolder()
{
    // The opened tree's start folder: its root's key, as the start command
    // writes a folder.
    QString folder = tree().roots().empty() ? QString() : tree().roots().front()->key();
    if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')) &&
        !folder.endsWith(QLatin1String(":\\")))
        folder.chop(1);
    m_txtStartPath->setText(folder);
}

// Each subsystem gets the workspace and the controls it serves.
void frMain::createSubsystems()
{
    Workspace& workspace = *m_workspace;
    CategoryControls categories;
    std::copy(m_chkFile.begin(), m_chkFile.end(), categories.chkFile.begin());
    categories.frmPattern = m_frmPattern;
    categories.cmdExe = m_cmdExe;
    categories.Command1 = m_command1;
    categories.mnuAddFile = m_mnuAddFile;
    const MessageTexts& texts = m_language->texts();
    m_categories = new CategoryCommands(
        categories, workspace, texts,
        [this](const QString& prompt, const QString& title, const QString& defaultText) {
            return m_dialogs->InputBox(prompt, title, defaultText);
        },
        this);

    JacketControls jacket;
    std::copy(m_opLines.begin(), m_opLines.end(), jacket.opLines.begin());
    std::copy(m_opColum.begin(), m_opColum.end(), jacket.opColum.begin());
    jacket.lblImprimable = m_lblImprimable;
    jacket.lblNbElements = m_lblNbElements;
    jacket.chkNb = m_chkNb;
    jacket.chkImageNb = m_chkImageNb;
    jacket.cmpProp = m_cmpProp;
    jacket.cmdPrint = m_cmdPrint;
    jacket.cmdPreview = m_cmdPreview;
    jacket.view = m_tv;
    jacket.moveGuide = [this](int leftTwips) { moveColumnGuide(leftTwips); };
    m_jacket = new JacketCommands(jacket, workspace, *m_images, *m_dialogs, texts, this);

    m_documents = new TreeDocumentCommands(m_mnuLoad, m_mnuSave, workspace, *m_tv, *m_model,
                                           *m_dialogs, texts, this);
    connect(m_documents, &TreeDocumentCommands::documentChanged, this, [this](const QString& path) {
        showTitle();
        if (!path.isEmpty())
            showStartFolder();
    });
    m_recent = new RecentDocumentsMenu(m_mnuRecent, texts, this);
    connect(m_recent, &RecentDocumentsMenu::openRequested, this, &frMain::openDocument);
    m_find = new TreeFind(workspace, *m_tv, *m_model, *m_dialogs, texts, this);
    connect(m_mnuFind, &QAction::triggered, m_find, &TreeFind::find);
    connect(m_mnuFindNext, &QAction::triggered, m_find, &TreeFind::findNext);
    connect(m_mnuFindPrevious, &QAction::triggered, m_find, &TreeFind::findPrevious);
    connectCoverEntries();

    SizesControls sizes;
    sizes.mnuTailles = m_mnuTailles;
    sizes.lblSizes = m_lblSizes;
    sizes.cmdSizesStop = m_cmdSizesStop;
    sizes.view = m_tv;
    m_sizes = new SizesCommand(sizes, workspace, *m_dialogs, texts, this);
    connect(m_sizes, &SizesCommand::walkEnded, this, &frMain::reportLeftOut);
    m_exports = new ExportCommands(m_mnuExport, workspace, *m_images, *m_tv, *m_dialogs, texts,
                                   *m_documents, this);

    LanguageControls languages;
    languages.window = this;
    languages.cmdTranslate = m_cmdTranslate;
    languages.MNlangue = m_mnuLangue;
    languages.firstChoice = m_mnLangueChoice0;
    languages.choicesEnd = m_mnLangueSep;
    languages.MNlangueOther = m_mnLangueOther;
    languages.mnuabout = m_mnuAbout;
    m_languages = new LanguageMenu(languages, *m_dialogs, *m_language, m_programDir, this);
    m_catalogue = new CatalogueCommands({.window = this,
                                         .mnuCatalogueDisc = m_mnuCatalogueDisc,
                                         .mnuCatalogue = m_mnuCatalogue,
                                         .mnuOpenImage = m_mnuOpenImage,
                                         .txtStartPath = m_txtStartPath},
                                        workspace, *m_pump, *m_documents, *m_dialogs, texts, this);
    connect(m_catalogue, &CatalogueCommands::treeBuilt, this, [this] {
        if (const Node* selected = tree().selectedItem())
            m_tv->scrollTo(m_model->indexOf(selected));
        reportLeftOut();
    });
    connect(m_languages, &LanguageMenu::languageApplied, m_catalogue,
            &CatalogueCommands::takeLanguage);
    // After the commands that scan or add files, whatever opened them.
    connect(&tree(), &NodeTree::expand, this, &frMain::reportLeftOut);
    connect(m_cmdExe, &QPushButton::clicked, this, &frMain::reportLeftOut);
    connect(m_mnuAddFile, &QAction::triggered, this, &frMain::reportLeftOut);
    connect(m_languages, &LanguageMenu::languageApplied, m_categories,
            &CategoryCommands::takeTranslatedTexts);
}

void frMain::Form_Load()
{
    m_mnuNode->hide();
    m_mnuLangue->hide();
    m_mnuMore->hide();
    JacketLayout& jacket = m_workspace->jacket;
    jacket.ColumnCount = 3;
    jacket.LinesPerColumn = 50;

    // 640 pixels wide; the inner height is the frame's plus 240 twips.
    setFixedSize(640, TwipsToVisiblePixels(kFraTbHeight + 240));
    m_tv->setGeometry(TwipsRect(0, 0, 6000, 6000));
    moveColumnGuide(*ColumnGuideLeft(jacket.LinesPerColumn, 4));
    const int columnLefts[] = {2700, 3700, 5700}; // options 3, 4, 6
    for (size_t i = 0; i < m_opColum.size(); ++i)
        m_opColum.at(i)->move(TwipsToVisiblePixels(columnLefts[i]), m_opColum.at(i)->y());
    m_dialogs->setMehWnd(this);
    jacket.ColumnOptionIndex = 4;
    // The language the window was last used in, before anything is said.
    m_languages->applySavedLanguage();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    QCoreApplication::processEvents();

    if (!windowColourIsWhite())
        WarnWindowColour();
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);

    m_startupError = loadCategoryIcons(iconFolderIn(m_programDir), *m_images);
    if (m_startupError) {
        showStartupError(*m_startupError);
        return;
    }
    m_languages->ListLanguageFiles();
}

void frMain::moveColumnGuide(int leftTwips)
{
    m_vLine->setGeometry(TwipsToVisiblePixels(leftTwips), 0, TwipsToVisiblePixels(ColumnGuideWidth),
                         m_picTv->height());
}

bool frMain::windowColourIsWhite()
{
    // A spot of bare background left of and above the frame, at (30, 30) twips.
    const int at = TwipsToVisiblePixels(30);
    const QImage spot = grab(QRect(at, at, 1, 1)).toImage();
    return !spot.isNull() && spot.pixelColor(0, 0) == QColor(Qt::white);
}

void frMain::WarnWindowColour()
{
    m_dialogs->MsgBox(m_language->texts().text(Msg::WindowColour), QStringLiteral("KVX"),
                      MessageIcon::Critical);
}

void frMain::showStartupError(const StartupError& error)
{
    const MessageTexts& texts = m_language->texts();
    const Msg description = error.number == kErrPathNotFound     ? Msg::IconFolderMissing
                            : error.number == kErrInvalidPicture ? Msg::IconNotPicture
                                                                 : Msg::IconKeyTaken;
    m_dialogs->MsgBox(texts.text(description).arg(error.subject),
                      texts.text(Msg::StartupError).arg(error.number), MessageIcon::Critical);
}

void frMain::cmdStartPoint_Click()
{
    if (!m_documents->saveOrDiscardChanges())
        return;
    const QString folder = m_dialogs->BrowseFolder(m_language->texts().text(Msg::ChooseFolder));
    // A cancelled dialog keeps the start folder and the tree, styles and all.
    if (!folder.isEmpty())
        buildTreeFrom(folder);
}

void frMain::buildTreeFrom(const QString& folder)
{
    m_txtStartPath->setText(folder);
    m_documents->forgetDocument();
    m_workspace->BuildTree(folder);
    reportLeftOut();
}

void frMain::openDocument(const QString& path)
{
    if (m_documents->saveOrDiscardChanges() && !m_documents->openDocument(path))
        UserSettings().removeRecentDocument(path);
}

void frMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frMain::dropEvent(QDropEvent* event)
{
    const QString path = droppedPath(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    if (!QFileInfo(path).isDir())
        openDocument(path);
    else if (m_documents->saveOrDiscardChanges())
        buildTreeFrom(path);
}

void frMain::reportLeftOut()
{
    const LeftOut leftOut = m_workspace->leftOut();
    if (leftOut.isEmpty())
        return;
    // Not in the middle of a walk: once it has ended.
    if (m_pump->busy() || tree().inBulkChange()) {
        QTimer::singleShot(100, this, &frMain::reportLeftOut);
        return;
    }
    m_workspace->resetLeftOut();
    const MessageTexts& texts = m_language->texts();
    const QString text =
        leftOut.startFolderUnreadable
            ? texts.text(Msg::StartUnreadable).arg(QDir::toNativeSeparators(m_txtStartPath->text()))
            : leftOutMessage(leftOut, texts);
    m_dialogs->MsgBox(text, QStringLiteral("KVX"), MessageIcon::Exclamation);
}

void frMain::TV_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}

void frMain::TV_NodeClick(Node*) {}

void frMain::TV_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position)
{
    m_workspace->RefreshElementCount();
    if (const Node* selected = tree().selectedItem())
        m_mnuGras->setChecked(selected->bold());
    if (button == Qt::RightButton)
        showNodeMenu(m_tv->viewport()->mapToGlobal(position));
}

void frMain::showNodeMenu(QPoint globalPosition)
{
    if (!m_mnuNode->isVisible())
        m_mnuNode->popup(globalPosition);
}

void frMain::connectCoverEntries()
{
    // The marks show the document's choice, whichever document was opened.
    connect(m_mnuMore, &QMenu::aboutToShow, this, [this] {
        const CoverChoice& cover = m_workspace->cover;
        for (QAction* choice : m_mnuTemplate->actions())
            choice->setChecked(choice->data().toString() ==
                               QLatin1String(cover.coverTemplate().name));
        m_mnuTitleOnBooklet->setChecked(cover.titleOnBooklet);
    });
    for (QAction* choice : m_mnuTemplate->actions())
        connect(choice, &QAction::triggered, this,
                [this, choice] { m_jacket->chooseTemplate(choice->data().toString()); });
    connect(m_mnuDiscTitle, &QAction::triggered, m_jacket, &JacketCommands::askDiscTitle);
    connect(m_mnuTitleOnBooklet, &QAction::toggled, m_jacket, &JacketCommands::setTitleOnBooklet);
    // An opened document brings its template.
    connect(m_documents, &TreeDocumentCommands::documentChanged, m_jacket,
            &JacketCommands::showCapacity);
}

void frMain::cmdMore_Click()
{
    // Under the button, as a button's own menu opens.
    m_mnuMore->popup(m_cmdMore->mapToGlobal(QPoint(0, m_cmdMore->height())));
}

void frMain::mnuGras_Click()
{
    const TreeHistory::Edit edit(m_workspace->history());
    if (Node* selected = tree().selectedItem())
        tree().setBold(selected, !selected->bold());
}

void frMain::mnuForeColors_Click()
{
    colourSelected(&NodeTree::setForeColor);
}

void frMain::mnuBackColors_Click()
{
    colourSelected(&NodeTree::setBackColor);
}

void frMain::colourSelected(void (NodeTree::*set)(Node*, Colour))
{
    const qint32 colour = m_dialogs->ShowColor();
    const TreeHistory::Edit edit(m_workspace->history());
    Node* selected = tree().selectedItem();
    if (colour != -1 && selected)
        (tree().*set)(selected, Colour(colour));
}

void frMain::mnuNiveau_Click()
{
    const TreeHistory::Edit edit(m_workspace->history());
    if (const Node* selected = tree().selectedItem())
        ApplyStyleToLevel(tree(), *selected);
}

void frMain::mnuSupprim_Click()
{
    const TreeHistory::Edit edit(m_workspace->history());
    if (const Node* selected = tree().selectedItem())
        tree().remove(selected->index());
}

void frMain::mnuRename_Click()
{
    const QModelIndex row = m_model->indexOf(tree().selectedItem());
    if (!row.isValid())
        return;
    m_tv->setFocus(Qt::OtherFocusReason);
    m_tv->scrollTo(row);
    m_tv->edit(row);
}

void frMain::renameNode(NodeId id, const QString& text)
{
    const TreeHistory::Edit edit(m_workspace->history());
    if (Node* node = tree().find(id))
        tree().setText(node, text);
}

void frMain::mnuUndo_Click()
{
    if (!m_pump->busy() && m_workspace->history().undo())
        afterUndo();
}

void frMain::mnuRedo_Click()
{
    if (!m_pump->busy() && m_workspace->history().redo())
        afterUndo();
}

// The tree came back whole: the count and the "Gras" mark follow it.
void frMain::afterUndo()
{
    m_workspace->RefreshElementCount();
    if (const Node* selected = tree().selectedItem())
        m_mnuGras->setChecked(selected->bold());
}

void frMain::closeEvent(QCloseEvent* event)
{
    if (m_documents->saveOrDiscardChanges())
        event->accept();
    else
        event->ignore();
}

bool frMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        fitAutoSizeLabels();
    return QWidget::eventFilter(watched, event);
}

void frMain::fitAutoSizeLabels()
{
    // Labels sized to their text, as their captions change (counts, languages).
    for (QLabel* label : m_autoSizeLabels)
        label->resize(label->sizeHint().width(), label->height());
}

} // namespace kvx
