#include "print/PrintJacket.h"

#include "print/JacketRenderer.h"
#include "print/PrintViewMode.h"
#include "print/RowList.h"
#include "print/SlicePlan.h"
#include "tree/ScanHooks.h"

#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTreeView>

namespace kvx {

PrintResult PrintJacket(QPrinter& printer, JacketSource& source)
{
    RowList rows;
    rows.NumberVisibleNodes(source.tree);
    if (rows.VisibleNodeCount() < 1)
        return PrintResult::NothingToPrint;

    BusyGuard busy(source.pump);
    PrintViewMode mode(source.tree, source.view, source.guide);
    const QPointer<QTreeView> view(&source.view);
    source.pump.yieldToEvents();
    if (!view)
        return PrintResult::Interrupted;

    SliceInputs in;
    in.rowsPerSlice = source.layout.LinesPerColumn / 2;
    in.capacity = source.capacity;
    in.rowCount = rows.VisibleNodeCount();
    in.columnStepCm = ColumnStepCm(source.layout.ColumnCount);
    const std::vector<Slice> plan = PlanSlices(in);
    if (plan.empty())
        return PrintResult::NothingToPrint;
    SetViewHeight(*view, in.rowsPerSlice * RowHeightTwips);

    printer.setColorMode(source.colour ? QPrinter::Color : QPrinter::GrayScale);
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(false); // the origin is the printable area's top-left

    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::PrinterFailed;
    JacketRenderer renderer(painter, printer.resolution());
    if (!renderer.paintSlices(*view, plan, source.pump)) {
        printer.abort();
        painter.end();
        return PrintResult::Interrupted;
    }
    renderer.paintFrame();
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return PrintResult::PrinterFailed;
    return PrintResult::Printed;
}

} // namespace kvx
