#include "textfile.h"

#include "cp1250.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

QByteArray radkyCp1250(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines) {
        out += cp1250::fromUnicode(l);
        out += "\r\n";
    }
    return out;
}

QStringList radkyZCp1250(const QByteArray& data)
{
    const QString text = cp1250::toUnicode(data);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

void zapisSoubor(const QString& fileName, const QByteArray& data)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw std::runtime_error(
            QStringLiteral("Nelze zapsat soubor %1: %2").arg(fileName, f.errorString()).toStdString());
}

QByteArray nactiSoubor(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Nelze otevřít soubor %1: %2").arg(fileName, f.errorString()).toStdString());
    return f.readAll();
}
