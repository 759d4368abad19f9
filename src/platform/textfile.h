#pragma once
// The program's small text files (settings, diagnostic SQL copies, history and layout files):
// cp1250, every line ending in CR LF, replaced as a whole.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Lines in cp1250, each followed by CR LF.
QByteArray radkyCp1250(const QStringList& lines);
// Splits cp1250 text into lines; CR LF, a lone CR and a lone LF each end a line.
QStringList radkyZCp1250(const QByteArray& data);

// Replaces the file with data; throws std::runtime_error with a Czech message on failure.
void zapisSoubor(const QString& fileName, const QByteArray& data);
// Reads a whole file; throws std::runtime_error with a Czech message on failure.
QByteArray nactiSoubor(const QString& fileName);
