// --pdf as kvx runs it: under a QGuiApplication, where making a widget would
// end the process.
#include "JacketTestTree.h"
#include "cli/CommandLine.h"
#include "cli/HeadlessRun.h"
#include "cli/ProgramStart.h"
#include "print/CoverTemplates.h"
#include "print/PdfJacket.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kvx;

namespace {

constexpr double kPxPerMm = 300 / 25.4;

QRectF pixels(const QRectF& mm)
{
    return QRectF(mm.topLeft() * kPxPerMm, mm.size() * kPxPerMm);
}

// The box of the dark pixels within `area`, in mm.
QRectF inkBox(const QImage& page, const QRectF& area)
{
    QRectF box;
    const QRect within = pixels(area).toRect() & page.rect();
    for (int y = within.top(); y <= within.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(line[x]) < 160)
                box |= QRectF(x / kPxPerMm, y / kPxPerMm, 1 / kPxPerMm, 1 / kPxPerMm);
    }
    return box;
}

} // namespace

class tst_PdfJacket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A chain of folders 30 deep, printed: the rows lie in the first column
    // (two slices of 25 rows and 6), pictures and labels of the deepest rows
    // included, and nothing but the frame lies outside it. No window was made.
    void chainStaysInItsColumn()
    {
        QTemporaryDir dir;
        QString chain = dir.filePath("disc");
        for (int level = 1; level <= 30; ++level)
            chain += QString("/niveau %1").arg(level);
        QVERIFY(QDir().mkpath(chain));
        const QString pdf = dir.filePath("chain.pdf");
        const CommandLineResult read = parseCommandLine(
            {"--from", dir.filePath("disc"), "--expand", "99", "--pdf", pdf, "--list"});
        QVERIFY(read.options);
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        PdfJacket printing;
        QCOMPARE(runHeadless(*read.options, outStream, errStream, &printing), 0);
        QCOMPARE(out.count('\n'), 31);
        QVERIFY(QGuiApplication::topLevelWindows().isEmpty());

        QImage page = test::pdfPage(pdf);
        const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Point);
        const QPointF origin = a4.paintRect(QPageLayout::Inch).topLeft() * 144;
        const double cm = 144 / 2.54;
        const QRectF column(origin, QSizeF(4 * cm, 12 * cm));
        QVERIFY(!page.copy(column.toRect()).allGray()); // the yellow folders
        QPainter white(&page);
        white.fillRect(column.adjusted(0, 0, 1, 0), Qt::white);
        white.setPen(QPen(Qt::white, 5));
        white.drawRect(QRectF(origin, QSizeF(12 * cm, 12 * cm)));
        white.end();
        QImage blank(page.size(), page.format());
        blank.fill(Qt::white);
        QVERIFY(page == blank);
    }

    // The other covers, measured on the page: the sheet's paper and turn,
    // the cut and fold marks where the template puts the outline and the
    // spines, the title along each spine, and ink nowhere else but in the
    // rows areas, on the fronts and on the booklet's frame. The document
    // saved with them keeps their values.
    void covers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QSizeF>("sheet"); // mm, as turned
        const QSizeF a4(210, 297), letter(215.9, 279.4);
        QTest::newRow("tray") << "tray"
                              << "a4" << a4;
        QTest::newRow("dvd") << "dvd"
                             << "a4" << a4.transposed();
        QTest::newRow("dvd on letter") << "dvd"
                                       << "letter" << letter.transposed();
        QTest::newRow("slimdvd") << "slimdvd"
                                 << "letter" << letter.transposed();
        QTest::newRow("booklet+tray") << "booklet+tray"
                                      << "a4" << a4;
        QTest::newRow("booklet+tray on letter") << "booklet+tray"
                                                << "letter" << letter;
    }
    void covers()
    {
        QFETCH(QString, name);
        QFETCH(QString, paper);
        QFETCH(QSizeF, sheet);
        QTemporaryDir dir;
        for (int i = 1; i <= 30; ++i)
            QVERIFY(QDir().mkpath(dir.filePath(QString("disc/Dossier %1/Photos").arg(i))));
        const QString pdf = dir.filePath("x.pdf"), saved = dir.filePath("x.kvx");
        // 59 rows on a booklet of 30 lines by 2 with its title: the tray gets the last 2.
        const CommandLineResult read = parseCommandLine(
            QString("--from|%1|--expand|2|--pdf|%2|--save|%3|--template|%4|--paper|%5|"
                    "--disc-title|Vacances 2026|--disc-id|n° 12|--title-on-booklet|--lines|30|"
                    "--columns|2")
                .arg(dir.filePath("disc"), pdf, saved, name, paper)
                .split('|'));
        QVERIFY(read.options);
        QString said, err;
        QTextStream outStream(&said), errStream(&err);
        PdfJacket printing;
        QCOMPARE(runHeadless(*read.options, outStream, errStream, &printing), 0);
        QFile document(saved);
        QVERIFY(document.open(QIODevice::ReadOnly));
        QVERIFY(document.readAll().endsWith("[Cover]\r\nTemplate=" + name.toUtf8() +
                                            "\r\nTitle=Vacances 2026\r\nIdentifier=n° 12\r\n"
                                            "TitleOnBooklet=1\r\n"));

        QImage page = test::pdfPage(pdf, 300);
        const QSize size = pixels(QRectF(QPointF(), sheet)).size().toSize(); // or a pixel more
        QVERIFY(qAbs(page.width() - size.width()) + qAbs(page.height() - size.height()) <= 1);
        const CoverTemplate& cover = *FindCoverTemplate(name);
        const QPointF corner =
            QRectF(QPointF(), sheet).center() - QRectF(QPointF(), cover.blockMm()).center();
        // The ink of a mark crossing `window` lies within 0.2 mm of `at`, along x or y.
        const auto mark = [&page](const QRectF& window, double at, bool alongX) {
            const QPointF middle = inkBox(page, window).center();
            return qAbs((alongX ? middle.x() : middle.y()) - at) <= 0.2;
        };
        constexpr double out = MarkGapMm + MarkLengthMm;
        QPainter white(&page);
        for (int i = 0; i < cover.cardCount; ++i) {
            const CoverCard& card = cover.cards[size_t(i)];
            const QRectF outline(corner + card.placeMm, card.outlineMm);
            for (int c = 0; c < 4 && !card.booklet; ++c) {
                const double x = c % 2 ? outline.right() : outline.left();
                const double y = c / 2 ? outline.bottom() : outline.top();
                const double beyondX = c % 2 ? x + MarkGapMm : x - out;
                const double beyondY = c / 2 ? y + MarkGapMm : y - out;
                QVERIFY2(mark(QRectF(x - 1, beyondY, 2, MarkLengthMm), x, true), "cut mark");
                QVERIFY2(mark(QRectF(beyondX, y - 1, MarkLengthMm, 2), y, false), "cut mark");
            }
            for (int s = 0; s < card.spineCount; ++s) {
                const SpineMm& spine = card.spines[size_t(s)];
                for (const double edge : {spine.left, spine.left + spine.width}) {
                    const double x = outline.left() + edge;
                    if (edge > 0 && edge < card.outlineMm.width())
                        for (const double y : {outline.top() - out, outline.bottom() + MarkGapMm})
                            QVERIFY2(mark(QRectF(x - 1, y, 2, MarkLengthMm), x, true), "fold");
                }
                // The title, along the spine and inside it.
                const QRectF along(outline.left() + spine.left, outline.top(), spine.width,
                                   outline.height());
                const QRectF ink = inkBox(page, along.adjusted(-2, 1, 2, -1));
                QVERIFY(along.contains(ink) && ink.height() > 4 * ink.width());
                white.fillRect(pixels(along), Qt::white);
            }
            for (const QRectF& area : {card.rowsMm, card.frontMm}) {
                if (!area.isEmpty()) {
                    QVERIFY(!inkBox(page, area.translated(outline.topLeft())).isEmpty());
                    white.fillRect(pixels(area.translated(outline.topLeft())), Qt::white);
                }
            }
            // The marks, or the booklet's frame.
            const double ring = card.booklet ? 0.3 : out + 0.5;
            white.setPen(QPen(Qt::white, 2 * ring * kPxPerMm));
            white.drawRect(pixels(outline));
        }
        white.end();
        QCOMPARE(inkBox(page, QRectF(QPointF(), sheet)), QRectF()); // nothing else
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    tst_PdfJacket test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PdfJacket.moc"
