#include "print/JacketLayout.h"

#include <QTest>

using namespace kvx;

// The guide positions and capacities of every option are checked through the
// window's own option buttons (tst_JacketCommands).
class tst_JacketLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
