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
        const auto row = [](const char* name, const char* situation, const char* target) {
            QTest::newRow(name) << QString(situation) << QString(target);
        };
        row("no printer", "|||", "ask");
        row("no printer, stale names", "|A|A|", "ask");
        row("no printer, user's file", "|||/j.pdf", "pdf:/j.pdf");
        row("user's file wins", "A,B|A|B|/j.pdf", "pdf:/j.pdf");
        row("current printer", "A,B|A|B|", "printer:B");
        row("current one removed", "A,B|A|C|", "printer:A");
        row("none set", "A,B|B||", "printer:B");
        row("no default", "A,B|||", "printer:A");
        row("stale default", "A,B|C|C|", "printer:A");
    }
    void choose()
    {
        QFETCH(QString, situation);
        const QStringList in = situation.split('|');
        const PrintTarget got =
            ChoosePrintTarget(in[0].split(',', Qt::SkipEmptyParts), in[1], in[2], in[3]);
        const char* kinds[] = {"printer:", "pdf:", "ask"};
        QTEST(kinds[int(got.kind)] + got.name, "target");
    }
};

QTEST_APPLESS_MAIN(tst_PrintTarget)
#include "tst_PrintTarget.moc"
