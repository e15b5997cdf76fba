#include "print/PrintTarget.h"

#include <QTest>

using namespace kvx;

class tst_PrintTarget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The situation as "printers|default|current printer|user's PDF file",
    // the target as "printer:NAME", "pdf:FILE" or "ask".
    void choose_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("target");
        QTest::newRow("no printer") << "|||"
                                    << "ask";
        QTest::newRow("no printer, stale names") << "|A|A|"
                                                 << "ask";
        QTest::newRow("no printer, user's file") << "|||/j.pdf"
                                                 << "pdf:/j.pdf";
        QTest::newRow("user's file wins") << "A,B|A|B|/j.pdf"
                                          << "pdf:/j.pdf";
        QTest::newRow("current printer") << "A,B|A|B|"
                                         << "printer:B";
        QTest::newRow("current one removed") << "A,B|A|C|"
                                             << "printer:A";
        QTest::newRow("none set") << "A,B|B||"
                                  << "printer:B";
        QTest::newRow("no default") << "A,B|||"
                                    << "printer:A";
        QTest::newRow("stale default") << "A,B|C|C|"
                                       << "printer:A";
    }
    void choose()
    {
        QFETCH(QString, situation);
        QFETCH(QString, target);
        const QStringList in = situation.split(QLatin1Char('|'));
        const PrintTarget got = ChoosePrintTarget(in[0].split(QLatin1Char(','), Qt::SkipEmptyParts),
                                                  in[1], in[2], in[3]);
        const char* kinds[] = {"printer:", "pdf:", "ask"};
        QCOMPARE(kinds[int(got.kind)] + got.name, target);
    }
};

QTEST_APPLESS_MAIN(tst_PrintTarget)
#include "tst_PrintTarget.moc"
