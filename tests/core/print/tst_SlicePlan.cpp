#include "print/SlicePlan.h"

#include <QTest>

using namespace kvx;

namespace {

// "first-last@x,y/viewHeight" per slice, ";" between slices.
QString describe(const std::vector<Slice>& slices)
{
    QStringList parts;
    for (const Slice& s : slices)
        parts << QStringLiteral("%1-%2@%3,%4/%5")
                     .arg(s.firstRow)
                     .arg(s.lastRow)
                     .arg(s.positionTwips.x())
                     .arg(s.positionTwips.y())
                     .arg(s.viewHeightTwips);
    return parts.join(QLatin1Char(';'));
}

SliceInputs inputs(int lines, int columns, int rows)
{
    SliceInputs in;
    in.rowsPerSlice = lines / 2;
    in.capacity = lines * columns;
    in.rowCount = rows;
    in.columnStepCm = ColumnStepCm(columns);
    return in;
}

} // namespace

class tst_SlicePlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plan_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("slices");

        QTest::newRow("50x3, 60 rows")
            << 50 << 3 << 60 << "1-25@0,0/6000;26-50@0,3402/6000;51-60@2268,0/2400";
        QTest::newRow("50x3, 200 rows: beyond the capacity nothing prints")
            << 50 << 3 << 200
            << "1-25@0,0/6000;26-50@0,3402/6000;51-75@2268,0/6000;76-100@2268,3402/6000;"
               "101-125@4536,0/6000;126-150@4536,3402/6000";
        QTest::newRow("50x3, exactly 50 rows")
            << 50 << 3 << 50 << "1-25@0,0/6000;26-50@0,3402/6000";
        QTest::newRow("50x3, exactly 150 rows")
            << 50 << 3 << 150
            << "1-25@0,0/6000;26-50@0,3402/6000;51-75@2268,0/6000;76-100@2268,3402/6000;"
               "101-125@4536,0/6000;126-150@4536,3402/6000";
        QTest::newRow("50x3, 10 rows: slice 1 keeps its full height")
            << 50 << 3 << 10 << "1-10@0,0/6000";
        QTest::newRow("50x3, 25 rows: one full slice") << 50 << 3 << 25 << "1-25@0,0/6000";
        QTest::newRow("50x3, 26 rows: a one-row last slice")
            << 50 << 3 << 26 << "1-25@0,0/6000;26-26@0,3402/240";
        QTest::newRow("50x3, one row") << 50 << 3 << 1 << "1-1@0,0/6000";
        QTest::newRow("50x3, no row") << 50 << 3 << 0 << "";
        QTest::newRow("30x2, 45 rows")
            << 30 << 2 << 45 << "1-15@0,0/3600;16-30@0,3402/3600;31-45@3402,0/3600";
        QTest::newRow("30x2, 61 rows") << 30 << 2 << 61
                                       << "1-15@0,0/3600;16-30@0,3402/3600;31-45@3402,0/3600;"
                                          "46-60@3402,3402/3600";
        QTest::newRow("40x4, 170 rows")
            << 40 << 4 << 170
            << "1-20@0,0/4800;21-40@0,3402/4800;41-60@1701,0/4800;61-80@1701,3402/4800;"
               "81-100@3402,0/4800;101-120@3402,3402/4800;121-140@5103,0/4800;"
               "141-160@5103,3402/4800";
        QTest::newRow("40x4, 47 rows")
            << 40 << 4 << 47 << "1-20@0,0/4800;21-40@0,3402/4800;41-47@1701,0/1680";
    }
    void plan()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QString, slices);
        const std::vector<Slice> plan = PlanSlices(inputs(lines, columns, rows));
        QCOMPARE(describe(plan), slices);
        for (size_t i = 0; i < plan.size(); ++i)
            QCOMPARE(plan[i].number, int(i) + 1);
    }

    void sizes_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("printedWidth");

        QTest::newRow("50 lines") << 50 << 0.567 << 3248.91;
        QTest::newRow("40 lines") << 40 << 0.70875 << 4061.1375;
        QTest::newRow("30 lines") << 30 << 0.945 << 5414.85;
    }
    void sizes()
    {
        QFETCH(int, lines);
        QFETCH(double, scale);
        QFETCH(double, printedWidth);
        QCOMPARE(PrintScale(TwipsPerCm, lines / 2), scale);
        const std::vector<Slice> plan = PlanSlices(inputs(lines, 2, lines + 3));
        QCOMPARE(plan.size(), size_t(3));
        for (const Slice& s : plan)
            QCOMPARE(s.printedTwips.width(), printedWidth);
        // Full slices are 6 cm high; a short last slice proportionally less.
        QCOMPARE(plan[0].printedTwips.height(), 6.0 * TwipsPerCm);
        QCOMPARE(plan[1].printedTwips.height(), 6.0 * TwipsPerCm);
        QCOMPARE(plan[2].printedTwips.height(), 6.0 * TwipsPerCm * 3 / (lines / 2));
    }

    void captureAndPrintedSizesOfTheSixtyRowExample()
    {
        const std::vector<Slice> plan = PlanSlices(inputs(50, 3, 60));
        QCOMPARE(plan.size(), size_t(3));
        QCOMPARE(plan[0].capturePixels, QSize(382, 400));
        QCOMPARE(plan[1].capturePixels, QSize(382, 400));
        QCOMPARE(plan[2].capturePixels, QSize(382, 160));
        QCOMPARE(plan[0].printedTwips.height(), 3402.0);
        QCOMPARE(plan[2].printedTwips.height(), 1360.8);
        QCOMPARE(plan[2].printedTwips.width(), 3248.91);
    }

    void captureSizeFollowsTheScreen()
    {
        SliceInputs in = inputs(50, 3, 10);
        in.twipsPerPixelX = 12; // 120 dpi
        in.twipsPerPixelY = 12;
        const Slice s = PlanSlices(in).front();
        QCOMPARE(s.capturePixels, QSize(478, 500)); // 477.5 rounds to even
    }

    // Each slice is clipped to its own column within the 12 cm square, so the
    // last column's slices, wider than their column, never print past the frame.
    void clipStaysInsideTheJacket_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addRow("30x2") << 30 << 2 << 60;
        QTest::addRow("40x4") << 40 << 4 << 160;
        QTest::addRow("50x3") << 50 << 3 << 150;
        QTest::addRow("50x4") << 50 << 4 << 200;
    }
    void clipStaysInsideTheJacket()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const int side = 12 * TwipsPerCm;
        const int step = ColumnStepCm(columns) * TwipsPerCm;
        const std::vector<Slice> plan = PlanSlices(inputs(lines, columns, rows));
        QCOMPARE(int(plan.size()), 2 * columns);
        for (const Slice& s : plan) {
            const int column = (s.number - 1) / 2;
            QCOMPARE(s.clipTwips, QRect(column * step, 0, step, side));
            QVERIFY(s.positionTwips.x() + s.printedTwips.width() > s.clipTwips.right());
        }
        QCOMPARE(plan.back().clipTwips.right() + 1, side);
    }

    // How much of a capture lies inside its column: the rest is never drawn.
    void visibleWidth_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("last");
        QTest::addRow("50x2") << 50 << 2 << 382 << 382;
        QTest::addRow("50x3: 266.7 px") << 50 << 3 << 267 << 266;
        QTest::addRow("50x4") << 50 << 4 << 200 << 200;
        QTest::addRow("40x3: 213.3 px") << 40 << 3 << 214 << 213;
        QTest::addRow("30x2") << 30 << 2 << 240 << 240;
        QTest::addRow("30x4") << 30 << 4 << 120 << 120;
    }
    void visibleWidth()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, inner);
        QFETCH(int, last);
        const std::vector<Slice> plan = PlanSlices(inputs(lines, columns, lines * columns));
        QCOMPARE(plan.front().visiblePixels, QSize(inner, plan.front().capturePixels.height()));
        QCOMPARE(plan.back().visiblePixels.width(), last);
        // Drawn, the last column's part ends within the jacket.
        const Slice& s = plan.back();
        QVERIFY(s.positionTwips.x() +
                    s.visiblePixels.width() * s.printedTwips.width() / s.capturePixels.width() <=
                12 * TwipsPerCm);
    }

    void columnSteps_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("stepCm");
        QTest::addRow("2") << 2 << 6;
        QTest::addRow("3") << 3 << 4;
        QTest::addRow("4") << 4 << 3;
    }
    void columnSteps()
    {
        QFETCH(int, columns);
        QFETCH(int, stepCm);
        QCOMPARE(ColumnStepCm(columns), stepCm);
    }
};

QTEST_APPLESS_MAIN(tst_SlicePlan)
#include "tst_SlicePlan.moc"
