#include "print/PrintTarget.h"

#include <QTest>

using namespace kvx;

class tst_PrintTarget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The target as "printer:NAME", "pdf:FILE" or "ask".
    void choose_data()
    {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("defaultPrinter");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("userPdf");
        QTest::addColumn<QString>("target");
        const QStringList ab{"A", "B"};
        QTest::newRow("no printer") << QStringList{} << ""
                                    << ""
                                    << ""
                                    << "ask";
        QTest::newRow("no printer, a stale name") << QStringList{} << "A"
                                                  << "A"
                                                  << ""
                                                  << "ask";
        QTest::newRow("no printer, user's file") << QStringList{} << ""
                                                 << ""
                                                 << "/j.pdf"
                                                 << "pdf:/j.pdf";
        QTest::newRow("user's file wins") << ab << "A"
                                          << "B"
                                          << "/j.pdf"
                                          << "pdf:/j.pdf";
        QTest::newRow("current printer") << ab << "A"
                                         << "B"
                                         << ""
                                         << "printer:B";
        QTest::newRow("current one removed") << ab << "A"
                                             << "C"
                                             << ""
                                             << "printer:A";
        QTest::newRow("none set") << ab << "B"
                                  << ""
                                  << ""
                                  << "printer:B";
        QTest::newRow("no default") << ab << ""
                                    << ""
                                    << ""
                                    << "printer:A";
        QTest::newRow("stale default") << ab << "C"
                                       << "C"
                                       << ""
                                       << "printer:A";
    }
    void choose()
    {
        QFETCH(QStringList, printers);
        QFETCH(QString, defaultPrinter);
        QFETCH(QString, current);
        QFETCH(QString, userPdf);
        QFETCH(QString, target);
        const PrintTarget got = ChoosePrintTarget(printers, defaultPrinter, current, userPdf);
        const char* kinds[] = {"printer:", "pdf:", "ask"};
        QCOMPARE(kinds[int(got.kind)] + got.name, target);
    }
};

QTEST_APPLESS_MAIN(tst_PrintTarget)
#include "tst_PrintTarget.moc"
