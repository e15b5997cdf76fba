#pragma once

#include "print/JacketLayout.h"

class QPrinter;
class QTreeView;
class QWidget;

namespace kvx {

class NodeTree;
class EventPump;

// What one print reads and borrows: the tree, the view that shows it, the
// column guide drawn over the view (hidden while printing), the layout and
// the capacity as the window shows it, and the colour choice.
struct JacketSource
{
    NodeTree& tree;
    QTreeView& view;
    EventPump& pump;
    QWidget* guide = nullptr;
    JacketLayout layout;
    qint32 capacity = 150;
    bool colour = true;
};

enum class PrintResult {
    Printed,
    NothingToPrint, // the tree shows no row
    PrinterFailed,  // the printer could not start or finish the page
    Interrupted,    // the view went away while printing
    Busy,           // another print is running
    Cancelled,      // the user chose no file
};

// Prints the jacket as one page on a printer that is ready to use: numbers the
// rows, hides the guide and the selection, paints every slice and the frame,
// ends the job. The view is 6000 twips high, the guide visible and the
// selection back again afterwards, whatever happened; an empty tree starts no
// job at all.
[[nodiscard]] PrintResult PrintJacket(QPrinter& printer, JacketSource& source);

} // namespace kvx
