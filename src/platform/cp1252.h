// Windows-1252, the 8-bit code page of every Corvana data file.
#pragma once

#include <QByteArray>
#include <QString>

namespace cp1252 {

QString decode(const QByteArray& bytes);
QChar decodeByte(unsigned char byte);
// Characters the code page cannot hold become '?'.
QByteArray encode(const QString& text);
bool canEncode(QChar c);
bool canEncode(const QString& text);

} // namespace cp1252
