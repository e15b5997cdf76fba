#include "print/JacketPreview.h"

#include "lang/MessageTexts.h"
#include "print/JacketPage.h"
#include "print/SlicePlan.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace kvx {

namespace {

// Paper shown around the jacket, in pixels.
constexpr int kSurround = 12;

} // namespace

QImage JacketPreview::sheet(const JacketPage& page, const QPageLayout& paper, double dotsPerInch)
{
    const QSizeF inches = paper.fullRect(QPageLayout::Inch).size();
    QImage image((inches * dotsPerInch).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Smoothed: at a screen's resolution a hairline of the page may fall
    // between two pixels.
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(paper.paintRect(QPageLayout::Inch).topLeft() * dotsPerInch +
                      page.origin(paper, dotsPerInch));
    page.paint(painter, dotsPerInch);
    return image;
}

JacketPreview::JacketPreview(const JacketPage& page, const QPageLayout& paper,
                             const QString& printCaption, const MessageTexts& texts, QWidget* owner)
    : QDialog(owner), m_paper(paper)
{
    setObjectName(QStringLiteral("JacketPreview"));
    setWindowTitle(texts.text(Msg::PreviewTitle));
    setAccessibleName(windowTitle());

    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("leftOut"));
    note->setWordWrap(true);
    const int rows = page.rowCount(), printed = page.printedRows();
    note->setText(texts.text(Msg::PreviewLeftOut).arg(rows).arg(printed).arg(rows - printed));
    note->setVisible(rows > printed);

    m_scroll = new QScrollArea(this);
    m_scroll->setAccessibleName(windowTitle());
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto* sheetLabel = new QLabel;
    sheetLabel->setAccessibleName(windowTitle());
    m_scroll->setWidget(sheetLabel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* print = buttons->addButton(printCaption, QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("print"));
    for (QAbstractButton* button : buttons->buttons())
        button->setAccessibleName(button->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(buttons);

    // A square view of most of the screen's height; the jacket fills it.
    const QScreen* screen = owner ? owner->screen() : this->screen();
    const int side = screen ? screen->availableGeometry().height() * 3 / 4 : 600;
    resize(side, side + sizeHint().height());
    layout->activate();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int room = qMin(m_scroll->width(), m_scroll->height()) - bar - 2 * kSurround -
                     2 * m_scroll->frameWidth();
    m_dpi = qMax(24.0, room / (JacketSideCm / 2.54));
    m_shown = sheet(page, paper, m_dpi);
    sheetLabel->setPixmap(QPixmap::fromImage(m_shown));
    sheetLabel->resize(m_shown.size());
}

void JacketPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The jacket's corner at the top-left of the view.
    const QPointF corner = m_paper.paintRect(QPageLayout::Inch).topLeft() * m_dpi;
    m_scroll->horizontalScrollBar()->setValue(int(corner.x()) - kSurround);
    m_scroll->verticalScrollBar()->setValue(int(corner.y()) - kSurround);
}

} // namespace kvx
