#pragma once
// Database layer over the MySQL C API: one connection, queries whose rows are held in
// memory, a script runner and a one-row table dataset. Text travels in cp1250 and is
// converted to Unicode only where a caller asks for a QString.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

struct st_mysql;

namespace db {

// The one error type of the database layer; carries the server's or client library's text.
class DbError : public std::runtime_error {
public:
    DbError(const QString& text, unsigned code = 0);
    QString text() const { return m_text; }
    unsigned code() const { return m_code; }

private:
    QString m_text;
    unsigned m_code;
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString host = QStringLiteral("localhost");
    int port = 3306;
    QString database;
    QString user;
    QString password;
    bool autoCommit = true;

    // Connects with the settings above; the client character set is cp1250 from the first byte.
    void connect();
    void disconnect();
    bool connected() const;

    // Statements sent again after every (re)connect once they have been run with
    // executeSessionStatement(); they set up the session (SQL mode, character set).
    void executeSessionStatement(const QString& sql);
    void clearSessionStatements() { m_session.clear(); }

    // Runs a statement without rows; connects first when closed.
    void execute(const QString& sql);
    // Number of rows changed by the last execute().
    quint64 affectedRows() const { return m_affected; }

    st_mysql* handle();              // connects first when closed
    void checkLost(unsigned errorCode); // marks the connection closed after a lost-connection error
    [[noreturn]] void raise();       // throws DbError with the handle's current error

    void commit();

    // Test seam: called with every statement text sent to the server.
    std::function<void(const QByteArray&)> onStatement;

private:
    void sendRaw(const QByteArray& sql);
    st_mysql* m_mysql = nullptr;
    QList<QByteArray> m_session;
    quint64 m_affected = 0;
};

enum class FieldKind { Int32, Integer, Float, Date, DateTime, Time, Text };

struct Field {
    QByteArray name;      // as the server reports it
    FieldKind kind = FieldKind::Text;
    int type = 0;         // enum_field_types
    bool isUnsigned = false;
    int decimals = 0;
    bool primaryKey = false;
    QByteArray table;     // table the column comes from
};

// Rows of one result, stored compactly: every value's bytes in one buffer and one
// end offset per cell (top bit = NULL).
class RowSet {
public:
    int rowCount() const { return m_rows; }
    int fieldCount() const { return int(m_fields.size()); }
    const std::vector<Field>& fields() const { return m_fields; }
    int fieldIndex(QByteArrayView name) const; // -1 when missing; case-insensitive

    bool isNull(int row, int col) const;
    QByteArrayView raw(int row, int col) const; // cp1250 bytes as the server sent them
    size_t memoryBytes() const;

    void clear();
    void setFields(std::vector<Field> f);
    void appendRow(char** values, const unsigned long* lengths);
    void squeeze(); // gives back what the growing buffers reserved

private:
    std::vector<Field> m_fields;
    QByteArray m_data;
    QList<quint32> m_ends; // grows in place (realloc), unlike std::vector
    int m_rows = 0;
};

// How values are shown to the user: the locale's short date, decimal separator, ...
struct DisplayFormat {
    QString shortDate = QStringLiteral("d.M.yyyy");
    QString longTime = QStringLiteral("H:mm:ss");
    QChar decimalSeparator = QLatin1Char(',');
    static DisplayFormat fromLocale(); // QLocale() as set for the program
    static DisplayFormat& current();
};

// The general number format: up to 15 significant digits, no thousands separator,
// no trailing zeros, the given decimal separator.
QString formatGeneral(double v, QChar decimalSeparator);
// Value parsing from the server's text form.
QDate parseDate(QByteArrayView raw);
QDateTime parseDateTime(QByteArrayView raw);

class Query {
public:
    explicit Query(Connection& c);
    Connection& connection() { return *m_conn; }

    // The statement is a list of lines; it is sent joined by line breaks.
    QStringList sql;
    QString text() const;

    void open();   // runs the statement and reads its rows; the current row is the first
    void close();
    bool active() const { return m_active; }
    void execSql(); // runs the statement without rows

    // Rows and the current row
    int recordCount() const { return m_rows.rowCount(); }
    int recNo() const { return m_cur; } // 0-based, -1 when empty
    bool isEmpty() const { return m_rows.rowCount() == 0; }
    bool eof() const { return m_eof; }
    void first();
    void next();
    void last();
    void moveTo(int row); // clamps; the bookmark is the row number
    bool locate(QByteArrayView field, const QString& value, bool caseInsensitive = false);
    bool locateDate(QByteArrayView field, QDate d);
    int findDate(QByteArrayView field, QDate d) const; // row or -1; does not move

    const RowSet& rows() const { return m_rows; }
    int fieldIndex(QByteArrayView name) const { return m_rows.fieldIndex(name); }
    int fieldIndexOrThrow(QByteArrayView name) const;
    const Field& field(int i) const { return m_rows.fields()[size_t(i)]; }

    // Values of the current row by field name (case-insensitive); throw DbError when missing.
    bool isNull(QByteArrayView name) const;
    QString asString(QByteArrayView name) const;
    QString displayText(QByteArrayView name) const;
    double asFloat(QByteArrayView name) const;
    qint64 asInteger(QByteArrayView name) const;
    QDate asDate(QByteArrayView name) const;

    // Values of any row by column index
    QString string(int row, int col) const;
    QString display(int row, int col) const;
    double number(int row, int col) const;
    QDate date(int row, int col) const;

private:
    int checkedRow() const;
    Connection* m_conn;
    RowSet m_rows;
    int m_cur = -1;
    bool m_eof = true;
    bool m_active = false;
};

// Sends the statements of a list of lines one by one, split at ";" outside quoted literals
// and comments; stops at the first error.
class ScriptRunner {
public:
    explicit ScriptRunner(Connection& c) : m_conn(&c) {}
    QStringList script;
    void execute();
    static QStringList split(const QString& text);

private:
    Connection* m_conn;
};

// A table opened by name whose one (current) row can be edited and posted.
class Table {
public:
    Table(Connection& c, const QString& tableName);
    void open();  // select * from the table
    void close();
    Query& query() { return m_q; }
    void edit();
    void setValue(QByteArrayView field, const QVariant& v);
    void post();  // update ... where the primary key (or id) matches
    void cancel();
    bool editing() const { return m_editing; }

private:
    Connection* m_conn;
    QString m_table;
    Query m_q;
    bool m_editing = false;
    QList<QPair<QByteArray, QVariant>> m_changes;
};

// SQL string literal: single quotes, backslash and quote escaped as the server expects.
QString quoted(const QString& value);
QString DatumSQL(QDate d);
QString DatumCasSQL(const QDateTime& dt);

} // namespace db
