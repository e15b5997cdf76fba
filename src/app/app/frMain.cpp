#include "app/frMain.h"

#include "app/VLine.h"
#include "app/WindowFont.h"
#include "dialogs/cOpen.h"
#include "doc/TreeDocumentCommands.h"
#include "lang/LanguageMenu.h"
#include "print/JacketCommands.h"
#include "tree/BuiltInPictures.h"
#include "tree/BusyEventPump.h"
#include "tree/CategoryCommands.h"
#include "tree/DisplayOrder.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/IconFolder.h"
#include "tree/ImageList.h"
#include "tree/LabelCountDisplay.h"
#include "tree/LevelStyle.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/ProgramFolders.h"
#include "util/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace kvx {

namespace {

constexpr int kFraTbHeight = 6285;

template <class W>
W* makeControl(QWidget* parent, const QString& name, const QRect& twips,
               const QString& caption = {})
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    if constexpr (std::is_base_of_v<QGroupBox, W>)
        widget->setTitle(caption);
    else if constexpr (requires { widget->setText(caption); })
        widget->setText(caption);
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

frMain::frMain(QWidget* parent)
    : QWidget(parent), m_programDir(programDataDir()), m_images(std::make_unique<ImageList>()),
      m_tree(std::make_unique<NodeTree>()), m_lister(std::make_unique<DirectoryLister>()),
      m_pump(std::make_unique<BusyEventPump>())
{
    setObjectName(QStringLiteral("frMain"));
    setWindowTitle(QStringLiteral("KVX"));
    setWindowIcon(QIcon(builtInPicture(image::ClosedFolder)));
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

    m_tree->setImageList(&m_images->registry());
    createControls();
    createMenus();
    // Under a style sheet children do not inherit the window's font: give it
    // to each of them.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->setFont(font);
    fitAutoSizeLabels();
    m_count = std::make_unique<LabelCountDisplay>(m_lblNbElements);
    m_scan = new FolderScan(*m_tree, *m_lister, *m_pump, *m_count, this);
    m_model = new TreeModel(*m_tree, *m_images, this);
    m_model->attachView(m_tv);
    connectControls();
    connectSubsystems();
}

frMain::~frMain()
{
    // The view and model go before the tree they show.
    delete m_tv;
    m_tv = nullptr;
    delete m_model;
    m_model = nullptr;
}

const ImageRegistry& frMain::imageRegistry() const
{
    return m_images->registry();
}
EventPump& frMain::eventPump()
{
    return *m_pump;
}
ElementCountDisplay& frMain::elementCount()
{
    return *m_count;
}

DialogService& frMain::dialogs()
{
    if (m_injectedDialogs)
        return *m_injectedDialogs;
    if (!m_cOpen) {
        m_cOpen = std::make_unique<cOpen>(m_programDir);
        m_cOpen->setMehWnd(this);
    }
    return *m_cOpen;
}

void frMain::createControls()
{
    // Below the client area, never seen: the language files' list.
    auto* fileLng =
        makeControl<QListWidget>(this, QStringLiteral("FileLNG"), {1140, 8130, 2175, 870});
    fileLng->setProperty("Pattern", QStringLiteral("*.lng"));

    m_fraTb = makeControl<QFrame>(this, QStringLiteral("FraTb(0)"), {120, 120, 9270, kFraTbHeight});
    QWidget* fra = m_fraTb;

    m_picTv = makeControl<QFrame>(fra, QStringLiteral("picTv"), {0, 0, 6060, 6060});
    m_tv = new NodeTreeView(m_picTv);
    m_tv->setObjectName(QStringLiteral("TV"));
    m_tv->setGeometry(TwipsRect(0, 0, 3765, 2460));
    m_vLine = makeControl<VLine>(m_picTv, QStringLiteral("VLine"), {4380, 960, 255, 3075});
    m_vLine->raise(); // the guide is drawn over the tree

    makeControl<QPushButton>(fra, QStringLiteral("cmdStartPoint"), {6120, 60, 3105, 315},
                             QStringLiteral("Commencer l'arbre depuis ..."));
    m_txtStartPath = makeControl<QLineEdit>(fra, QStringLiteral("txtStartPath"),
                                            {6120, 420, 3075, 315}, QDir::rootPath());
    QPalette face = m_txtStartPath->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    m_txtStartPath->setPalette(face);

    auto* frmPattern =
        makeControl<QGroupBox>(fra, QStringLiteral("frmPattern"), {6180, 900, 2955, 1275});
    // Box 0 on top, then two columns: 1 to 4 on the left, 5 to 8 on the right.
    const QString captions[] = {QStringLiteral("Ajouter tous les fichiers"),
                                QStringLiteral("prog"),
                                QStringLiteral("txt doc xls"),
                                QStringLiteral("html"),
                                QStringLiteral("images"),
                                QStringLiteral("sons"),
                                QStringLiteral("Videos"),
                                QStringLiteral("Archives"),
                                QStringLiteral("autres")};
    for (int i = 0; i <= 8; ++i) {
        const QRect twips =
            i == 0 ? QRect(120, 120, 2715, 225)
                   : QRect(i <= 4 ? 120 : 1560, 120 + 225 * ((i - 1) % 4 + 1), 1335, 225);
        makeControl<QCheckBox>(frmPattern, arrayName("chkFile", i), twips, captions[i]);
    }

    makeControl<QPushButton>(fra, QStringLiteral("Command1"), {6180, 2220, 1065, 315},
                             QStringLiteral("Supprimer"));
    makeControl<QPushButton>(fra, QStringLiteral("cmdExe"), {7380, 2220, 1755, 315},
                             QStringLiteral("Ajouter ces fichiers"));

    auto* frame1 = makeControl<QGroupBox>(fra, QStringLiteral("Frame1"), {6180, 2820, 3015, 1335},
                                          QStringLiteral("Nombre de lignes :"));
    m_frame1 = frame1;
    const int lineLefts[] = {120, 720, 1320};
    const char* lineCaptions[] = {"30", "40", "50"};
    for (int i = 0; i < 3; ++i) {
        makeControl<QRadioButton>(frame1, arrayName("opLines", i), {lineLefts[i], 240, 555, 255},
                                  QLatin1String(lineCaptions[i]));
    }
    control<QRadioButton>(arrayName("opLines", 2))->setChecked(true);
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
    m_lblNbElements = m_autoSizeLabels.back();

    auto* frame2 = makeControl<QGroupBox>(fra, QStringLiteral("Frame2"), {6180, 4260, 2985, 915},
                                          QStringLiteral("Impression"));
    makeControl<QCheckBox>(frame2, QStringLiteral("chkImageNb"), {60, 240, 2115, 255},
                           QStringLiteral("Dossier en Noir && Blanc"));
    makeControl<QCheckBox>(frame2, QStringLiteral("chkNb"), {60, 540, 1815, 255},
                           QStringLiteral("Imprimer en Couleur"))
        ->setChecked(true);

    makeControl<QPushButton>(fra, QStringLiteral("cmpProp"), {6180, 5250, 1335, 375},
                             QStringLiteral("Propriétés"));
    makeControl<QPushButton>(fra, QStringLiteral("cmdPrint"), {7920, 5250, 1275, 375},
                             QStringLiteral("Imprimer"));
    makeControl<QPushButton>(fra, QStringLiteral("cmdTranslate"), {6180, 5700, 1335, 375},
                             QStringLiteral("translate ..."));

    m_autoSizeLabels.push_back(makeControl<QLabel>(fra, QStringLiteral("lblNbColonnes"),
                                                   {0, 6075, 1560, 195},
                                                   QStringLiteral("Nombre de colonnes :")));
    makeControl<QRadioButton>(fra, arrayName("opColum", 3), {2580, 6075, 435, 195},
                              QStringLiteral("4"));
    makeControl<QRadioButton>(fra, arrayName("opColum", 4), {3780, 6075, 495, 195},
                              QStringLiteral("3"))
        ->setChecked(true);
    makeControl<QRadioButton>(fra, arrayName("opColum", 6), {4920, 6075, 495, 195},
                              QStringLiteral("2"));

    // The hidden listers: their work is done by the folder and file listers.
    makeControl<QListWidget>(fra, QStringLiteral("Directory"), {1500, 1260, 2175, 2115})->hide();
    auto* file1 = makeControl<QListWidget>(fra, QStringLiteral("File1"), {1500, 3420, 2175, 870});
    file1->setProperty("Pattern", QStringLiteral("*.ico"));
    file1->hide();
    makeControl<QListWidget>(fra, QStringLiteral("Drive1"), {1500, 4380, 2175, 315})->hide();

    for (QLabel* label : m_autoSizeLabels)
        label->parentWidget()->installEventFilter(this);
    fitAutoSizeLabels();
}

void frMain::createMenus()
{
    m_mnuNode = new QMenu(QStringLiteral("mnuNode"), this);
    m_mnuNode->setObjectName(QStringLiteral("mnuNode"));
    m_mnuGras = makeAction(this, QStringLiteral("mnuGras"), QStringLiteral("Gras"),
                           QKeySequence(Qt::CTRL | Qt::Key_B));
    m_mnuGras->setCheckable(true);
    const QList<QAction*> nodeItems{
        makeAction(this, QStringLiteral("mnuAddFile"), QStringLiteral("Ajouter les fichiers"),
                   QKeySequence(Qt::CTRL | Qt::Key_F)),
        makeSeparator(this, QStringLiteral("mnuSep00")),
        m_mnuGras,
        makeSeparator(this, QStringLiteral("mnuSep01")),
        makeAction(this, QStringLiteral("mnuForeColors"), QStringLiteral("Couleur du Texte ...")),
        makeAction(this, QStringLiteral("mnuBackColors"), QStringLiteral("Couleur du Fond ...")),
        makeSeparator(this, QStringLiteral("mnuSep02")),
        makeAction(this, QStringLiteral("mnuNiveau"), QStringLiteral("Appliquer au niveau"),
                   QKeySequence(Qt::CTRL | Qt::Key_L)),
        makeSeparator(this, QStringLiteral("mnuSep03")),
        makeAction(this, QStringLiteral("mnuLoad"), QStringLiteral("Ouvrir ..."),
                   QKeySequence(Qt::CTRL | Qt::Key_O)),
        makeAction(this, QStringLiteral("mnuSave"), QStringLiteral("Sauvegarder ..."),
                   QKeySequence(Qt::CTRL | Qt::Key_S)),
        makeSeparator(this, QStringLiteral("mnuSep04")),
        makeAction(this, QStringLiteral("mnuSupprim"), QStringLiteral("Supprimer"),
                   QKeySequence(Qt::Key_Delete)),
    };
    m_mnuNode->addActions(nodeItems);
    // The shortcut keys work while the menu is closed too.
    addActions(nodeItems);

    m_mnuLangue = new QMenu(QStringLiteral("MNlangue"), this);
    m_mnuLangue->setObjectName(QStringLiteral("MNlangue"));
    m_mnuLangue->addActions({
        makeAction(this, arrayName("MNlangueChoice", 0), QStringLiteral("#")),
        makeSeparator(this, QStringLiteral("MNlangueSep")),
        makeAction(this, QStringLiteral("MNlangueOther"), QStringLiteral("Other ...")),
        makeSeparator(this, QStringLiteral("MNlangueSep01")),
        makeAction(this, QStringLiteral("mnuabout"), QStringLiteral("A propos ...")),
    });
}

void frMain::connectControls()
{
    connect(control<QPushButton>(QStringLiteral("cmdStartPoint")), &QPushButton::clicked, this,
            &frMain::cmdStartPoint_Click);
    connect(m_tv, &NodeTreeView::mouseDown, this, &frMain::TV_MouseDown);
    connect(m_tv, &NodeTreeView::mouseUp, this, &frMain::TV_MouseUp);
    connect(m_tv, &NodeTreeView::clicked, this,
            [this](const QModelIndex& index) { TV_NodeClick(m_model->nodeOf(index)); });

    connect(m_mnuGras, &QAction::triggered, this, [this] {
        // A checkable item flips its own mark; the mark follows the node.
        const bool before = !m_mnuGras->isChecked();
        mnuGras_Click();
        const Node* selected = m_tree->selectedItem();
        m_mnuGras->setChecked(selected ? selected->bold() : before);
    });
    const std::pair<const char*, void (frMain::*)()> commands[] = {
        {"mnuForeColors", &frMain::mnuForeColors_Click},
        {"mnuBackColors", &frMain::mnuBackColors_Click},
        {"mnuNiveau", &frMain::mnuNiveau_Click},
        {"mnuSupprim", &frMain::mnuSupprim_Click},
    };
    for (const auto& [name, slot] : commands)
        connect(control<QAction>(QLatin1String(name)), &QAction::triggered, this, slot);
}

// Each subsystem connects its own controls with one call here:
//   file categories:          chkFile(0..8), cmdExe, Command1, mnuAddFile
//   jacket layout, printing:  opLines(0..2), opColum(3,4,6), chkNb, chkImageNb,
//                             cmpProp, cmdPrint, lblImprimable, VLine moves
//   tree documents:           mnuLoad, mnuSave
//   languages:                cmdTranslate, MNlangue items, setLanguageFilesLister
//   About window:             mnuabout
void frMain::connectSubsystems()
{
    new CategoryCommands(
        *this, tree(), eventPump(),
        [this](const QString& prompt, const QString& title, const QString& defaultText) {
            return dialogs().InputBox(prompt, title, defaultText);
        },
        this);
    connectLanguageMenu(*this);
    connectTreeDocuments(*this);
    connectJacketCommands(*this);
}

void frMain::Form_Load()
{
    m_mnuNode->hide();
    m_mnuLangue->hide();
    jacket.ColumnCount = 3;
    jacket.LinesPerColumn = 50;

    // 640 pixels wide; the inner height is the frame's plus 240 twips.
    setFixedSize(640, TwipsToVisiblePixels(kFraTbHeight + 240));
    m_tv->setGeometry(TwipsRect(0, 0, 6000, 6000));
    moveColumnGuide(*ColumnGuideLeft(jacket.LinesPerColumn, 4));
    const std::pair<int, int> columnLefts[] = {{4, 3700}, {3, 2700}, {6, 5700}};
    for (const auto& [index, left] : columnLefts) {
        QWidget* option = control<QWidget>(arrayName("opColum", index));
        option->move(TwipsToVisiblePixels(left), option->y());
    }
    dialogs().setMehWnd(this);
    jacket.ColumnOptionIndex = 4;

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
    ListLanguageFiles();
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
    const QString text =
        QStringLiteral("Attention vos fenêtres ne sont pas blanches sur votre système\r\n"
                       "Vos jaquettes adopterons cette couleur pour leur fond.\r\n"
                       "Veuillez modifier la couleur des 'Fenetres' dans les propriétés "
                       "d'affichages de Windows");
    dialogs().MsgBox(text, QStringLiteral("KVX"), MessageIcon::Critical);
}

void frMain::showStartupError(const StartupError& error)
{
    dialogs().MsgBox(error.description,
                     QStringLiteral("ERREUR n°%1 in xxxxxxxxxx").arg(error.number),
                     MessageIcon::Critical);
}

void frMain::ListLanguageFiles()
{
    if (m_listLanguages)
        m_listLanguages();
}

void frMain::cmdStartPoint_Click()
{
    const QString folder = dialogs().BrowseFolder(QStringLiteral("Choose a folder"));
    // A cancelled dialog keeps the start folder and the tree, styles and all.
    if (folder.isEmpty())
        return;
    m_txtStartPath->setText(folder);
    m_scan->setStartPath(m_txtStartPath->text());
    m_scan->BuildTree();
}

void frMain::TV_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}

void frMain::TV_NodeClick(Node*) {}

void frMain::TV_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position)
{
    RefreshElementCount(*m_tree, *m_count);
    if (const Node* selected = m_tree->selectedItem())
        m_mnuGras->setChecked(selected->bold());
    if (button == Qt::RightButton)
        m_mnuNode->popup(m_tv->viewport()->mapToGlobal(position));
}

void frMain::mnuGras_Click()
{
    if (Node* selected = m_tree->selectedItem())
        m_tree->setBold(selected, !selected->bold());
}

void frMain::mnuForeColors_Click()
{
    const qint32 colour = dialogs().ShowColor();
    Node* selected = m_tree->selectedItem();
    if (colour != -1 && selected)
        m_tree->setForeColor(selected, Colour(colour));
}

void frMain::mnuBackColors_Click()
{
    const qint32 colour = dialogs().ShowColor();
    Node* selected = m_tree->selectedItem();
    if (colour != -1 && selected)
        m_tree->setBackColor(selected, Colour(colour));
}

void frMain::mnuNiveau_Click()
{
    if (const Node* selected = m_tree->selectedItem())
        ApplyStyleToLevel(*m_tree, *selected);
}

void frMain::mnuSupprim_Click()
{
    if (const Node* selected = m_tree->selectedItem())
        m_tree->remove(selected->index());
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
