#include "about/FRMabout.h"

#include "about/AboutArtwork.h"
#include "about/ShellOpen.h"
#include "util/ProgramFolders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <iterator>

namespace kvx {

namespace {

// The window is laid out in pixels of 15 twips.
constexpr int kInitialInterval = 1000;
constexpr int kCrossPressShift = 1;
const QPoint kEdgesFromCross(-3, -4);

// The rows of captions and values, right of the animation.
constexpr int kRowsLeft = 180;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

// A label that opens its target when clicked, or when it has the focus and
// Enter or the space bar is pressed.
void makeLink(QLabel* label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::StrongFocus);
}

} // namespace

FRMabout::FRMabout(ShellOpen& shell, const QString& programDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_shell(shell)
{
    setObjectName(QStringLiteral("FRMabout"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kTitleBandWidth, 124);
    setWindowTitle(QCoreApplication::applicationName());
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    // Captions on the left, each value beside its caption whatever the
    // captions' length in the interface's language.
    m_rows = new QWidget(this);
    auto* grid = new QGridLayout(m_rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    struct Row
    {
        const char* captionName;
        QString caption;
        const char* valueName;
    };
    const Row table[] = {
        {"Label1", QStringLiteral("Application :"), "LBLappname"},
        {"Label2", QStringLiteral("Version :"), "LBLversion"},
        {"Label4", QStringLiteral("Exécutable :"), "LBLexe"},
        {"Label3", QStringLiteral("Licence :"), "LBLcopyRight"},
        {"Label5", QStringLiteral("Documentation :"), "LBLCieName"},
    };
    QLabel* captions[std::size(table)];
    QLabel* values[std::size(table)];
    for (std::size_t i = 0; i < std::size(table); ++i) {
        captions[i] = addLabel(m_rows, table[i].captionName, table[i].caption, {});
        values[i] = addLabel(m_rows, table[i].valueName, {}, {});
        grid->addWidget(captions[i], int(i), 0);
        grid->addWidget(values[i], int(i), 1);
    }
    grid->setRowStretch(int(std::size(table)), 1);
    m_appName = values[0];
    m_version = values[1];
    m_exe = values[2];
    // The links: the licence text and the documentation folder, each shown
    // only when the program has it.
    m_copyRight = values[3];
    m_copyRight->setText(QStringLiteral("Lire la licence"));
    m_cieName = values[4];
    m_cieName->setText(QStringLiteral("Ouvrir le dossier"));
    m_documentation = documentationFolderFor(programDir);
    m_licence = licenceFileIn(m_documentation);
    for (const std::size_t i : {3u, 4u}) {
        makeLink(values[i]);
        const bool shown = !(i == 3 ? m_licence : m_documentation).isEmpty();
        captions[i]->setVisible(shown);
        values[i]->setVisible(shown);
    }

    auto* viewport = new QFrame(this);
    viewport->setObjectName(QStringLiteral("Picture1"));
    viewport->setGeometry(8, 28, 164, 89);
    viewport->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    viewport->setLineWidth(2);
    m_image = addLabel(viewport, "Image1", {},
                       {2, 2, kAnimationFrameWidth, kAnimationFrameHeight * kAnimationFrameCount});
    m_image->setPixmap(animationStrip());

    m_top = addLabel(this, "LBLtop", {}, {0, 0, kButtonEdgeSize, kButtonEdgeSize});
    m_down = addLabel(this, "LBLdown", {}, {0, 0, kButtonEdgeSize, kButtonEdgeSize});
    m_exit = addLabel(this, "LBLexit", {}, {372, 5, kCrossSize, kCrossSize});
    m_exit->setPixmap(closeCross());
    m_exit->setAlignment(Qt::AlignCenter);
    m_exit->setMouseTracking(true);
    setCrossPressed(false);
    setCrossEdges(false);
    setMouseTracking(true);

    for (QWidget* watched : {static_cast<QWidget*>(m_exit), static_cast<QWidget*>(m_image),
                             static_cast<QWidget*>(m_copyRight), static_cast<QWidget*>(m_cieName)})
        watched->installEventFilter(this);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &QTimer::timeout, this, &FRMabout::Timer1_Timer);

    Form_Load();
}

void FRMabout::Form_Load()
{
    m_appName->setText(QCoreApplication::applicationName());
    m_version->setText(QStringLiteral(KVX_VERSION));
    // The program file's own name as started; on this platform it carries no
    // extension.
    const QString started = QCoreApplication::arguments().value(0);
    m_exe->setText(QFileInfo(started.isEmpty() ? QCoreApplication::applicationFilePath() : started)
                       .fileName());

    const QStringList delays =
        QStringLiteral("1000,200,200,200,200,1000,200,200,200,200,1000,200,200,200,100")
            .split(QLatin1Char(','));
    for (const QString& delay : delays.mid(0, kAnimationFrameCount))
        m_animationDelays.append(delay.toInt());
    m_animationFrame = 0;
    m_timer->start(kInitialInterval);
}

void FRMabout::showEvent(QShowEvent* event)
{
    // As wide as the rows need in the interface's language (a language file
    // may have been applied since the window was made), the title band and
    // the close cross along.
    setFixedWidth(std::max(kTitleBandWidth, kRowsLeft + m_rows->sizeHint().width() + 8));
    m_rows->setGeometry(kRowsLeft, 24, width() - kRowsLeft - 8, height() - 28);
    m_band = titleBand(QCoreApplication::applicationName(), width());
    m_exit->move(width() - 15, m_exit->y());
    const QPoint edges = m_exit->pos() + kEdgesFromCross;
    m_top->move(edges);
    m_down->move(edges);
    QDialog::showEvent(event);
}

void FRMabout::Timer1_Timer()
{
    m_animationFrame = (m_animationFrame + 1) % kAnimationFrameCount;
    m_image->move(m_image->x(), 2 - m_animationFrame * kAnimationFrameHeight);
    if (m_animationFrame < m_animationDelays.size())
        m_timer->setInterval(m_animationDelays.at(m_animationFrame));
}

void FRMabout::Image1_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && m_timer->isActive())
        m_timer->stop();
    if (button == Qt::RightButton && !m_timer->isActive())
        Timer1_Timer();
}

void FRMabout::Image1_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && !m_timer->isActive())
        m_timer->start();
}

void FRMabout::LBLCieName_Click()
{
    if (!m_documentation.isEmpty())
        m_shell.ShellOpenDocument(m_documentation, 10, {}, {}, QStringLiteral("open"), this);
}

void FRMabout::LBLcopyRight_Click()
{
    if (!m_licence.isEmpty())
        m_shell.ShellOpenDocument(m_licence, 10, {}, {}, QStringLiteral("open"), this);
}

void FRMabout::setCrossEdges(bool visible)
{
    m_top->setVisible(visible);
    m_down->setVisible(visible);
}

void FRMabout::setCrossPressed(bool pressed)
{
    m_top->setPixmap(buttonEdge(ButtonEdge::TopLeft, pressed ? Qt::black : Qt::white));
    m_down->setPixmap(buttonEdge(ButtonEdge::BottomRight, pressed ? Qt::white : Qt::black));
}

void FRMabout::LBLexit_MouseMove()
{
    setCrossEdges(true);
    m_exit->raise();
}

void FRMabout::LBLexit_MouseDown()
{
    setCrossPressed(true);
    m_exit->move(m_exit->pos() + QPoint(kCrossPressShift, kCrossPressShift));
    m_exitPressed = true;
}

void FRMabout::LBLexit_MouseUp()
{
    if (!m_exitPressed)
        return;
    m_exitPressed = false;
    setCrossPressed(false);
    m_exit->move(m_exit->pos() - QPoint(kCrossPressShift, kCrossPressShift));
}

bool FRMabout::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool release = type == QEvent::MouseButtonRelease;
    const auto* mouse = press || release ? static_cast<QMouseEvent*>(event) : nullptr;
    // A click is a release over the label that was pressed.
    const auto clicked = [&] {
        return mouse && release && mouse->button() == Qt::LeftButton &&
               static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    };

    if (watched == m_exit) {
        if (type == QEvent::MouseMove || type == QEvent::Enter)
            LBLexit_MouseMove();
        else if (type == QEvent::Leave)
            setCrossEdges(false);
        else if (press)
            LBLexit_MouseDown();
        else if (release) {
            LBLexit_MouseUp();
            if (clicked())
                close();
        }
        return press || release || type == QEvent::MouseMove;
    }
    if (watched == m_image && (press || release)) {
        if (press)
            Image1_MouseDown(mouse->button());
        else
            Image1_MouseUp(mouse->button());
        return true;
    }
    const auto* key = type == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool activated =
        clicked() || (key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                              key->key() == Qt::Key_Space));
    if (watched == m_cieName && activated)
        LBLCieName_Click();
    else if (watched == m_copyRight && activated)
        LBLcopyRight_Click();
    return QDialog::eventFilter(watched, event);
}

void FRMabout::mousePressEvent(QMouseEvent* event)
{
    m_dragOrigin = event->position().toPoint();
}

void FRMabout::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        move(pos() + event->position().toPoint() - m_dragOrigin);
        raise();
    }
    setCrossEdges(false);
}

void FRMabout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.drawPixmap(0, 0, m_band);
    painter.setPen(palette().shadow().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kvx
