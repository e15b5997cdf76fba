#pragma once

#include <QString>

namespace kvx {

// Opens the main window (with a tree document when one is named) and runs the
// event loop until it is closed. Needs a running QApplication.
int runWindow(const QString& document);

} // namespace kvx
