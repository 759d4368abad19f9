// Opening the connection and writing the session log row, against the real server. A
// second listener that forwards to the server stands in for the open port.

#include "testdb.h"

#include "app/pripoj.h"
#include "platform/cp1250.h"

#include <QDateTime>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {

// Listens on a loopback port of its own and forwards every connection, byte for byte in
// both directions, to the test server. Runs in a thread of its own, because the client
// library blocks the test's thread while it connects.
class Forwarder : public QThread {
public:
    explicit Forwarder(quint16 target) : m_target(target)
    {
        start();
        m_ready.acquire();
    }
    ~Forwarder() override
    {
        quit();
        wait();
    }
    quint16 port() const { return m_port; }
    int accepted() const { return m_accepted.load(); }

protected:
    void run() override
    {
        QTcpServer server;
        if (server.listen(QHostAddress::LocalHost, 0))
            m_port = server.serverPort();
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
            while (QTcpSocket* in = server.nextPendingConnection()) {
                ++m_accepted;
                auto* out = new QTcpSocket(in);
                out->connectToHost(QHostAddress::LocalHost, m_target);
                QObject::connect(in, &QTcpSocket::readyRead, out, [in, out] { out->write(in->readAll()); });
                QObject::connect(out, &QTcpSocket::readyRead, in, [in, out] { in->write(out->readAll()); });
                QObject::connect(out, &QTcpSocket::disconnected, in, [in] { in->disconnectFromHost(); });
                QObject::connect(out, &QAbstractSocket::errorOccurred, in, [in] { in->disconnectFromHost(); });
                QObject::connect(in, &QTcpSocket::disconnected, in, [in] { in->deleteLater(); });
            }
        });
        m_ready.release();
        exec();
    }

private:
    quint16 m_target;
    quint16 m_port = 0;
    std::atomic<int> m_accepted{0};
    QSemaphore m_ready;
};


UdajeStanice stanice()
{
    UdajeStanice u;
    u.ipadr = QStringLiteral("192.168.1.20");
    u.computeruser = QStringLiteral("novak");
    u.computername = QStringLiteral("PC-SKLAD");
    u.mdatumcas = QStringLiteral("2024-05-06 07:08:09");
    u.mverze = QStringLiteral("-1.0.0.0");
    return u;
}

// The log rows as the server holds them, read through hex so that no client escaping
// stands between the bytes and the comparison.
QList<QStringList> radkyHistorie(const TestDatabase& t)
{
    const QStringList cols{"modul", "pc", "stredisko", "ipadr", "computeruser", "computername", "mdatumcas",
                           "mverze", "datumcas"};
    QStringList hexes;
    for (const QString& c : cols)
        hexes << QStringLiteral("hex(%1)").arg(c);
    const QString out = t.mysql(QStringLiteral("select %1 from historiem order by id").arg(hexes.join(u',')));
    QList<QStringList> rows;
    if (out.isEmpty())
        return rows;
    for (const QString& line : out.split(u'\n')) {
        QStringList row;
        for (const QString& h : line.split(u'\t'))
            row << cp1250::toUnicode(QByteArray::fromHex(h.toLatin1()));
        rows << row;
    }
    return rows;
}

QString oneValue(db::Connection& c, const QString& sql)
{
    db::Query q(c);
    q.sql = QStringList{sql};
    q.open();
    return q.string(0, 0);
}

} // namespace

class TestDbPripoj : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ports_data();
    void ports();
    void laterQueryUsesSqlPort();
    void logRow_data();
    void logRow();
    void portNotWholeNumber_data();
    void portNotWholeNumber();
    void logTableBroken_data();
    void logTableBroken();
};

void TestDbPripoj::init()
{
    const UdajeStanice u = stanice();
    NastavUdajeStanice(&u);
}

void TestDbPripoj::cleanup()
{
    NastavUdajeStanice(nullptr);
}

enum class Port { None, Server, Forwarder, Closed };
Q_DECLARE_METATYPE(Port)

void TestDbPripoj::ports_data()
{
    QTest::addColumn<Port>("openPort");
    QTest::addColumn<Port>("sqlPort");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("logRows");
    QTest::addColumn<bool>("sessionStatements");

    QTest::newRow("open port empty") << Port::None << Port::Server << true << true << 1 << true;
    QTest::newRow("open port reachable") << Port::Forwarder << Port::Server << false << true << 0 << false;
    QTest::newRow("open port reachable, SQL port closed")
        << Port::Forwarder << Port::Closed << false << true << 0 << false;
    QTest::newRow("open port unreachable") << Port::Closed << Port::Server << true << true << 1 << true;
    QTest::newRow("SQL port unreachable") << Port::None << Port::Closed << false << false << 0 << false;
    QTest::newRow("both unreachable") << Port::Closed << Port::Closed << false << false << 0 << false;
}

void TestDbPripoj::ports()
{
    QFETCH(Port, openPort);
    QFETCH(Port, sqlPort);
    QFETCH(bool, result);
    QFETCH(bool, connected);
    QFETCH(int, logRows);
    QFETCH(bool, sessionStatements);

    TestDatabase t;
    Forwarder fwd(quint16(TestDatabase::serverPort()));
    QVERIFY(fwd.port() != 0);
    const quint16 closed = TestDatabase::closedPort();
    auto text = [&](Port p) {
        switch (p) {
        case Port::None: return QString();
        case Port::Server: return QString::number(TestDatabase::serverPort());
        case Port::Forwarder: return QString::number(fwd.port());
        case Port::Closed: return QString::number(closed);
        }
        return QString();
    };

    db::Connection c;
    t.configure(c);
    c.port = 9; // whatever the connection held before
    bool r = !result;
    try {
        r = PripojDatabazi(c, text(sqlPort), text(openPort), QStringLiteral("Plán KX"), QString(),
                           QStringLiteral("07"));
    } catch (const std::exception& e) {
        QFAIL(e.what());
    }
    QCOMPARE(r, result);
    QCOMPARE(c.connected(), connected);
    QCOMPARE(c.port, text(sqlPort).toInt()); // a later reconnect goes to the SQL port
    QCOMPARE(int(radkyHistorie(t).size()), logRows);
    QCOMPARE(fwd.accepted(), openPort == Port::Forwarder ? 1 : 0);

    if (connected) {
        // whichever port: the client speaks cp1250
        QCOMPARE(oneValue(c, QStringLiteral("select @@character_set_client")), QStringLiteral("cp1250"));
        QCOMPARE(oneValue(c, QStringLiteral("select @@character_set_results")), QStringLiteral("cp1250"));
        const QString mode = oneValue(c, QStringLiteral("select @@session.sql_mode"));
        if (sessionStatements) {
            QCOMPARE(mode, QString());
        } else {
            // the server's own mode, which is not the empty one
            QCOMPARE(mode, t.mysql(QStringLiteral("select @@global.sql_mode")));
            QVERIFY(!mode.isEmpty());
        }
        QCOMPARE(fwd.accepted(), openPort == Port::Forwarder ? 1 : 0); // still the same connection
    }
}

void TestDbPripoj::laterQueryUsesSqlPort()
{
    // after a start on the open port, a reconnect goes to the SQL port
    TestDatabase t;
    Forwarder fwd(quint16(TestDatabase::serverPort()));
    db::Connection c;
    t.configure(c);
    QVERIFY(!PripojDatabazi(c, QString::number(TestDatabase::serverPort()), QString::number(fwd.port()),
                            QStringLiteral("Plán KX"), QString(), QStringLiteral("07")));
    QVERIFY(c.connected());
    c.disconnect();
    QCOMPARE(oneValue(c, QStringLiteral("select 1")), QStringLiteral("1"));
    QCOMPARE(fwd.accepted(), 1);
    // nothing was logged and no session statement is waiting to be re-sent
    QVERIFY(!oneValue(c, QStringLiteral("select @@session.sql_mode")).isEmpty());
    QCOMPARE(int(radkyHistorie(t).size()), 0);
}

void TestDbPripoj::logRow_data()
{
    QTest::addColumn<QString>("pc");
    QTest::addColumn<QString>("computeruser");
    QTest::addColumn<QString>("computername");

    QTest::newRow("plain") << "07" << "novak" << "PC-SKLAD";
    QTest::newRow("double quote and backslash") << "07" << "O\"Brien\\x" << "PC\\\"1";
    QTest::newRow("statement inside a value") << "0\"" << "x\", modul = \"hack" << "a\\";
    QTest::newRow("single quote") << "00" << "O'Brien" << "D'ARTAGNAN";
    QTest::newRow("Czech letters") << "12" << "Jiří Dvořák" << "ÚČETNÍ-Ž";
    QTest::newRow("empty workstation") << "" << "(Unknown)" << "(Unknown)";
}

void TestDbPripoj::logRow()
{
    QFETCH(QString, pc);
    QFETCH(QString, computeruser);
    QFETCH(QString, computername);

    UdajeStanice u = stanice();
    u.computeruser = computeruser;
    u.computername = computername;
    NastavUdajeStanice(&u);

    TestDatabase t;
    db::Connection c;
    t.configure(c);
    QList<QByteArray> sent;
    c.onStatement = [&](const QByteArray& s) { sent << s; };

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(PripojDatabazi(c, QString::number(TestDatabase::serverPort()), QString(), QStringLiteral("Plán KX"),
                           QString(), pc));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    const QList<QStringList> rows = radkyHistorie(t);
    QCOMPARE(rows.size(), 1);
    const QStringList& r = rows.first();
    QCOMPARE(r.mid(0, 8), (QStringList{QStringLiteral("Plán KX"), pc, QString(), u.ipadr, computeruser,
                                       computername, u.mdatumcas, u.mverze}));
    const QDateTime kdy = QDateTime::fromString(r.at(8), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY2(kdy >= before.addMSecs(-before.time().msec()) && kdy <= after, qPrintable(r.at(8)));

    // the two session statements, then the insert of five lines
    QCOMPARE(sent.size(), 3);
    QCOMPARE(sent.at(0), QByteArray("set @@session.sql_mode=\"\""));
    QCOMPARE(sent.at(1), QByteArray("SET names cp1250;"));
    QVERIFY(sent.at(2).startsWith("insert into historiem \r\nset modul = "));
    QCOMPARE(sent.at(2).count("\r\n"), 4);
}

void TestDbPripoj::portNotWholeNumber_data()
{
    QTest::addColumn<QString>("sqlPort");
    QTest::addColumn<QString>("openPort");
    QTest::addColumn<QString>("message");

    const QString port = QString::number(TestDatabase::serverPort());
    QTest::newRow("SQL port") << "33x06" << "" << "'33x06' is not a valid integer value";
    QTest::newRow("empty SQL port") << "" << "" << "'' is not a valid integer value";
    QTest::newRow("open port") << port << "12a" << "'12a' is not a valid integer value";
    QTest::newRow("SQL port after unreachable open port")
        << "3306a" << QString::number(TestDatabase::closedPort()) << "'3306a' is not a valid integer value";
}

void TestDbPripoj::portNotWholeNumber()
{
    QFETCH(QString, sqlPort);
    QFETCH(QString, openPort);
    QFETCH(QString, message);

    TestDatabase t;
    db::Connection c;
    t.configure(c);
    try {
        PripojDatabazi(c, sqlPort, openPort, QStringLiteral("Plán KX"), QString(), QStringLiteral("07"));
        QFAIL("no error raised");
    } catch (const std::exception& e) {
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
    QVERIFY(!c.connected());
    QCOMPARE(int(radkyHistorie(t).size()), 0);
}

void TestDbPripoj::logTableBroken_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");

    QTest::newRow("table missing") << "drop table historiem" << "historiem' doesn't exist";
    QTest::newRow("column missing") << "alter table historiem drop column mverze" << "Unknown column 'mverze'";
}

void TestDbPripoj::logTableBroken()
{
    QFETCH(QString, change);
    QFETCH(QString, message);

    TestDatabase t;
    t.mysql(change);
    db::Connection c;
    t.configure(c);
    try {
        PripojDatabazi(c, QString::number(TestDatabase::serverPort()), QString(), QStringLiteral("Plán KX"),
                       QString(), QStringLiteral("07"));
        QFAIL("no error raised");
    } catch (const db::DbError& e) {
        QVERIFY2(e.text().contains(message), qPrintable(e.text()));
    }
    // the connection stays open, with the session prepared
    QVERIFY(c.connected());
    QCOMPARE(oneValue(c, QStringLiteral("select @@session.sql_mode")), QString());
}

QTEST_MAIN(TestDbPripoj)
#include "tst_db_pripoj.moc"
