#include "about/FRMabout.h"

#include "about/AboutArtwork.h"
#include "about/AppInfo.h"
#include "about/ShellOpen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <iterator>

namespace kvx {

namespace {

// The window is laid out in pixels of 15 twips.
constexpr int kInitialInterval = 1000;
constexpr int kCrossPressShift = 1;
const QPoint kEdgesFromCross(-3, -4);

const QColor kLinkBlue(0, 0, 255);
const QColor kLinkPurple(128, 0, 128);

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

void makeLink(QLabel* label, const QColor& colour)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace

FRMabout::FRMabout(ShellOpen& shell, QWidget* parent)
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

    // Captions on the left, values beside them; the value column moves right
    // when the captions need more room than they had in the original layout.
    struct Row
    {
        const char* captionName;
        QString caption;
        const char* valueName;
    };
    const Row rows[] = {
        {"Label1", QStringLiteral("Application   :"), "LBLappname"},
        {"Label2", QStringLiteral("Version         :"), "LBLversion"},
        {"Label4", QStringLiteral("Exécutable   :"), "LBLexe"},
        {"Label3", QStringLiteral("CopyRight    :"), "LBLcopyRight"},
        {"Label5", QStringLiteral("Organisation :"), "LBLCieName"},
    };
    constexpr int kCaptionLeft = 180;
    int captionWidth = 0;
    for (const Row& row : rows)
        captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(row.caption));
    const int valueLeft = std::max(252, kCaptionLeft + captionWidth + 6);
    QLabel* values[std::size(rows)];
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const int top = 24 + 20 * int(i);
        addLabel(this, rows[i].captionName, rows[i].caption,
                 {kCaptionLeft, top, valueLeft - kCaptionLeft, 15});
        values[i] =
            addLabel(this, rows[i].valueName, {}, {valueLeft, top, width() - valueLeft - 4, 15});
    }
    m_appName = values[0];
    m_version = values[1];
    m_exe = values[2];
    m_copyRight = values[3];
    m_copyRight->setText(QString(appinfo::kContactEmail));
    m_copyRight->adjustSize();
    makeLink(m_copyRight, kLinkBlue);
    m_cieName = values[4];
    m_cieName->setText(QString(appinfo::kMakerName));
    m_cieName->adjustSize();
    makeLink(m_cieName, kLinkPurple);

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
    m_band = titleBand(QCoreApplication::applicationName());
    m_version->setText(QStringLiteral(KVX_VERSION));
    // The program file's own name as started; on this platform it carries no
    // extension.
    const QString started = QCoreApplication::arguments().value(0);
    m_exe->setText(QFileInfo(started.isEmpty() ? QCoreApplication::applicationFilePath() : started)
                       .fileName());
    const QPoint edges = m_exit->pos() + kEdgesFromCross;
    m_top->move(edges);
    m_down->move(edges);

    const QStringList delays =
        QStringLiteral("1000,200,200,200,200,1000,200,200,200,200,1000,200,200,200,100")
            .split(QLatin1Char(','));
    for (const QString& delay : delays.mid(0, kAnimationFrameCount))
        m_animationDelays.append(delay.toInt());
    m_animationFrame = 0;
    m_timer->start(kInitialInterval);
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
    m_shell.ShellOpenDocument(QString(appinfo::kWebAddress), 10, {}, {}, QStringLiteral("open"),
                              this);
}

QString FRMabout::mailLink() const
{
    const QString subject =
        QStringLiteral("About ") + m_appName->text() + QLatin1Char(' ') + m_version->text();
    // Blanks and the like are escaped so that every mail program reads the
    // subject whole.
    return QStringLiteral("mailto:") + QString(appinfo::kContactEmail) +
           QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject));
}

void FRMabout::LBLcopyRight_Click()
{
    m_shell.ShellOpenDocument(mailLink(), 10, {}, {}, QStringLiteral("open"), this);
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
        return release && mouse->button() == Qt::LeftButton &&
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
    if (watched == m_cieName && clicked())
        LBLCieName_Click();
    else if (watched == m_copyRight && clicked())
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
