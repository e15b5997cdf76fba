#include "doc/TextDecoding.h"

#include <QStringDecoder>

namespace kvx {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. Kept here rather than
// asked of QStringDecoder, which knows the code page only when Qt was built
// with ICU.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c & 0x80)
            return false;
    }
    return true;
}

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = at + bytes.size();
    while (at < end) {
        const unsigned char lead = *at++;
        if (lead < 0x80)
            continue;
        int more = 0;
        unsigned char low = 0x80; // the range of the second byte
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0)
                low = 0xA0; // shortest form
            else if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F; // up to U+10FFFF
        } else {
            return false;
        }
        if (end - at < more || *at < low || *at > high)
            return false;
        for (++at, --more; more > 0; --more, ++at) {
            if ((*at & 0xC0) != 0x80)
                return false;
        }
    }
    return true;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray utf16AsUtf8(QByteArray bytes)
{
    const bool littleEnd = bytes.startsWith("\xff\xfe");
    if (!littleEnd && !bytes.startsWith("\xfe\xff"))
        return bytes;
    QStringDecoder utf16(littleEnd ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    QString text = utf16.decode(QByteArrayView(bytes).sliced(2));
    bytes = QByteArray(); // gone before the copy is made
    return text.toUtf8();
}

} // namespace kvx
