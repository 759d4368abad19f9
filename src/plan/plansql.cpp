#include "plansql.h"

#include "platform/database.h"
#include "platform/textfile.h"

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
    zapisSoubor(fileName, radkyCp1250(lines));
}
