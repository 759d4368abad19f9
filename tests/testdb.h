#pragma once
// A database of its own for each test, on the throwaway MariaDB server that the CTest
// fixture (scripts/testdb.sh) starts once for the whole run.

#include "platform/database.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TestDatabase {
public:
    // Creates an empty cp1250 database with the product family's tables (schema/schema.sql);
    // withDemo also loads schema/demo.sql.
    explicit TestDatabase(bool withDemo = false);
    ~TestDatabase();

    static int serverPort();      // port of the throwaway server
    static QString serverHost() { return QStringLiteral("127.0.0.1"); }
    // A loopback port on which nothing listens.
    static quint16 closedPort();

    QString name() const { return m_name; }
    // Sets host, port, database and user of a connection to this database (not connected).
    void configure(db::Connection& c) const;
    std::unique_ptr<db::Connection> connect() const;

    // Runs SQL through the mariadb command-line client (independent of our layer) and
    // returns its tab-separated output, one line per row, without column names.
    QString mysql(const QString& sql) const;

    // Writes a korvan05.ini pointing at this database into dir (section LogON).
    void writeKorvanIni(const QString& dir, const QString& extra = {}) const;

private:
    QString m_name;
};
