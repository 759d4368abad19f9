#pragma once
// Windows-1250 is the code page of the database connection and of the program's files.
// Conversion to and from Qt's Unicode happens here and nowhere else.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace cp1250 {

QString toUnicode(QByteArrayView bytes);
// Characters that Windows-1250 cannot represent become "?".
QByteArray fromUnicode(const QString& text);
// The Unicode character of one byte.
char16_t charOf(unsigned char byte);

} // namespace cp1250
