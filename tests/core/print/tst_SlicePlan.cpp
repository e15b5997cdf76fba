#include "print/SlicePlan.h"

#include <QTest>

using namespace kvx;

// The slices of worked jackets, 567 twips to the centimetre: which rows each
// holds, where it lands (twips), and a shortened last one's rows after "/".
class tst_SlicePlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plans_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("slices");
        QTest::addColumn<double>("width");      // printed, of every slice
        QTest::addColumn<double>("lastHeight"); // printed, of the last slice
        const auto row = [](int lines, int columns, int rows, const char* slices, double width,
                            double lastHeight) {
            QTest::addRow("%dx%d, %d rows", lines, columns, rows)
                << lines << columns << rows << QString(slices) << width << lastHeight;
        };
        row(50, 3, 60, "1-25@0,0 26-50@0,3402 51-60@2268,0/10", 3248.91, 1360.8);
        row(50, 3, 200,
            "1-25@0,0 26-50@0,3402 51-75@2268,0 76-100@2268,3402 101-125@4536,0 126-150@4536,3402",
            3248.91, 3402);
        row(50, 3, 50, "1-25@0,0 26-50@0,3402", 3248.91, 3402);
        row(50, 3, 150,
            "1-25@0,0 26-50@0,3402 51-75@2268,0 76-100@2268,3402 101-125@4536,0 126-150@4536,3402",
            3248.91, 3402);
        row(50, 3, 10, "1-10@0,0", 3248.91, 3402); // slice 1 keeps its height
        row(40, 4, 170,
            "1-20@0,0 21-40@0,3402 41-60@1701,0 61-80@1701,3402 81-100@3402,0 101-120@3402,3402 "
            "121-140@5103,0 141-160@5103,3402",
            4061.14, 3402);
        row(40, 4, 45, "1-20@0,0 21-40@0,3402 41-45@1701,0/5", 4061.14, 850.5);
        row(30, 2, 45, "1-15@0,0 16-30@0,3402 31-45@3402,0", 5414.85, 3402);
        row(30, 4, 0, "", 0, 0);
    }
    void plans()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        SliceInputs in;
        in.rowsPerSlice = lines / 2;
        in.capacity = lines * columns;
        in.rowCount = rows;
        in.columnStepCm = ColumnStepCm(columns);
        const std::vector<Slice> plan = PlanSlices(in);
        QStringList shown;
        for (const Slice& slice : plan) {
            QString one = QString("%1-%2@%3,%4")
                              .arg(slice.firstRow)
                              .arg(slice.lastRow)
                              .arg(slice.positionTwips.x())
                              .arg(slice.positionTwips.y());
            const int viewRows = slice.viewHeightTwips / RowHeightTwips;
            if (viewRows != in.rowsPerSlice)
                one += QString("/%1").arg(viewRows);
            shown << one;
            QCOMPARE(slice.capturePixels, QSize(382, viewRows * 16));
            QTEST(std::round(slice.printedTwips.width() * 100) / 100, "width");
            // Its own column of the 12 cm square, whatever reaches past it.
            QCOMPARE(slice.clipTwips,
                     QRect(slice.positionTwips.x(), 0, in.columnStepCm * 567, 12 * 567));
        }
        QTEST(shown.join(' '), "slices");
        if (!plan.empty())
            QTEST(std::round(plan.back().printedTwips.height() * 100) / 100, "lastHeight");
    }
};

QTEST_APPLESS_MAIN(tst_SlicePlan)
#include "tst_SlicePlan.moc"
