#include "pripoj.h"

#include "app/konfigurace.h"
#include "app/sysinfo.h"

#include <optional>

namespace {
std::optional<UdajeStanice> g_udaje;
}

UdajeStanice UdajeStanice::zjisti()
{
    if (g_udaje)
        return *g_udaje;
    UdajeStanice u;
    u.ipadr = AdresaIP();
    u.computeruser = UzivatelOS();
    u.computername = NazevPocitace();
    u.mdatumcas = CasSouboru(ProgramovySoubor());
    u.mverze = VerzeSouboru(QString());
    return u;
}

void NastavUdajeStanice(const UdajeStanice* u)
{
    if (u)
        g_udaje = *u;
    else
        g_udaje.reset();
}

QString EscapeHodnoty(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'"': out += QLatin1String("\\\""); break;
        case u'\'': out += QLatin1String("\\'"); break;
        case 0: out += QLatin1String("\\0"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case 0x1A: out += QLatin1String("\\Z"); break;
        default: out += c;
        }
    }
    return out;
}

QString SqlHistorie(const QString& modul, const QString& pc, const QString& stredisko,
                    const QDateTime& kdy, const UdajeStanice& u)
{
    auto q = [](const QString& v) { return u'"' + EscapeHodnoty(v) + u'"'; };
    return QStringList{
        QStringLiteral("insert into historiem "),
        QStringLiteral("set modul = ") + q(modul) + QStringLiteral(", pc = ") + q(pc)
            + QStringLiteral(", stredisko = ") + q(stredisko) + u',',
        QStringLiteral("datumcas = ") + q(db::DatumCasSQL(kdy)) + u',',
        QStringLiteral("ipadr = ") + q(u.ipadr) + QStringLiteral(", computeruser = ") + q(u.computeruser)
            + QStringLiteral(", computername = ") + q(u.computername) + u',',
        QStringLiteral("mdatumcas = ") + q(u.mdatumcas) + QStringLiteral(", mverze=") + q(u.mverze),
    }.join(QStringLiteral("\r\n"));
}

bool PripojDatabazi(db::Connection& c, const QString& sqlPort, const QString& openPort,
                    const QString& modul, const QString& stredisko, const QString& pc)
{
    if (!openPort.isEmpty()) {
        c.port = PortNaCislo(openPort);
        try {
            c.connect();
        } catch (const db::DbError&) {
        }
        if (c.connected()) {
            // stays on the open port; a later reconnect uses the SQL port
            c.port = PortNaCislo(sqlPort);
            return false;
        }
    }
    c.port = PortNaCislo(sqlPort);
    try {
        c.connect();
    } catch (const db::DbError&) {
        return false;
    }
    if (!c.connected())
        return false;
    const UdajeStanice u = UdajeStanice::zjisti();
    c.executeSessionStatement(QStringLiteral("set @@session.sql_mode=\"\""));
    c.executeSessionStatement(QStringLiteral("SET names cp1250;"));
    c.execute(SqlHistorie(modul, pc, stredisko, QDateTime::currentDateTime(), u));
    return true;
}
