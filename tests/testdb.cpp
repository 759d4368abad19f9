// A database of its own for each test on the throwaway server of scripts/testdb.sh.
// Everything except connect() goes through the mariadb command-line client, so that the
// tests can check the program's database layer against an independent view of the data.

#include "testdb.h"

#include <QTcpServer>

#include "platform/cp1250.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>
#include <QtGlobal>

#include <stdexcept>

namespace {

// The client may take long on a loaded machine; it is only stopped when it hangs.
constexpr int kClientTimeoutMs = 300'000;

// Qt Test reports an exception only as "unhandled"; the text goes to the log first.
[[noreturn]] void fail(const QString& text)
{
    qCritical("%s", qPrintable(text));
    throw std::runtime_error(text.toStdString());
}

QString clientProgram()
{
    for (const char* name : {"mariadb", "mysql"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    fail(QStringLiteral("TestDatabase: neither mariadb nor mysql client found in PATH"));
}

// Runs the client on the test server. database may be empty; exactly one of sql and
// inputFile is used (-e text, or the file on standard input). Returns standard output.
QByteArray runClient(const QString& database, const QString& sql, const QString& inputFile = {})
{
    QStringList args{
        QStringLiteral("--no-defaults"),
        QStringLiteral("--protocol=tcp"),
        QStringLiteral("-h") + TestDatabase::serverHost(),
        QStringLiteral("-P") + QString::number(TestDatabase::serverPort()),
        QStringLiteral("-uroot"),
        QStringLiteral("--default-character-set=utf8mb4"),
        QStringLiteral("--batch"),
        QStringLiteral("--skip-column-names"),
    };
    if (inputFile.isEmpty())
        args << QStringLiteral("-e") << sql;
    if (!database.isEmpty())
        args << database;

    QProcess p;
    p.setProgram(clientProgram());
    p.setArguments(args);
    if (!inputFile.isEmpty()) {
        if (!QFile::exists(inputFile))
            fail(QStringLiteral("TestDatabase: missing SQL file %1").arg(inputFile));
        p.setStandardInputFile(inputFile);
    } else {
        p.setStandardInputFile(QProcess::nullDevice());
    }
    p.start();
    if (!p.waitForStarted())
        fail(QStringLiteral("TestDatabase: cannot start %1: %2").arg(p.program(), p.errorString()));
    if (!p.waitForFinished(kClientTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        fail(QStringLiteral("TestDatabase: the client did not finish: %1")
                 .arg(inputFile.isEmpty() ? sql : inputFile));
    }
    const QByteArray out = p.readAllStandardOutput();
    const QByteArray err = p.readAllStandardError();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        fail(QStringLiteral("TestDatabase: client failed (exit %1) on %2:\n%3")
                 .arg(p.exitCode())
                 .arg(inputFile.isEmpty() ? sql : inputFile, QString::fromUtf8(err).trimmed()));
    }
    return out;
}

QString uniqueName()
{
    static QAtomicInt counter;
    const int n = counter.fetchAndAddRelaxed(1) + 1;
    const quint32 r = QRandomGenerator::global()->bounded(0x1000000u);
    return QStringLiteral("t_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(n)
        .arg(r, 6, 16, QLatin1Char('0'));
}

} // namespace

int TestDatabase::serverPort()
{
    const QString path = QStringLiteral(KETRIX_TESTDB_DIR "/port");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("TestDatabase: %1 is missing; the test server is not running "
                            "(run the test through ctest, which starts it with "
                            "scripts/testdb.sh start %2)")
                 .arg(path, QStringLiteral(KETRIX_TESTDB_DIR)));
    }
    bool ok = false;
    const int port = QString::fromLatin1(f.readAll()).trimmed().toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        fail(QStringLiteral("TestDatabase: %1 holds no port number").arg(path));
    return port;
}

TestDatabase::TestDatabase(bool withDemo)
    : m_name(uniqueName())
{
    runClient({}, QStringLiteral("CREATE DATABASE `%1` CHARACTER SET cp1250 COLLATE cp1250_czech_cs")
                      .arg(m_name));
    try {
        runClient(m_name, {}, QStringLiteral(KETRIX_SOURCE_DIR "/schema/schema.sql"));
        if (withDemo)
            runClient(m_name, {}, QStringLiteral(KETRIX_SOURCE_DIR "/schema/demo.sql"));
    } catch (...) {
        try {
            runClient({}, QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
        } catch (...) {
        }
        throw;
    }
}

TestDatabase::~TestDatabase()
{
    try {
        runClient({}, QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

void TestDatabase::configure(db::Connection& c) const
{
    c.host = serverHost();
    c.port = serverPort();
    c.database = m_name;
    c.user = QStringLiteral("root");
    c.password = QString();
}

std::unique_ptr<db::Connection> TestDatabase::connect() const
{
    auto c = std::make_unique<db::Connection>();
    configure(*c);
    c->connect();
    return c;
}

// The client's output without the line break after the last row, so that a single value
// compares directly and split('\n') gives exactly the rows. An empty result is "".
QString TestDatabase::mysql(const QString& sql) const
{
    QByteArray out = runClient(m_name, sql);
    if (out.endsWith('\n'))
        out.chop(1);
    return QString::fromUtf8(out);
}

void TestDatabase::writeKorvanIni(const QString& dir, const QString& extra) const
{
    QStringList lines{
        QStringLiteral("[LogON]"),
        QStringLiteral("IP=") + serverHost(),
        QStringLiteral("SQLport=") + QString::number(serverPort()),
        QStringLiteral("Database=") + m_name,
        QStringLiteral("User=root"),
        QStringLiteral("Password="),
        QStringLiteral("CisloPC=07"),
    };
    for (QString line : extra.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            lines << line;
    }

    if (!QDir().mkpath(dir))
        fail(QStringLiteral("TestDatabase: cannot create %1").arg(dir));
    const QString path = QDir(dir).filePath(QStringLiteral("korvan05.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("TestDatabase: cannot write %1: %2").arg(path, f.errorString()));
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += cp1250::fromUnicode(line) + "\r\n";
    if (f.write(bytes) != bytes.size())
        fail(QStringLiteral("TestDatabase: cannot write %1: %2").arg(path, f.errorString()));
}

quint16 TestDatabase::closedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}
