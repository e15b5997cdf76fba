#include "print/CoverChoice.h"
#include "print/SlicePlan.h"

#include <QTest>

using namespace kvx;

// "first-last@x,y": the rows a slice shows and where it lands.
static QString rowsAt(const Slice& slice, int first, int last)
{
    return QString("%1-%2@%3,%4")
        .arg(first)
        .arg(last)
        .arg(slice.positionTwips.x())
        .arg(slice.positionTwips.y());
}

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
            QString one = rowsAt(slice, slice.firstRow, slice.lastRow);
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

    // The other covers: how many rows each holds, and which rows each card's
    // slices show where (from its rows area; "T": the title comes first).
    void covers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("title");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("plan");
        const auto row = [](const char* name, int lines, int columns, bool title, int rows,
                            int capacity, const char* plan) {
            QTest::addRow("%s %dx%d%s", name, lines, columns, title ? " titled" : "")
                << QString(name) << lines << columns << title << rows << capacity << QString(plan);
        };
        row("booklet", 50, 3, true, 60, 149, "0:T1-24@0,0 0:25-49@0,3402 0:50-60@2268,0");
        // 116 mm of rows: 29 lines of 4 mm (48 of 2.4 mm: the tray of booklet+tray).
        row("tray", 30, 2, false, 40, 58, "0:1-29@0,0 0:30-40@3402,0");
        // The back panel's 175 mm: 72 lines of 2.4 mm.
        row("dvd", 50, 3, false, 100, 216, "0:1-72@0,0 0:73-100@2268,0");
        // The tray takes the rows after the booklet's.
        row("booklet+tray", 50, 2, true, 200, 195,
            "0:T1-24@0,0 0:25-49@0,3402 0:50-74@3402,0 0:75-99@3402,3402 1:100-147@0,0 "
            "1:148-195@3402,0");
    }
    void covers()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(bool, title);
        QFETCH(int, rows);
        QFETCH(QString, name);
        const CoverTemplate& cover = *FindCoverTemplate(name);
        JacketLayout layout;
        layout.chooseLines(lines);
        layout.chooseColumnOption(qint16(12 / columns), columns);
        QTEST(int(CoverCapacity(cover, layout, title)), "capacity");
        QStringList shown;
        for (const CardRows& card : PlanCoverRows(cover, layout, rows, title)) {
            const int shift = card.rowOffset - (card.titleRow ? 1 : 0);
            for (const Slice& slice : card.slices) {
                const bool titled = card.titleRow && slice.firstRow == 1;
                shown << QString("%1:%2").arg(card.card).arg(titled ? "T" : "") +
                             rowsAt(slice, slice.firstRow + shift + titled, slice.lastRow + shift);
                // Every row as high as on the booklet.
                QCOMPARE(slice.printedTwips.height() * RowHeightTwips / slice.viewHeightTwips,
                         6.0 * 567 / (lines / 2));
            }
        }
        QTEST(shown.join(' '), "plan");
    }

    // A template too large for either turn of the paper is refused; the
    // paper follows the locale's territory.
    void paper()
    {
        CoverCard poster;
        poster.outlineMm = QSizeF(250, 200);
        QCOMPARE(PlaceOnPaper({"wide", SheetTurn::Portrait, {poster, {}}, 1}, Paper::A4)->turn,
                 SheetTurn::Landscape);
        poster.outlineMm = QSizeF(250, 220);
        QVERIFY(!PlaceOnPaper({"big", SheetTurn::Portrait, {poster, {}}, 1}, Paper::Letter));
        QCOMPARE(PaperOfLocale("fr_CA.UTF-8@euro"), Paper::Letter);
    }
};

QTEST_APPLESS_MAIN(tst_SlicePlan)
#include "tst_SlicePlan.moc"
