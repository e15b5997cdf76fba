#pragma once

#include "tree/ScanHooks.h"

#include <QElapsedTimer>

namespace kvx {

// Yields to the Qt event loop of the running application. Walks yield after
// every step; spinning the loop each time would cost more than the steps, so
// it is spun when a few milliseconds have passed since the last time, which
// keeps the window just as responsive. The busy pointer is a window matter:
// this pump shows none.
class ProcessEventsPump : public EventPump
{
public:
    ProcessEventsPump();
    void yieldToEvents() override;
    void beginBusy() override {}
    void endBusy() override {}

private:
    QElapsedTimer m_sinceLastSpin;
};

// A count display that shows nothing (headless runs).
class NoElementCountDisplay : public ElementCountDisplay
{
public:
    void showElementCount(qint32) override {}
};

} // namespace kvx
