#include "util/ProcessEventsPump.h"

#include <QCoreApplication>

namespace kvx {

namespace {
constexpr qint64 SpinIntervalMs = 5;
}

ProcessEventsPump::ProcessEventsPump()
{
    m_sinceLastSpin.start();
}

void ProcessEventsPump::yieldToEvents()
{
    if (!QCoreApplication::instance() || m_sinceLastSpin.elapsed() < SpinIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceLastSpin.restart();
}

} // namespace kvx
