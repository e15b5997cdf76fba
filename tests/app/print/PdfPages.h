#pragma once

// Reading a printed PDF back with poppler's tools, and checking its page.

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTest>

namespace kvx::test {

inline QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page at `dpi`, written beside the file as <file>.png.
inline QImage pdfPage(const QString& file, int dpi)
{
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), file, file});
    return QImage(file + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// True when every pixel of a page that was read is near-white (`blank`), or
// else grey.
inline bool everyPixel(const QImage& page, bool blank)
{
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            if (blank ? qGray(c) < 245
                      : qAbs(qRed(c) - qGreen(c)) + qAbs(qGreen(c) - qBlue(c)) > 12)
                return false;
        }
    return !page.isNull();
}

// The 12 cm frame on a page at `dpi`, its top-left corner at `origin`, and
// nothing drawn outside it.
inline void verifyFrameAndNothingOutside(QImage page, QPointF origin, int dpi)
{
    const double side = 12 / 2.54 * dpi;
    for (const QPointF on : {QPointF(side / 2, 0), QPointF(0, side / 2), QPointF(side, side / 3),
                             QPointF(side / 3, side)})
        QVERIFY(qGray(page.pixel((origin + on).toPoint())) < 160);
    QPainter(&page).fillRect(QRectF(origin, QSizeF(side, side)).adjusted(-2, -2, 3, 3), Qt::white);
    QVERIFY(everyPixel(page, true));
}

} // namespace kvx::test
