#include "JacketTestTree.h"
#include "PdfPages.h"
#include "app/ScriptedDialogs.h"
#include "print/JacketPrinter.h"
#include "util/ProcessEventsPump.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeView>
#include <functional>

using namespace kvx;

namespace {

// A pump that runs a callback at each yield, as user input would.
class CallbackPump : public ProcessEventsPump
{
public:
    std::function<void()> onYield;
    int yields = 0;
    void yieldToEvents() override
    {
        ++yields;
        if (onYield)
            onYield();
    }
};

struct Fixture
{
    test::ShownRows shown;
    NodeTree& tree = shown.tree;
    QTreeView& view = shown.view;
    QWidget guide;
    CallbackPump pump;
    JacketSource source{tree, view, pump, &guide, JacketLayout{}, 150, true};

    explicit Fixture(int rows) : shown(rows) { guide.setVisible(true); }
};

} // namespace

class tst_PrintJacket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils is not installed");
    }

    // A real print into a PDF file, read back as text and as a picture.
    void printsOnePageJacketToPdf_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addRow("50x3, 60 rows") << 50 << 3 << 60;
        QTest::addRow("30x2, 45 rows") << 30 << 2 << 45;
        QTest::addRow("40x4, 170 rows") << 40 << 4 << 170;
    }
    void printsOnePageJacketToPdf()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("jaquette.pdf"));
        Fixture f(rows);
        f.source.layout.chooseLines(lines);
        f.source.layout.chooseColumnOption(qint16(12 / columns), columns);
        f.source.capacity = f.source.layout.capacity();

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        QCOMPARE(PrintJacket(printer, f.source), PrintResult::Printed);

        // The view and the guide are back as the window shows them.
        QCOMPARE(f.view.height(), 400);
        QVERIFY(f.guide.isVisible());
        QVERIFY(f.pump.yields >= 2);

        // Rows up to the capacity are there as text; the others are not.
        const QString text = test::pdfText(file);
        const int printed = qMin(rows, lines * columns);
        QVERIFY(text.contains(test::rowText(1)));
        QVERIFY(text.contains(test::rowText(printed)));
        if (rows > printed)
            QVERIFY(!text.contains(test::rowText(printed + 1)));

        // At 144 dpi: the frame at the printable area's top-left, 12 cm wide.
        const int dpi = 144;
        const QImage page = test::pdfPage(file, dpi);
        QVERIFY(!page.isNull());
        const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Inch);
        const QPointF origin = paint.topLeft() * dpi;
        test::verifyFrameAndNothingOutside(page, origin, dpi);
        test::verifyRowsAtTheirPlaces(page, origin, dpi / 1440.0,
                                      PlanSlices(test::inputsFor(lines, columns, rows)),
                                      PrintScale(TwipsPerCm, lines / 2));
    }

    void failedPrintRestoresTheView()
    {
        Fixture f(30);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/jaquette.pdf"));
        QCOMPARE(PrintJacket(printer, f.source), PrintResult::PrinterFailed);
        QCOMPARE(f.view.height(), 400);
        QVERIFY(f.guide.isVisible());
        QVERIFY(!QFile::exists(QStringLiteral("/nonexistent-folder/x/jaquette.pdf")));
    }

    // The user clears the tree while the print yields: the print ends, nothing
    // crashes, the view is restored.
    void treeClearedWhilePrinting()
    {
        QTemporaryDir dir;
        Fixture f(120);
        f.pump.onYield = [&f] {
            if (f.pump.yields == 3)
                f.tree.clear();
        };
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("j.pdf")));
        QCOMPARE(PrintJacket(printer, f.source), PrintResult::Printed);
        QCOMPARE(f.view.height(), 400);
        QVERIFY(f.guide.isVisible());
    }

    // The print shows the tree as it is, not the user's selection; the
    // selection, the frame and the scroll bars come back afterwards.
    void printsWithoutTheSelection()
    {
        QTemporaryDir dir;
        Fixture f(30);
        f.view.setFrameShape(QFrame::StyledPanel);
        f.view.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        Node* chosen = f.tree.nodeAt(3);
        f.tree.setSelectedItem(chosen);
        QVERIFY(f.view.selectionModel()->isSelected(f.shown.shown.model().indexOf(chosen)));
        f.pump.onYield = [&f] {
            QVERIFY(!f.tree.selectedItem());
            QVERIFY(!f.view.selectionModel()->hasSelection());
            QCOMPARE(f.view.frameShape(), QFrame::NoFrame);
            QCOMPARE(f.view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QVERIFY(!f.guide.isVisible());
        };
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("j.pdf")));
        QCOMPARE(PrintJacket(printer, f.source), PrintResult::Printed);
        QVERIFY(f.pump.yields >= 2);
        QCOMPARE(f.tree.selectedItem(), chosen);
        QVERIFY(f.view.selectionModel()->isSelected(f.shown.shown.model().indexOf(chosen)));
        QCOMPARE(f.view.frameShape(), QFrame::StyledPanel);
        QCOMPARE(f.view.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

        // A selected node deleted while printing leaves no selection behind.
        f.pump.onYield = [&f, &chosen] {
            if (chosen) {
                f.tree.remove(chosen->index());
                chosen = nullptr;
            }
        };
        QCOMPARE(PrintJacket(printer, f.source), PrintResult::Printed);
        QVERIFY(!f.tree.selectedItem());
    }

    // The command line prints with the same code, offscreen.
    void commandLinePrintsToPdf()
    {
        QTemporaryDir dir;
        for (int i = 1; i <= 30; ++i)
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("src/Dossier %1 été/Sous").arg(i)));
        const QString program = QStringLiteral(KVX_TEST_PROGRAM_DIR "/kvx");
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QProcess p;
        p.start(program, {QStringLiteral("--from"), dir.filePath(QStringLiteral("src")),
                          QStringLiteral("--pdf"), out, QStringLiteral("--lines"),
                          QStringLiteral("30"), QStringLiteral("--columns"), QStringLiteral("2"),
                          QStringLiteral("--bw"), QStringLiteral("--mono")});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        const QString text = test::pdfText(out);
        QVERIFY(text.contains(QStringLiteral("Dossier 1 été")));
        QVERIFY(text.contains(QStringLiteral("Dossier 30 été")));
        // Monochrome: no coloured pixel on the page.
        const QImage page = test::pdfPage(out, 72);
        for (int y = 0; y < page.height(); y += 2)
            for (int x = 0; x < page.width(); x += 2) {
                const QRgb c = page.pixel(x, y);
                QVERIFY(qAbs(qRed(c) - qGreen(c)) < 8 && qAbs(qGreen(c) - qBlue(c)) < 8);
            }

        const QString bad = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
        p.start(program, {QStringLiteral("--from"), dir.filePath(QStringLiteral("src")),
                          QStringLiteral("--pdf"), bad});
        QVERIFY(p.waitForFinished());
        QVERIFY(p.exitCode() != 0);
        QVERIFY(!QFile::exists(bad));
    }
};

QTEST_MAIN(tst_PrintJacket)
#include "tst_PrintJacket.moc"
