#pragma once

// Reading a printed PDF back with poppler's tools: its text, and its page as
// a picture.

#include <QImage>
#include <QProcess>
#include <QString>

namespace kvx::test {

inline QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page at `dpi`, written beside the file as <file>.page.png.
inline QImage pdfPage(const QString& file, int dpi)
{
    QProcess p;
    const QString stem = file + QStringLiteral(".page");
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), file, stem});
    p.waitForFinished();
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace kvx::test
