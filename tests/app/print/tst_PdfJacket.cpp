// --pdf as kvx runs it: under a QGuiApplication, where making a widget would
// end the process.
#include "JacketTestTree.h"
#include "cli/HeadlessRun.h"
#include "cli/ProgramStart.h"
#include "print/PdfJacket.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kvx;

class tst_PdfJacket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A chain of folders 30 deep, printed: the rows lie in the first column
    // (two slices of 25 rows and 6), pictures and labels of the deepest rows
    // included, and nothing but the frame lies outside it. No window was made.
    void chainStaysInItsColumn()
    {
        QTemporaryDir dir;
        QString chain = dir.filePath("disc");
        for (int level = 1; level <= 30; ++level)
            chain += QString("/niveau %1").arg(level);
        QVERIFY(QDir().mkpath(chain));
        const QString pdf = dir.filePath("chain.pdf");
        const CommandLineResult read = parseCommandLine(
            {"--from", dir.filePath("disc"), "--expand", "99", "--pdf", pdf, "--list"});
        QVERIFY(read.options);
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        PdfJacket printing;
        QCOMPARE(runHeadless(*read.options, outStream, errStream, &printing), 0);
        QCOMPARE(out.count('\n'), 31);
        QVERIFY(QGuiApplication::topLevelWindows().isEmpty());

        QImage page = test::pdfPage(pdf);
        const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Point);
        const QPointF origin = a4.paintRect(QPageLayout::Inch).topLeft() * 144;
        const double cm = 144 / 2.54;
        const QRectF column(origin, QSizeF(4 * cm, 12 * cm));
        QVERIFY(!page.copy(column.toRect()).allGray()); // the yellow folders
        QPainter white(&page);
        white.fillRect(column.adjusted(0, 0, 1, 0), Qt::white);
        white.setPen(QPen(Qt::white, 5));
        white.drawRect(QRectF(origin, QSizeF(12 * cm, 12 * cm)));
        white.end();
        QImage blank(page.size(), page.format());
        blank.fill(Qt::white);
        QVERIFY(page == blank);
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    tst_PdfJacket test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PdfJacket.moc"
