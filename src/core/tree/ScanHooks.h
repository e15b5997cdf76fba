#pragma once

#include <QtGlobal>

namespace kvx {

// What a long walk needs of the event loop: a chance for the window to repaint
// and take input in the middle of the walk, and a busy pointer around it.
// Anything may happen to the tree during yieldToEvents().
class EventPump
{
public:
    virtual ~EventPump() = default;
    virtual void yieldToEvents() = 0;
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
};

// Where the number of shown rows is displayed (the label lblNbElements).
class ElementCountDisplay
{
public:
    virtual ~ElementCountDisplay() = default;
    virtual void showElementCount(qint32 count) = 0;
};

// Shows the busy pointer for the lifetime of the guard.
class BusyGuard
{
public:
    explicit BusyGuard(EventPump& pump) : m_pump(pump) { m_pump.beginBusy(); }
    ~BusyGuard() { m_pump.endBusy(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    EventPump& m_pump;
};

} // namespace kvx
