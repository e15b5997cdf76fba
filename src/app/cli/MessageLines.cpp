#include "cli/MessageLines.h"

#include <QTextStream>
#include <algorithm>

namespace kvx {

bool isControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

QString withoutControls(QString text)
{
    std::replace_if(text.begin(), text.end(), isControlCharacter, u'?');
    return text;
}

void sayError(QTextStream& err, const QString& message)
{
    err << "kvx: " << withoutControls(message) << Qt::endl;
}

void sayWarning(QTextStream& err, const QString& message)
{
    err << "kvx: warning: " << withoutControls(message) << Qt::endl;
}

} // namespace kvx
