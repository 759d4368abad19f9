// The database layer against a real server: field kinds, cp1250 on the wire, errors with
// the server's text, the script runner, literals, reconnecting after a lost connection and
// manual commit. Every check of what reached the server goes through the mariadb client.

#include "testdb.h"

#include "platform/cp1250.h"
#include "platform/database.h"

#include <QtTest>

#include <memory>

using db::FieldKind;

Q_DECLARE_METATYPE(db::FieldKind)

namespace {

const QString kCzech = QStringLiteral("Úpravna Kroměříž – žluťoučký kůň úpěl ďábelské ódy ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");

QString errorOf(const std::function<void()>& fn, unsigned* code = nullptr)
{
    try {
        fn();
    } catch (const db::DbError& e) {
        if (code)
            *code = e.code();
        return e.text();
    }
    return {};
}

QString oneValue(db::Connection& c, const QString& sql)
{
    db::Query q(c);
    q.sql = QStringList{sql};
    q.open();
    return q.string(0, 0);
}

// Ends a session from the outside and waits until the server has let it go.
void kill(const TestDatabase& t, const QString& id)
{
    t.mysql(QStringLiteral("KILL %1").arg(id));
    const QString left = QStringLiteral("select count(*) from information_schema.processlist where id = %1").arg(id);
    QTRY_COMPARE_WITH_TIMEOUT(t.mysql(left), QStringLiteral("0"), 30000);
}

} // namespace

class TestDbDatabase : public QObject {
    Q_OBJECT

private slots:
    void fieldKinds_data();
    void fieldKinds();
    void fieldsByNameIgnoreCase();
    void queryLinesAndNavigation();

    void czechTextOnTheWire();
    void clientCharsetWithoutSessionStatements();

    void statementErrorCarriesServerText_data();
    void statementErrorCarriesServerText();
    void connectErrorCarriesClientText();

    void scriptSplit_data();
    void scriptSplit();
    void scriptRunsStatementsAsSplit();
    void scriptStopsAtFirstError();

    void quotedRoundTrip_data();
    void quotedRoundTrip();

    void lostConnectionReconnects();

    void commitMode_data();
    void commitMode();

    void tablePostsEditedRow();
};

// ---------------------------------------------------------------- fields

void TestDbDatabase::fieldKinds_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<FieldKind>("kind");

    QTest::newRow("INT") << "INT" << "-5" << FieldKind::Int32;
    QTest::newRow("INT UNSIGNED") << "INT UNSIGNED" << "5" << FieldKind::Integer;
    QTest::newRow("MEDIUMINT") << "MEDIUMINT" << "5" << FieldKind::Int32;
    QTest::newRow("BIGINT") << "BIGINT" << "5000000000" << FieldKind::Integer;
    QTest::newRow("SMALLINT") << "SMALLINT" << "5" << FieldKind::Integer;
    QTest::newRow("TINYINT") << "TINYINT" << "5" << FieldKind::Integer;
    QTest::newRow("DECIMAL") << "DECIMAL(12,3)" << "12.5" << FieldKind::Float;
    QTest::newRow("DOUBLE") << "DOUBLE" << "12.5" << FieldKind::Float;
    QTest::newRow("FLOAT") << "FLOAT" << "12.5" << FieldKind::Float;
    QTest::newRow("DATE") << "DATE" << "'2025-03-04'" << FieldKind::Date;
    QTest::newRow("DATETIME") << "DATETIME" << "'2025-03-04 05:06:07'" << FieldKind::DateTime;
    QTest::newRow("TIMESTAMP") << "TIMESTAMP NULL" << "'2025-03-04 05:06:07'" << FieldKind::DateTime;
    QTest::newRow("TIME") << "TIME" << "'05:06:07'" << FieldKind::Time;
    QTest::newRow("VARCHAR") << "VARCHAR(20)" << "'abc'" << FieldKind::Text;
    QTest::newRow("CHAR") << "CHAR(3)" << "'abc'" << FieldKind::Text;
    QTest::newRow("TEXT") << "TEXT" << "'abc'" << FieldKind::Text;
}

void TestDbDatabase::fieldKinds()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(FieldKind, kind);

    TestDatabase t;
    t.mysql(QStringLiteral("create table druhy (c %1); insert into druhy values (%2)").arg(type, value));
    auto c = t.connect();
    db::Query q(*c);
    q.sql = QStringList{QStringLiteral("select c from druhy")};
    q.open();
    QCOMPARE(q.rows().fieldCount(), 1);
    QCOMPARE(q.field(0).kind, kind);
    // the value arrives as the server writes it
    QCOMPARE(q.asString("c"), t.mysql(QStringLiteral("select c from druhy")));
}

void TestDbDatabase::fieldsByNameIgnoreCase()
{
    TestDatabase t;
    t.mysql(QStringLiteral("insert into strtopc (stred, nazevstr) values ('101', 'Úpravna')"));
    auto c = t.connect();
    db::Query q(*c);
    q.sql = QStringList{QStringLiteral("select STRED, nazevStr, NULL as Prazdne from strtopc")};
    q.open();

    QCOMPARE(q.fieldIndex("stred"), 0);
    QCOMPARE(q.fieldIndex("Stred"), 0);
    QCOMPARE(q.fieldIndex("NAZEVSTR"), 1);
    QCOMPARE(q.fieldIndex("prazdne"), 2);
    QCOMPARE(q.fieldIndex("nazev"), -1);
    QCOMPARE(q.field(1).name, QByteArray("nazevStr")); // as the server reports it
    QCOMPARE(q.asString("NAZEVSTR"), QStringLiteral("Úpravna"));
    QVERIFY(q.isNull("PRAZDNE"));
    QCOMPARE(q.asString("prazdne"), QString());
    QVERIFY(!errorOf([&] { q.asString("nazev"); }).isEmpty());
}

void TestDbDatabase::queryLinesAndNavigation()
{
    TestDatabase t;
    t.mysql(QStringLiteral("insert into vuplan (datum, partiecela, hmotnostpp) values "
                           "('2025-03-01', 'A', 1.5), ('2025-03-02', 'b', 2), ('2025-03-03', 'C', 3)"));
    auto c = t.connect();
    db::Query q(*c);
    // the lines are sent joined by line breaks: the comment ends with its line
    q.sql = QStringList{QStringLiteral("select datum, partiecela, hmotnostpp"), QStringLiteral("-- the plan"),
                        QStringLiteral("from vuplan"), QStringLiteral("order by datum")};
    q.open();
    QVERIFY(q.active());
    QCOMPARE(q.recordCount(), 3);
    QCOMPARE(q.recNo(), 0);
    QVERIFY(!q.eof());

    QStringList seen;
    for (q.first(); !q.eof(); q.next())
        seen << q.asString("partiecela");
    QCOMPARE(seen, (QStringList{"A", "b", "C"}));
    QCOMPARE(q.recNo(), 2); // next() past the end stays on the last row

    QVERIFY(q.locate("PARTIECELA", QStringLiteral("b")));
    QCOMPARE(q.recNo(), 1);
    QCOMPARE(q.asFloat("hmotnostpp"), 2.0);
    QVERIFY(!q.locate("partiecela", QStringLiteral("B")));
    QCOMPARE(q.recNo(), 1); // a failed locate does not move
    QVERIFY(q.locate("partiecela", QStringLiteral("B"), true));

    QCOMPARE(q.findDate("datum", QDate(2025, 3, 3)), 2);
    QCOMPARE(q.recNo(), 1); // findDate does not move
    QCOMPARE(q.findDate("datum", QDate(2025, 3, 4)), -1);
    QVERIFY(q.locateDate("DATUM", QDate(2025, 3, 1)));
    QCOMPARE(q.asDate("datum"), QDate(2025, 3, 1));

    q.moveTo(99);
    QCOMPARE(q.recNo(), 2);
    q.moveTo(-4);
    QCOMPARE(q.recNo(), 0);

    q.sql = QStringList{QStringLiteral("select * from vuplan where id < 0")};
    q.open();
    QVERIFY(q.isEmpty());
    QVERIFY(q.eof());
    QCOMPARE(q.recNo(), -1);
}

// ---------------------------------------------------------------- cp1250 on the wire

void TestDbDatabase::czechTextOnTheWire()
{
    TestDatabase t;
    t.mysql(QStringLiteral("create table texty (id int primary key, t varchar(200))"));
    auto c = t.connect();
    c->execute(QStringLiteral("insert into texty values (1, %1)").arg(db::quoted(kCzech)));

    // the independent client sees the same characters, so the bytes went out as cp1250
    QCOMPARE(t.mysql(QStringLiteral("select t from texty where id = 1")), kCzech);
    QCOMPARE(t.mysql(QStringLiteral("select hex(t) from texty where id = 1")),
             QString::fromLatin1(cp1250::fromUnicode(kCzech).toHex().toUpper()));

    // and text the client wrote comes back the same through our layer
    const QString druhy = QStringLiteral("Středisko Hulín řepka ozimá");
    t.mysql(QStringLiteral("insert into texty values (2, '%1')").arg(druhy));
    QCOMPARE(oneValue(*c, QStringLiteral("select t from texty where id = 2")), druhy);
    // a literal with Czech letters in a WHERE clause finds its row
    QCOMPARE(oneValue(*c, QStringLiteral("select id from texty where t = %1").arg(db::quoted(kCzech))),
             QStringLiteral("1"));
}

void TestDbDatabase::clientCharsetWithoutSessionStatements()
{
    TestDatabase t;
    auto c = t.connect();
    QCOMPARE(oneValue(*c, QStringLiteral("select @@character_set_client")), QStringLiteral("cp1250"));
    QCOMPARE(oneValue(*c, QStringLiteral("select @@character_set_results")), QStringLiteral("cp1250"));
    QCOMPARE(oneValue(*c, QStringLiteral("select @@character_set_connection")), QStringLiteral("cp1250"));
}

// ---------------------------------------------------------------- errors

void TestDbDatabase::statementErrorCarriesServerText_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<QString>("part");

    QTest::newRow("missing table, query") << "select * from neni" << true << "neni' doesn't exist";
    QTest::newRow("missing table, statement") << "delete from neni" << false << "neni' doesn't exist";
    QTest::newRow("missing column") << "select nic from vuplan" << true << "Unknown column 'nic'";
    QTest::newRow("syntax") << "selec 1" << false << "You have an error in your SQL syntax";
    QTest::newRow("duplicate key")
        << "insert into strtopc (stred) values ('101'), ('101')" << false << "Duplicate entry '101'";
}

void TestDbDatabase::statementErrorCarriesServerText()
{
    QFETCH(QString, sql);
    QFETCH(bool, rows);
    QFETCH(QString, part);

    TestDatabase t;
    auto c = t.connect();
    db::Query q(*c);
    q.sql = QStringList{sql};
    unsigned code = 0;
    const QString text = errorOf([&] { rows ? q.open() : q.execSql(); }, &code);
    QVERIFY2(text.contains(part), qPrintable(text));
    QVERIFY(code >= 1000 && code < 2000); // a server error, not the client's

    // the mariadb client gets the same text from the server
    try {
        t.mysql(sql);
        QFAIL("the client ran the statement");
    } catch (const std::exception& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(text), e.what());
    }

    // the connection stays usable
    QVERIFY(c->connected());
    QCOMPARE(oneValue(*c, QStringLiteral("select 1+1")), QStringLiteral("2"));
}

void TestDbDatabase::connectErrorCarriesClientText()
{
    db::Connection c;
    c.host = TestDatabase::serverHost();
    c.port = 1; // nothing listens there
    c.user = QStringLiteral("root");
    QString text = errorOf([&] { c.connect(); });
    QVERIFY2(text.contains(QLatin1String("Can't connect")), qPrintable(text));
    QVERIFY(!c.connected());

    // a query on the closed connection connects first and fails the same way
    db::Query q(c);
    q.sql = QStringList{QStringLiteral("select 1")};
    text = errorOf([&] { q.open(); });
    QVERIFY2(text.contains(QLatin1String("Can't connect")), qPrintable(text));
    QVERIFY(!c.connected());

    // a refused login carries the server's text
    TestDatabase t;
    t.configure(c);
    c.user = QStringLiteral("nikdo");
    c.password = QStringLiteral("heslo");
    text = errorOf([&] { c.connect(); });
    QVERIFY2(text.contains(QLatin1String("Access denied")), qPrintable(text));
    QVERIFY(!c.connected());
}

// ---------------------------------------------------------------- script runner

void TestDbDatabase::scriptSplit_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("plain") << "BEGIN;\r\ndelete from a;\r\nCOMMIT;" << QStringList{"BEGIN", "delete from a", "COMMIT"};
    QTest::newRow("no final semicolon") << "select 1;select 2" << QStringList{"select 1", "select 2"};
    QTest::newRow("empty statements") << ";;select 1;\r\n;  ;" << QStringList{"select 1"};
    QTest::newRow("single quotes") << "insert into a values ('x;y');select 2"
                                   << QStringList{"insert into a values ('x;y')", "select 2"};
    QTest::newRow("doubled single quote") << "select 'it''s;';select 2"
                                          << QStringList{"select 'it''s;'", "select 2"};
    QTest::newRow("backslash quote") << "select 'a\\';b';select 2" << QStringList{"select 'a\\';b'", "select 2"};
    QTest::newRow("double quotes") << "set modul = \"a;b\";select 2"
                                   << QStringList{"set modul = \"a;b\"", "select 2"};
    QTest::newRow("single quote inside double") << "select \"O'B;\";select 2"
                                                << QStringList{"select \"O'B;\"", "select 2"};
    QTest::newRow("backticks") << "select `a;b` from t;select 2" << QStringList{"select `a;b` from t", "select 2"};
    QTest::newRow("line comment") << "select 1 -- no; split\r\n;select 2"
                                  << QStringList{"select 1 -- no; split", "select 2"};
    QTest::newRow("hash comment") << "select 1 # no; split\nfrom t;select 2"
                                  << QStringList{"select 1 # no; split\nfrom t", "select 2"};
    QTest::newRow("block comment") << "select /* a; b */ 1;select 2"
                                   << QStringList{"select /* a; b */ 1", "select 2"};
    QTest::newRow("minus minus without blank is arithmetic") << "select 5--1;select 2"
                                                             << QStringList{"select 5--1", "select 2"};
}

void TestDbDatabase::scriptSplit()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(db::ScriptRunner::split(script), statements);
}

void TestDbDatabase::scriptRunsStatementsAsSplit()
{
    TestDatabase t;
    auto c = t.connect();
    db::ScriptRunner r(*c);
    r.script = QStringList{
        QStringLiteral("BEGIN;"),
        QStringLiteral("insert into strtopc (stred, nazevstr) values ('101', 'a;b'); -- first; row"),
        QStringLiteral("insert into strtopc (stred, nazevstr) values ('102', 'it''s; \"x;\"');"),
        QStringLiteral("/* the third; row */ insert into strtopc (stred, nazevstr) values ('103', 'Kroměříž');"),
        QStringLiteral("COMMIT;"),
    };
    r.execute();
    QCOMPARE(t.mysql(QStringLiteral("select concat(stred, '|', nazevstr) from strtopc order by stred")),
             QStringLiteral("101|a;b\n102|it's; \"x;\"\n103|Kroměříž"));
}

void TestDbDatabase::scriptStopsAtFirstError()
{
    TestDatabase t;
    auto c = t.connect();
    db::ScriptRunner r(*c);
    r.script = QStringList{
        QStringLiteral("insert into strtopc (stred) values ('101');"),
        QStringLiteral("insert into neni (stred) values ('102');"),
        QStringLiteral("insert into strtopc (stred) values ('103');"),
    };
    const QString text = errorOf([&] { r.execute(); });
    QVERIFY2(text.contains(QLatin1String("neni' doesn't exist")), qPrintable(text));
    QCOMPARE(t.mysql(QStringLiteral("select stred from strtopc order by stred")), QStringLiteral("101"));
}

// ---------------------------------------------------------------- literals

void TestDbDatabase::quotedRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "Hulín";
    QTest::newRow("empty") << "";
    QTest::newRow("single quote") << "O'Brien";
    QTest::newRow("two single quotes") << "''";
    QTest::newRow("backslash") << "C:\\plan\\a.txt";
    QTest::newRow("trailing backslash") << "konec\\";
    QTest::newRow("backslash before quote") << "a\\'b";
    QTest::newRow("double quote") << "\"uvozovky\"";
    QTest::newRow("escape-like text") << "\\n\\0\\Z";
    QTest::newRow("like wildcards") << "50% _x_";
    QTest::newRow("quote and backslash") << "O\"Brien\\x'";
}

void TestDbDatabase::quotedRoundTrip()
{
    QFETCH(QString, value);

    TestDatabase t;
    auto c = t.connect();
    QCOMPARE(oneValue(*c, QStringLiteral("select ") + db::quoted(value)), value);

    // stored exactly as given
    c->execute(QStringLiteral("insert into strtopc (stred, nazevstr) values ('101', %1)").arg(db::quoted(value)));
    QCOMPARE(t.mysql(QStringLiteral("select hex(nazevstr) from strtopc")),
             QString::fromLatin1(cp1250::fromUnicode(value).toHex().toUpper()));
}

// ---------------------------------------------------------------- lost connection

void TestDbDatabase::lostConnectionReconnects()
{
    TestDatabase t;
    db::Connection c;
    t.configure(c);
    c.connect();
    c.executeSessionStatement(QStringLiteral("set @@session.sql_mode=\"\""));
    c.executeSessionStatement(QStringLiteral("SET names cp1250;"));
    QCOMPARE(oneValue(c, QStringLiteral("select @@session.sql_mode")), QString());
    const QString first = oneValue(c, QStringLiteral("select connection_id()"));

    kill(t, first);

    // the first query after the loss fails with the client library's text ...
    db::Query q(c);
    q.sql = QStringList{QStringLiteral("select 1")};
    unsigned code = 0;
    const QString text = errorOf([&] { q.open(); }, &code);
    QVERIFY2(code >= 2000 && !text.isEmpty(), qPrintable(text)); // the client library's error
    QVERIFY(!c.connected());

    // ... the next one connects again, with the session set up as before
    const QString second = oneValue(c, QStringLiteral("select connection_id()"));
    QVERIFY(c.connected());
    QVERIFY(second != first);
    QCOMPARE(oneValue(c, QStringLiteral("select @@session.sql_mode")), QString());
    QCOMPARE(oneValue(c, QStringLiteral("select @@character_set_client")), QStringLiteral("cp1250"));
    // the server's own mode is not empty, so the empty mode came from the re-sent statement
    QVERIFY(!t.mysql(QStringLiteral("select @@session.sql_mode")).isEmpty());

    // and the session statements went out once, not once per reconnect
    QList<QByteArray> sent;
    c.onStatement = [&](const QByteArray& s) { sent << s; };
    kill(t, second);
    errorOf([&] { c.execute(QStringLiteral("do 1")); });
    c.execute(QStringLiteral("do 2"));
    QCOMPARE(sent, (QList<QByteArray>{"do 1", "set @@session.sql_mode=\"\"", "SET names cp1250;", "do 2"}));
}

// ---------------------------------------------------------------- commit

void TestDbDatabase::commitMode_data()
{
    QTest::addColumn<bool>("autoCommit");
    QTest::newRow("automatic commit") << true;
    QTest::newRow("manual commit") << false;
}

void TestDbDatabase::commitMode()
{
    QFETCH(bool, autoCommit);

    TestDatabase t;
    db::Connection c;
    t.configure(c);
    c.autoCommit = autoCommit;
    c.connect();
    c.execute(QStringLiteral("insert into strtopc (stred, nazevstr) values ('105', 'Nové')"));

    const QString count = QStringLiteral("select count(*) from strtopc");
    QCOMPARE(t.mysql(count), autoCommit ? QStringLiteral("1") : QStringLiteral("0"));
    c.commit();
    QCOMPARE(t.mysql(count), QStringLiteral("1"));

    // a reconnect keeps the mode
    c.disconnect();
    c.execute(QStringLiteral("insert into strtopc (stred, nazevstr) values ('106', 'Další')"));
    QCOMPARE(t.mysql(count), autoCommit ? QStringLiteral("2") : QStringLiteral("1"));
    c.commit();
    QCOMPARE(t.mysql(count), QStringLiteral("2"));
}

// ---------------------------------------------------------------- table

void TestDbDatabase::tablePostsEditedRow()
{
    TestDatabase t;
    t.mysql(QStringLiteral("insert into strtopc (stred, nazevstr) values ('101', 'Staré'), ('102', 'Jiné')"));
    auto c = t.connect();
    db::Table tab(*c, QStringLiteral("strtopc"));
    tab.open();
    QVERIFY(tab.query().locate("stred", QStringLiteral("101")));
    tab.edit();
    tab.setValue("NAZEVSTR", QStringLiteral("Kroměříž 'nová'"));
    tab.post();
    QVERIFY(!tab.editing());
    QCOMPARE(tab.query().asString("nazevstr"), QStringLiteral("Kroměříž 'nová'"));
    QCOMPARE(t.mysql(QStringLiteral("select concat(stred, '|', nazevstr) from strtopc order by stred")),
             QStringLiteral("101|Kroměříž 'nová'\n102|Jiné"));
}

QTEST_MAIN(TestDbDatabase)
#include "tst_db_database.moc"
