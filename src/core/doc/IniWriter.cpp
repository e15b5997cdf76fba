#include "doc/IniWriter.h"

#include <QSaveFile>

namespace kvx {

void IniWriter::section(QStringView name)
{
    m_text += u'[';
    m_text += name;
    m_text += u"]\r\n";
}

void IniWriter::entry(QStringView key, QStringView value)
{
    m_text += key;
    m_text += u'=';
    m_text += value;
    m_text += u"\r\n";
}

bool IniWriter::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    const QByteArray bytes = toUtf8();
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

} // namespace kvx
