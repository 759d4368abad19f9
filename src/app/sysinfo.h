#pragma once
// Facts about the workstation and the program file that go into the session log row.

#include <QString>
#include <QtGlobal>

// IPv4 address of the workstation in dotted decimal form (the first IPv4 address of the
// local host name); "255.255.255.255" when the name does not resolve to one.
QString AdresaIP();

// Name of the operating-system user running the program; "(Unknown)" when none is known.
QString UzivatelOS();

// Computer name; "(Unknown)" when the system gives none.
QString NazevPocitace();

// Last-write time of a file, local time, "yyyy-MM-dd hh:mm:ss" on the 24-hour clock;
// "1899-12-30 00:00:00" when the file does not exist.
QString CasSouboru(const QString& path);

// Version of a file as four whole numbers joined by points; the name is trimmed of blanks,
// an empty name means the program file. "-1.0.0.0" for a file without version information.
QString VerzeSouboru(const QString& fileName);

// The four unsigned 16-bit parts of a file version (high and low half of the most
// significant 32 bits, then of the least significant 32 bits), "%d.%d.%d.%d".
QString formatVersion(quint32 ms, quint32 ls);

// Full path of the running program file.
QString ProgramovySoubor();
