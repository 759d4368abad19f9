#include "konfigurace.h"

#include "platform/inifile.h"

#include <stdexcept>

QString CestaKorvanIni()
{
    return QStringLiteral("../korvan05.ini");
}

NastaveniLogOn CtiKorvanIni(const QString& path)
{
    const IniFile ini(path);
    const QString s = QStringLiteral("LogON");
    NastaveniLogOn n;
    n.IP = ini.readString(s, QStringLiteral("IP"), n.IP);
    n.User = ini.readString(s, QStringLiteral("User"), n.User);
    n.Password = ini.readString(s, QStringLiteral("Password"), n.Password);
    n.Database = ini.readString(s, QStringLiteral("Database"), n.Database);
    n.SQLport = ini.readString(s, QStringLiteral("SQLport"), n.SQLport);
    n.OPENport = ini.readString(s, QStringLiteral("OPENport"), n.OPENport);
    n.CisloPC = ini.readString(s, QStringLiteral("CisloPC"), n.CisloPC);
    return n;
}

bool PrikazRadkuM(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first().toUpper() == QLatin1String("/M");
}

bool PrikazRadkuES(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first() == QLatin1String("/ES");
}

int PortNaCislo(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed() == text ? text.toInt(&ok) : 0;
    if (!ok)
        throw std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return n;
}
