#include "print/JacketLayout.h"

#include <QTest>

using namespace kvx;

class tst_JacketLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every line and column option, chosen in both orders and again.
    void guideAndCapacity_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("guide");
        const int guides[3][3] = {{1710, 2370, 3690}, {2400, 3290, 5070}, {2730, 3730, 5730}};
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 3; ++c)
                QTest::addRow("%d lines, option %d", LineOptionCounts[l], ColumnOptionIndexes[c])
                    << LineOptionCounts[l] << int(ColumnOptionIndexes[c]) << guides[l][c];
    }
    void guideAndCapacity()
    {
        QFETCH(int, lines);
        QFETCH(int, option);
        QFETCH(int, guide);
        const qint16 index = qint16(option);
        JacketLayout a, b;
        a.chooseColumnOption(index, ColumnsOfOption(index));
        QCOMPARE(a.chooseLines(lines), guide);
        b.chooseLines(lines);
        QCOMPARE(b.chooseColumnOption(index, ColumnsOfOption(index)), guide);
        QCOMPARE(b.chooseColumnOption(index, ColumnsOfOption(index)), guide);
        QCOMPARE(a.capacity(), lines * 12 / option);
        QCOMPARE(b.capacity(), lines * 12 / option);
        QCOMPARE(b.ColumnOptionIndex, index);
    }

    // A language file may put other numbers in the captions: the counts
    // follow them, the guide stays where it was.
    void otherCaptionNumbersLeaveTheGuide()
    {
        JacketLayout layout;
        QCOMPARE(layout.chooseLines(35), std::nullopt);
        QCOMPARE(layout.chooseColumnOption(3, 5), std::nullopt);
        QCOMPARE(layout.capacity(), 175);
    }
};

QTEST_APPLESS_MAIN(tst_JacketLayout)
#include "tst_JacketLayout.moc"
