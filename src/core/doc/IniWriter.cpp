#include "doc/IniWriter.h"

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

} // namespace kvx
