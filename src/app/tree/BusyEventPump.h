#pragma once

#include "util/ProcessEventsPump.h"

namespace kvx {

// The window's event pump: lets the window repaint and take input during a
// long walk (a few times a second is plenty), and shows the busy pointer over
// the application while one runs. Walks nest; the pointer is set once.
class BusyEventPump : public ProcessEventsPump
{
public:
    ~BusyEventPump() override;
    void beginBusy() override;
    void endBusy() override;
    // True while a long walk runs.
    [[nodiscard]] bool busy() const { return m_depth > 0; }

private:
    int m_depth = 0;
};

} // namespace kvx
