#pragma once

#include "tree/ScanHooks.h"

namespace kvx {

// Yields to the Qt event loop of the running application. The busy pointer is
// a window matter: this pump shows none.
class ProcessEventsPump : public EventPump
{
public:
    void yieldToEvents() override;
    void beginBusy() override {}
    void endBusy() override {}
};

// A count display that shows nothing (headless runs).
class NoElementCountDisplay : public ElementCountDisplay
{
public:
    void showElementCount(qint32) override {}
};

} // namespace kvx
