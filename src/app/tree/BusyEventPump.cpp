#include "tree/BusyEventPump.h"

#include <QApplication>

namespace kvx {

BusyEventPump::~BusyEventPump()
{
    if (m_depth > 0)
        QApplication::restoreOverrideCursor();
}

void BusyEventPump::beginBusy()
{
    if (m_depth++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void BusyEventPump::endBusy()
{
    if (m_depth > 0 && --m_depth == 0)
        QApplication::restoreOverrideCursor();
}

} // namespace kvx
