#include "print/PrintJacket.h"

#include "print/JacketRenderer.h"
#include "print/RowList.h"
#include "print/SlicePlan.h"
#include "tree/ScanHooks.h"

#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTreeView>

namespace kvx {

namespace {

// Puts the view and the guide back as the window shows them, on every way out.
class ViewRestorer
{
public:
    ViewRestorer(QTreeView& view, QWidget* guide) : m_view(&view), m_guide(guide) {}
    ~ViewRestorer()
    {
        if (m_guide)
            m_guide->setVisible(true);
        if (m_view)
            SetViewHeight(*m_view, ViewSideTwips);
    }
    ViewRestorer(const ViewRestorer&) = delete;
    ViewRestorer& operator=(const ViewRestorer&) = delete;

private:
    QPointer<QTreeView> m_view;
    QPointer<QWidget> m_guide;
};

} // namespace

PrintResult PrintJacket(QPrinter& printer, JacketSource& source)
{
    RowList rows;
    rows.NumberVisibleNodes(source.tree);
    if (rows.VisibleNodeCount() < 1)
        return PrintResult::NothingToPrint;

    BusyGuard busy(source.pump);
    ViewRestorer restorer(source.view, source.guide);
    const QPointer<QTreeView> view(&source.view);

    if (source.guide)
        source.guide->setVisible(false);
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
