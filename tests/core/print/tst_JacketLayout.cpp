#include "print/JacketLayout.h"

#include <QTest>

using namespace kvx;

class tst_JacketLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAtFiftyLinesThreeColumns()
    {
        const JacketLayout layout;
        QCOMPARE(layout.LinesPerColumn, 50);
        QCOMPARE(layout.ColumnCount, 3);
        QCOMPARE(layout.ColumnOptionIndex, qint16(4));
        QCOMPARE(layout.capacity(), 150);
        QCOMPARE(ColumnGuideLeft(50, 4), 3730);
    }

    // Every line and column choice, whatever was chosen before.
    void guideAndCapacity_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("guide");
        QTest::addColumn<int>("capacity");

        const int table[3][3][2] = {{{1710, 120}, {2370, 90}, {3690, 60}},
                                    {{2400, 160}, {3290, 120}, {5070, 80}},
                                    {{2730, 200}, {3730, 150}, {5730, 100}}};
        const int lines[] = {30, 40, 50};
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 3; ++c)
                QTest::addRow("%d lines, option %d", lines[l], ColumnOptionIndexes[c])
                    << lines[l] << int(ColumnOptionIndexes[c]) << table[l][c][0] << table[l][c][1];
    }
    void guideAndCapacity()
    {
        QFETCH(int, lines);
        QFETCH(int, option);
        QFETCH(int, guide);
        QFETCH(int, capacity);

        // Choosing the columns first, then the lines ...
        JacketLayout a;
        a.chooseColumnOption(qint16(option), ColumnsOfOption(qint16(option)));
        QCOMPARE(a.chooseLines(lines), guide);
        QCOMPARE(a.capacity(), capacity);
        // ... or the lines first, then the columns, gives the same.
        JacketLayout b;
        b.chooseLines(lines);
        QCOMPARE(b.chooseColumnOption(qint16(option), ColumnsOfOption(qint16(option))), guide);
        QCOMPARE(b.capacity(), capacity);
        QCOMPARE(b.ColumnOptionIndex, qint16(option));
        // Choosing the selected option again recomputes the same values.
        QCOMPARE(b.chooseColumnOption(qint16(option), ColumnsOfOption(qint16(option))), guide);
        QCOMPARE(b.capacity(), capacity);
    }

    void fortyLinesThenTwoColumns()
    {
        JacketLayout layout;
        QCOMPARE(layout.chooseLines(40), 3290);
        QCOMPARE(layout.capacity(), 120);
        QCOMPARE(layout.chooseColumnOption(6, 2), 5070);
        QCOMPARE(layout.capacity(), 80);
    }

    // A language file may put other numbers in the captions: the counts follow
    // them, the guide stays where it was.
    void otherLineCountLeavesTheGuide()
    {
        JacketLayout layout;
        QCOMPARE(layout.chooseLines(35), std::nullopt);
        QCOMPARE(layout.LinesPerColumn, 35);
        QCOMPARE(layout.capacity(), 105);
        QCOMPARE(layout.chooseColumnOption(3, 4), std::nullopt);
        QCOMPARE(layout.ColumnOptionIndex, qint16(3));
        QCOMPARE(layout.capacity(), 140);
    }
};

QTEST_APPLESS_MAIN(tst_JacketLayout)
#include "tst_JacketLayout.moc"
