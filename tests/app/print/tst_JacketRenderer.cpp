#include "JacketTestTree.h"
#include "print/JacketRenderer.h"
#include "print/PrintViewMode.h"
#include "util/ProcessEventsPump.h"

#include <QPainter>
#include <QTreeView>

using namespace kvx;

// Paints jackets onto an image of 100 pixels per centimetre (254 dpi).
class tst_JacketRenderer : public QObject
{
    Q_OBJECT

    static constexpr int Dpi = 254;
    static constexpr double PixelsPerTwip = Dpi / 1440.0;

private Q_SLOTS:
    void slicesLandAtTheirPlacesInsideTheFrame_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addRow("50x3, 60 rows") << 50 << 3 << 60;
        QTest::addRow("50x3, 200 rows") << 50 << 3 << 200;
        QTest::addRow("50x3, 10 rows") << 50 << 3 << 10;
        QTest::addRow("30x2, 45 rows") << 30 << 2 << 45;
        QTest::addRow("40x4, 170 rows") << 40 << 4 << 170;
        QTest::addRow("40x4, 47 rows") << 40 << 4 << 47;
    }
    void slicesLandAtTheirPlacesInsideTheFrame()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);

        test::ShownRows shown(rows);
        QTreeView& view = shown.view;
        PrintViewMode mode(shown.tree, view, nullptr);

        const std::vector<Slice> plan = PlanSlices(test::inputsFor(lines, columns, rows));

        QImage page(1400, 1400, QImage::Format_RGB32);
        page.setDotsPerMeterX(10000);
        page.setDotsPerMeterY(10000);
        page.fill(Qt::white);
        ProcessEventsPump pump;
        {
            QPainter painter(&page);
            JacketRenderer renderer(painter, Dpi);
            QVERIFY(renderer.paintSlices(view, plan, pump));
            renderer.paintFrame();
        }
        test::verifyRowsAtTheirPlaces(page, QPointF(0, 0), PixelsPerTwip, plan,
                                      PrintScale(TwipsPerCm, lines / 2));
        // The frame: 12 cm square from the corner, and nothing past it, even
        // where the last column's slices are wider than their column.
        QVERIFY(qGray(page.pixel(600, 0)) < 128);
        QVERIFY(qGray(page.pixel(0, 600)) < 128);
        QVERIFY(qGray(page.pixel(1200, 600)) < 128);
        QVERIFY(qGray(page.pixel(600, 1200)) < 128);
        QVERIFY(test::blank(page, QRect(1202, 0, 198, 1400)));
        QVERIFY(test::blank(page, QRect(0, 1202, 1400, 198)));
    }

    void viewEndsScrolledToTheLastSlice()
    {
        test::ShownRows shown(60);
        QTreeView& view = shown.view;
        PrintViewMode mode(shown.tree, view, nullptr);

        // The last slice of 10 rows shows rows 51-60: row 51 on top.
        SetViewHeight(view, 10 * RowHeightTwips);
        EnsureRowVisible(view, 60);
        QCOMPARE(view.viewport()->height(), 160);
        QCOMPARE(view.indexAt(QPoint(5, 1)).data().toString(), test::rowLabel(51));
        // Scrolling up to row 1 puts it on top again.
        EnsureRowVisible(view, 1);
        QCOMPARE(view.indexAt(QPoint(5, 1)).data().toString(), test::rowLabel(1));
        // A row past the end changes nothing.
        EnsureRowVisible(view, 999);
        QCOMPARE(view.indexAt(QPoint(5, 1)).data().toString(), test::rowLabel(1));
    }

    // A preview copy is the view's own drawing: 382 x 400 pixels for a full
    // 50-line slice, rows of exactly 16 pixels.
    void captureWindowAreaCopiesTheView()
    {
        test::ShownRows shown(30);
        QTreeView& view = shown.view;
        PrintViewMode mode(shown.tree, view, nullptr);

        const QImage shot = CaptureWindowArea(view, QSize(382, 400));
        QCOMPARE(shot.size() / shot.devicePixelRatio(), QSize(382, 400));
        for (int r = 1; r <= 25; ++r)
            QVERIFY2(test::near(shot.pixel(150, (r - 1) * 16 + 8), test::expected(r)),
                     qPrintable(test::rowText(r)));
    }
};

QTEST_MAIN(tst_JacketRenderer)
#include "tst_JacketRenderer.moc"
