#include "JacketTestTree.h"
#include "print/PrintJacket.h"
#include "tree/NodeTreeView.h"
#include "util/ProcessEventsPump.h"
#include "window/VLine.h"

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
};

QTEST_MAIN(tst_PrintJacket)
#include "tst_PrintJacket.moc"
