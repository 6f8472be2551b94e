#include "cp1252.h"

#include <array>

namespace cp1252 {
namespace {

// 0x80..0x9F; the five unassigned bytes map to the C1 controls of the same value.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int encodeChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (high[i] == u)
            return 0x80 + i;
    return -1;
}

} // namespace

QChar decodeByte(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? QChar(high[b - 0x80]) : QChar(b);
}

QString decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        out.append(decodeByte(static_cast<unsigned char>(ch)));
    return out;
}

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = encodeChar(c);
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

bool canEncode(QChar c) { return encodeChar(c) >= 0; }

bool canEncode(const QString& text)
{
    for (QChar c : text)
        if (!canEncode(c))
            return false;
    return true;
}

} // namespace cp1252
