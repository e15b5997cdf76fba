#include "print/SlicePlan.h"

#include <QTest>

using namespace kvx;

class tst_SlicePlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Slices as "first-last@x,y/viewHeight", ";" between them.
    void plan_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("slices");
        const QString full = "1-25@0,0/6000;26-50@0,3402/6000;51-75@2268,0/6000;"
                             "76-100@2268,3402/6000;101-125@4536,0/6000;126-150@4536,3402/6000";
        QTest::newRow("50x3 60") << 50 << 3 << 60 << 0.567
                                 << "1-25@0,0/6000;26-50@0,3402/6000;51-60@2268,0/2400";
        QTest::newRow("50x3 200: past the capacity") << 50 << 3 << 200 << 0.567 << full;
        QTest::newRow("50x3 50") << 50 << 3 << 50 << 0.567 << "1-25@0,0/6000;26-50@0,3402/6000";
        QTest::newRow("50x3 10: slice 1 full height") << 50 << 3 << 10 << 0.567 << "1-10@0,0/6000";
        QTest::newRow("50x3 26") << 50 << 3 << 26 << 0.567 << "1-25@0,0/6000;26-26@0,3402/240";
        QTest::newRow("50x3 0") << 50 << 3 << 0 << 0.567 << "";
        QTest::newRow("30x2 45") << 30 << 2 << 45 << 0.945
                                 << "1-15@0,0/3600;16-30@0,3402/3600;31-45@3402,0/3600";
        QTest::newRow("40x4 170")
            << 40 << 4 << 170 << 0.70875
            << "1-20@0,0/4800;21-40@0,3402/4800;41-60@1701,0/4800;61-80@1701,3402/4800;"
               "81-100@3402,0/4800;101-120@3402,3402/4800;121-140@5103,0/4800;"
               "141-160@5103,3402/4800";
        QTest::newRow("40x4 47") << 40 << 4 << 47 << 0.70875
                                 << "1-20@0,0/4800;21-40@0,3402/4800;41-47@1701,0/1680";
    }
    void plan()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(double, scale);
        QFETCH(QString, slices);
        QCOMPARE(PrintScale(TwipsPerCm, lines / 2), scale);
        const std::vector<Slice> plan = PlanSlices({.rowsPerSlice = lines / 2,
                                                    .capacity = lines * columns,
                                                    .rowCount = rows,
                                                    .columnStepCm = ColumnStepCm(columns)});
        QStringList got;
        const int side = 12 * TwipsPerCm, step = side / columns;
        for (const Slice& s : plan) {
            got << QStringLiteral("%1-%2@%3,%4/%5")
                       .arg(s.firstRow)
                       .arg(s.lastRow)
                       .arg(s.positionTwips.x())
                       .arg(s.positionTwips.y())
                       .arg(s.viewHeightTwips);
            // Each slice prints clipped to its own column of the 12 cm square.
            QCOMPARE(s.clipTwips, QRect((got.size() - 1) / 2 * step, 0, step, side));
        }
        QCOMPARE(got.join(QLatin1Char(';')), slices);
    }
};

QTEST_APPLESS_MAIN(tst_SlicePlan)
#include "tst_SlicePlan.moc"
