#include "JacketTestTree.h"
#include "app/VLine.h"
#include "print/PrintJacket.h"
#include "tree/NodeTreeView.h"
#include "util/ProcessEventsPump.h"

#include <QTemporaryDir>
#include <functional>

using namespace kvx;

namespace {

// A pump that lets the user change the tree at the print's third yield.
class ChangingPump : public ProcessEventsPump
{
public:
    std::function<void()> change;
    int yields = 0;
    void yieldToEvents() override
    {
        if (++yields == 3)
            change();
    }
};

} // namespace

class tst_PrintJacket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The tree cleared, or the selected node deleted, while the print yields:
    // the print ends, nothing crashes, the view and the guide come back.
    void treeChangedWhilePrinting_data()
    {
        QTest::addColumn<bool>("clear");
        QTest::addRow("tree cleared") << true;
        QTest::addRow("selected node deleted") << false;
    }
    void treeChangedWhilePrinting()
    {
        QFETCH(bool, clear);
        test::PrintWindow w;
        NodeTree& tree = w.window.tree();
        test::buildRows(tree, 120);
        tree.setSelectedItem(tree.nodeAt(3));
        ChangingPump pump;
        pump.change = [&] { clear ? tree.clear() : void(tree.remove(tree.nodeAt(3))); };
        JacketSource source{tree, *w.window.TV(), pump, w.window.vLine(), JacketLayout{}, 150,
                            true};
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("j.pdf"));
        QCOMPARE(PrintJacket(printer, source), PrintResult::Printed);
        QVERIFY(pump.yields > 3);
        QCOMPARE(w.window.TV()->height(), 400);
        QVERIFY(w.window.vLine()->isVisible());
        QVERIFY(!tree.selectedItem());
    }

    // The command line prints with the same code, offscreen, odd names and all.
    void commandLinePrintsToPdf()
    {
        QTemporaryDir dir;
        for (int i = 1; i <= 30; ++i)
            QVERIFY(QDir(dir.path()).mkpath(QString("src/Dossier %1 l'été & «co»/s").arg(i)));
        const auto kvx = [&dir](const QString& pdf, const QStringList& options) {
            return QProcess::execute(KVX_TEST_PROGRAM_DIR "/kvx",
                                     QStringList{"--from", dir.filePath("src"), "--pdf", pdf} +
                                         options);
        };
        const QString out = dir.filePath("out.pdf");
        QCOMPARE(kvx(out, {"--lines", "30", "--columns", "2", "--bw", "--mono"}), 0);
        const QString text = test::pdfText(out);
        QVERIFY(text.contains("Dossier 1 l'été & «co»") &&
                text.contains("Dossier 30 l'été & «co»"));
        QPrinter pdf(QPrinter::HighResolution); // as the command line sets it up
        pdf.setOutputFormat(QPrinter::PdfFormat);
        test::verifyJacket(out, pdf, 30, 2, 0);

        const QString bad = dir.filePath("no/such/folder/out.pdf");
        QVERIFY(kvx(bad, {}) != 0);
        QVERIFY(!QFile::exists(bad));
    }
};

QTEST_MAIN(tst_PrintJacket)
#include "tst_PrintJacket.moc"
