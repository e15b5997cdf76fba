#include "util/ProcessEventsPump.h"

#include <QCoreApplication>

namespace kvx {

void ProcessEventsPump::yieldToEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace kvx
