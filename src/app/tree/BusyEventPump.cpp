#include "tree/BusyEventPump.h"

#include <QApplication>

namespace kvx {

BusyEventPump::~BusyEventPump()
{
    while (m_depth > 0)
        endBusy();
}

void BusyEventPump::yieldToEvents()
{
    QCoreApplication::processEvents();
}

void BusyEventPump::beginBusy()
{
    ++m_depth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void BusyEventPump::endBusy()
{
    if (m_depth == 0)
        return;
    --m_depth;
    QApplication::restoreOverrideCursor();
}

} // namespace kvx
