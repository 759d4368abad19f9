#include "sloupce.h"

#include "platform/textfile.h"

#include <QStringList>
#include <stdexcept>

namespace {
const char kHlavicka[] = "KETRIX SLOUPCE 1";

QString zarovnaniText(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("C");
    if (a & Qt::AlignRight)
        return QStringLiteral("R");
    return QStringLiteral("L");
}

bool zarovnaniZTextu(const QString& t, Qt::Alignment* a)
{
    if (t == u"L") *a = Qt::AlignLeft;
    else if (t == u"R") *a = Qt::AlignRight;
    else if (t == u"C") *a = Qt::AlignHCenter;
    else return false;
    return true;
}

QString escape(const QString& s)
{
    QString o = s;
    o.replace(u'\\', QLatin1String("\\\\")).replace(u'\t', QLatin1String("\\t"));
    return o;
}

QString unescape(const QString& s)
{
    QString o;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            ++i;
            o += s[i] == u't' ? QChar(u'\t') : s[i];
        } else {
            o += s[i];
        }
    }
    return o;
}

[[noreturn]] void chyba(int radek, const QString& proc)
{
    throw std::runtime_error(QStringLiteral("Nastavení sloupců nelze přečíst (řádek %1): %2")
                                 .arg(radek).arg(proc).toStdString());
}
} // namespace

QList<SloupecGridu> VychoziSloupcePlanu()
{
    const auto L = Qt::AlignLeft, C = Qt::AlignHCenter;
    return {
        {QStringLiteral("DATUM"), QStringLiteral("Datum"), C, 90, L, true},
        {QStringLiteral("PARTIECELA"), QStringLiteral("   Partie"), L, 145, L, true},
        {QStringLiteral("NAZEVOSIVA"), {}, L, 240, L, true},
        {QStringLiteral("HMOTNOSTPP"), QStringLiteral("Množství"), C, 60, L, true},
        {QStringLiteral("MJ"), {}, L, 25, L, true},
        {QStringLiteral("NAZ_DRU"), {}, L, 200, L, true},
        {QStringLiteral("DRUH"), QStringLiteral("druh"), C, 35, C, true},
        {QStringLiteral("NAZ_ODRU"), {}, L, -1, L, true},
        {QStringLiteral("ODRUDA"), {}, L, -1, L, true},
        {QStringLiteral("STUPEN"), {}, L, -1, L, true},
        {QStringLiteral("ZAPSANO"), {}, L, -1, L, true},
    };
}

QByteArray ZapisSloupce(const QList<SloupecGridu>& sloupce)
{
    QStringList radky{QLatin1String(kHlavicka)};
    for (const SloupecGridu& s : sloupce) {
        const QStringList pole{escape(s.pole), escape(s.titulek), zarovnaniText(s.zarovnaniTitulku),
                               QString::number(s.sirka), zarovnaniText(s.zarovnani),
                               s.viditelny ? QStringLiteral("1") : QStringLiteral("0")};
        radky << pole.join(u'\t');
    }
    return radkyCp1250(radky);
}

QList<SloupecGridu> CtiSloupce(const QByteArray& data)
{
    const QStringList lines = radkyZCp1250(data);
    if (lines.isEmpty() || lines.first() != QLatin1String(kHlavicka))
        chyba(1, QStringLiteral("neznámý formát souboru"));
    QList<SloupecGridu> out;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList p = lines[i].split(u'\t');
        if (p.size() != 6)
            chyba(i + 1, QStringLiteral("očekáváno 6 údajů, nalezeno %1").arg(p.size()));
        SloupecGridu s;
        s.pole = unescape(p[0]);
        s.titulek = unescape(p[1]);
        bool ok = false;
        s.sirka = p[3].toInt(&ok);
        if (s.pole.isEmpty() || !ok || s.sirka < -1 || !zarovnaniZTextu(p[2], &s.zarovnaniTitulku)
            || !zarovnaniZTextu(p[4], &s.zarovnani) || (p[5] != u"0" && p[5] != u"1"))
            chyba(i + 1, QStringLiteral("neplatný údaj"));
        s.viditelny = p[5] == u"1";
        out.append(s);
    }
    return out;
}

void UlozSloupce(const QString& fileName, const QList<SloupecGridu>& sloupce)
{
    zapisSoubor(fileName, ZapisSloupce(sloupce));
}

QList<SloupecGridu> NactiSloupce(const QString& fileName)
{
    return CtiSloupce(nactiSoubor(fileName));
}
