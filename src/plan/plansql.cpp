#include "plansql.h"

#include "platform/cp1250.h"
#include "platform/database.h"

#include <QSaveFile>
#include <stdexcept>

namespace {
void vyber(QStringList& s, const VyberPlanu& v)
{
    s << v.FiltrWhere;
    s << (v.FiltrWhere.isEmpty() ? QStringLiteral(" where stredisko=") : QStringLiteral(" AND stredisko="))
             + db::quoted(v.KodStrediska);
    if (!v.Rok.isEmpty())
        s << QStringLiteral(" AND year(datum) = ") + db::quoted(v.Rok);
}
} // namespace

QStringList SqlDnu(const VyberPlanu& v)
{
    QStringList s{QStringLiteral("select datum,datumtext,sum(hmotnostpp) as hmotnostpp from vuplan")};
    vyber(s, v);
    s << QStringLiteral(" group by datum order by datum");
    return s;
}

QStringList SqlPlanu(const VyberPlanu& v)
{
    QStringList s{QStringLiteral("select * from vuplan")};
    vyber(s, v);
    s << v.Razeni;
    return s;
}

QStringList RokyVyberu(int letosniRok)
{
    QStringList r{QStringLiteral("Vše")};
    for (int y = letosniRok + 1; y >= 2014; --y)
        r << QString::number(y);
    return r;
}

void UlozTextSql(const QString& fileName, const QStringList& lines)
{
    QByteArray data;
    for (const QString& l : lines) {
        data += cp1250::fromUnicode(l);
        data += "\r\n";
    }
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw std::runtime_error(
            QStringLiteral("Nelze zapsat soubor %1: %2").arg(fileName, f.errorString()).toStdString());
}
