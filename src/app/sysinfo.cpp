#include "app/sysinfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const QString kUnknown = QStringLiteral("(Unknown)");

// Trims every character up to and including the blank from both ends (control
// characters go as well as spaces).
QString trimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= u' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= u' ')
        --e;
    return s.mid(b, e - b);
}

// Reads the version information of a file. Program files here (ELF executables and
// libraries) carry no version resource and no note with a file version, so there is
// nothing to read and every file counts as one without version information.
bool readVersionInfo(const QString& path, quint32* ms, quint32* ls)
{
    Q_UNUSED(path);
    Q_UNUSED(ms);
    Q_UNUSED(ls);
    return false;
}

} // namespace

QString AdresaIP()
{
    const QString name = QHostInfo::localHostName();
    if (!name.isEmpty()) {
        const QHostInfo info = QHostInfo::fromName(name);
        if (info.error() == QHostInfo::NoError) {
            for (const QHostAddress& a : info.addresses()) {
                bool ok = false;
                const quint32 v4 = a.toIPv4Address(&ok); // also an IPv4-mapped IPv6 address
                if (ok)
                    return QHostAddress(v4).toString();
            }
        }
    }
    return QStringLiteral("255.255.255.255");
}

QString UzivatelOS()
{
    QString user;
#ifdef Q_OS_UNIX
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        user = QString::fromLocal8Bit(pw->pw_name);
    if (user.isEmpty())
        user = qEnvironmentVariable("USER");
#else
    user = qEnvironmentVariable("USERNAME");
#endif
    return user.isEmpty() ? kUnknown : user;
}

QString NazevPocitace()
{
    const QString name = QSysInfo::machineHostName();
    return name.isEmpty() ? kUnknown : name;
}

QString CasSouboru(const QString& path)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists())
        return QStringLiteral("1899-12-30 00:00:00");
    return fi.lastModified().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString formatVersion(quint32 ms, quint32 ls)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ms >> 16)
        .arg(ms & 0xFFFFu)
        .arg(ls >> 16)
        .arg(ls & 0xFFFFu);
}

QString VerzeSouboru(const QString& fileName)
{
    QString path = trimBlanks(fileName);
    if (path.isEmpty())
        path = ProgramovySoubor();
    quint32 ms = 0, ls = 0;
    if (!path.isEmpty() && readVersionInfo(path, &ms, &ls))
        return formatVersion(ms, ls);
    return QStringLiteral("-1.0.0.0");
}

QString ProgramovySoubor()
{
    return QCoreApplication::applicationFilePath();
}
