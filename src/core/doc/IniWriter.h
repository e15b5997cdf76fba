#pragma once

#include <QString>

namespace kvx {

// Writes an initialisation file in the layout the readers expect: a section
// header "[Name]", then "Key=Value" lines with no blanks around "=", every
// line ended by CR LF, the whole text in UTF-8. Values are written as given:
// the caller keeps line breaks out of them.
class IniWriter
{
public:
    void section(QStringView name);
    void entry(QStringView key, QStringView value);

    [[nodiscard]] const QString& text() const { return m_text; }
    [[nodiscard]] QByteArray toUtf8() const { return m_text.toUtf8(); }

private:
    QString m_text;
};

} // namespace kvx
