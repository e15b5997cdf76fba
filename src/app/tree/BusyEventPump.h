#pragma once

#include "tree/ScanHooks.h"

namespace kvx {

// The window's event pump: processes pending events, and shows the busy
// pointer over the application while a long walk runs (nesting allowed).
class BusyEventPump : public EventPump
{
public:
    ~BusyEventPump() override;
    void yieldToEvents() override;
    void beginBusy() override;
    void endBusy() override;
    // True while a long walk runs.
    [[nodiscard]] bool busy() const { return m_depth > 0; }

private:
    int m_depth = 0;
};

} // namespace kvx
