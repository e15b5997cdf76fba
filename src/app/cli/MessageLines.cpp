#include "cli/MessageLines.h"

#include <QTextStream>

namespace kvx {

void sayError(QTextStream& err, const QString& message)
{
    err << "kvx: " << withoutControls(message) << Qt::endl;
}

void sayWarning(QTextStream& err, const QString& message)
{
    err << "kvx: warning: " << withoutControls(message) << Qt::endl;
}

} // namespace kvx
