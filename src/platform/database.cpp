#include "database.h"

#include "cp1250.h"

#include <QLocale>
#include <QVariant>

#include <malloc.h>
#include <mysql.h>
#include <errmsg.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// The rows of a list are held in a few large buffers. glibc serves such buffers from mmap
// until the first one is freed and then raises its threshold, after which they come from the
// heap: growing them copies, and closing a list no longer gives the memory back. A fixed
// threshold keeps them in mmap, so a rebuild of a big list peaks at one copy of its rows.
const bool g_pamet = [] {
#ifdef M_MMAP_THRESHOLD
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
#endif
    return true;
}();
} // namespace

namespace db {

DbError::DbError(const QString& text, unsigned code)
    : std::runtime_error(text.toStdString()), m_text(text), m_code(code)
{
}

// ---------------------------------------------------------------- Connection

Connection::Connection() = default;

Connection::~Connection()
{
    disconnect();
}

void Connection::connect()
{
    disconnect();
    m_mysql = mysql_init(nullptr);
    if (!m_mysql)
        throw DbError(QStringLiteral("Nedostatek paměti pro spojení s databází."));
    // cp1250 from the handshake on, whichever port and however often we connect.
    mysql_options(m_mysql, MYSQL_SET_CHARSET_NAME, "cp1250");
    // The configured port is always meant, also for "localhost".
    const unsigned protocol = MYSQL_PROTOCOL_TCP;
    mysql_options(m_mysql, MYSQL_OPT_PROTOCOL, &protocol);
    const unsigned timeout = 10;
    mysql_options(m_mysql, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);

    const QByteArray h = cp1250::fromUnicode(host);
    const QByteArray u = cp1250::fromUnicode(user);
    const QByteArray p = cp1250::fromUnicode(password);
    const QByteArray d = cp1250::fromUnicode(database);
    if (!mysql_real_connect(m_mysql, h.constData(), u.constData(), p.constData(),
                            d.isEmpty() ? nullptr : d.constData(), unsigned(port), nullptr, 0)) {
        const QString text = cp1250::toUnicode(mysql_error(m_mysql));
        const unsigned code = mysql_errno(m_mysql);
        mysql_close(m_mysql);
        m_mysql = nullptr;
        throw DbError(text, code);
    }
    try {
        if (mysql_autocommit(m_mysql, autoCommit ? 1 : 0))
            raise();
        for (const QByteArray& s : std::as_const(m_session))
            sendRaw(s);
    } catch (...) {
        disconnect();
        throw;
    }
}

void Connection::disconnect()
{
    if (m_mysql) {
        mysql_close(m_mysql);
        m_mysql = nullptr;
    }
}

bool Connection::connected() const
{
    return m_mysql != nullptr;
}

st_mysql* Connection::handle()
{
    if (!m_mysql)
        connect();
    return m_mysql;
}

void Connection::checkLost(unsigned code)
{
    if (code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST || code == CR_CONN_HOST_ERROR
        || code == CR_CONNECTION_ERROR || code == 4031 /* ER_CLIENT_INTERACTION_TIMEOUT */)
        disconnect();
}

void Connection::raise()
{
    const QString text = cp1250::toUnicode(mysql_error(m_mysql));
    const unsigned code = mysql_errno(m_mysql);
    checkLost(code);
    throw DbError(text, code);
}

void Connection::sendRaw(const QByteArray& sql)
{
    if (onStatement)
        onStatement(sql);
    if (mysql_real_query(m_mysql, sql.constData(), sql.size()))
        raise();
    m_affected = mysql_affected_rows(m_mysql);
    // a statement that returned rows anyway: drop them
    if (MYSQL_RES* r = mysql_store_result(m_mysql))
        mysql_free_result(r);
}

void Connection::execute(const QString& sql)
{
    handle();
    sendRaw(cp1250::fromUnicode(sql));
}

void Connection::executeSessionStatement(const QString& sql)
{
    const QByteArray s = cp1250::fromUnicode(sql);
    handle();
    sendRaw(s);
    if (!m_session.contains(s))
        m_session.append(s);
}

void Connection::commit()
{
    if (mysql_commit(handle()))
        raise();
}

// ---------------------------------------------------------------- RowSet

namespace {
constexpr uint32_t kNullBit = 0x80000000u;

FieldKind kindOf(const MYSQL_FIELD& f)
{
    const bool isUnsigned = f.flags & UNSIGNED_FLAG;
    switch (f.type) {
    case MYSQL_TYPE_LONG:
        return isUnsigned ? FieldKind::Integer : FieldKind::Int32;
    case MYSQL_TYPE_INT24:
        return FieldKind::Int32;
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_YEAR:
    case MYSQL_TYPE_BIT:
        return FieldKind::Integer;
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
        return FieldKind::Float;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return FieldKind::Date;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return FieldKind::DateTime;
    case MYSQL_TYPE_TIME:
        return FieldKind::Time;
    default:
        return FieldKind::Text;
    }
}

bool equalNoCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

int twoDigits(const char* p) { return (p[0] - '0') * 10 + (p[1] - '0'); }
} // namespace

int RowSet::fieldIndex(QByteArrayView name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (equalNoCase(m_fields[i].name, name))
            return int(i);
    return -1;
}

bool RowSet::isNull(int row, int col) const
{
    return m_ends[qsizetype(size_t(row) * m_fields.size() + size_t(col))] & kNullBit;
}

QByteArrayView RowSet::raw(int row, int col) const
{
    const qsizetype i = qsizetype(size_t(row) * m_fields.size() + size_t(col));
    const uint32_t end = m_ends[i] & ~kNullBit;
    const uint32_t begin = i == 0 ? 0 : (m_ends[i - 1] & ~kNullBit);
    return QByteArrayView(m_data.constData() + begin, end - begin);
}

size_t RowSet::memoryBytes() const
{
    return size_t(m_data.capacity()) + m_ends.capacity() * sizeof(uint32_t)
         + m_fields.size() * sizeof(Field);
}

void RowSet::clear()
{
    m_fields.clear();
    // The buffers keep their memory: a closed list is usually opened again at once, and
    // filling pages already mapped is cheaper than mapping fresh ones.
    m_data.resize(0);
    m_ends.resize(0);
    m_rows = 0;
}

void RowSet::squeeze()
{
    m_data.squeeze();
    m_ends.squeeze();
}

void RowSet::setFields(std::vector<Field> f)
{
    clear();
    m_fields = std::move(f);
}

void RowSet::appendRow(char** values, const unsigned long* lengths)
{
    for (size_t c = 0; c < m_fields.size(); ++c) {
        if (values[c]) {
            m_data.append(values[c], qsizetype(lengths[c]));
            m_ends.append(uint32_t(m_data.size()));
        } else {
            m_ends.append(uint32_t(m_data.size()) | kNullBit);
        }
    }
    if (m_data.size() >= qsizetype(kNullBit))
        throw DbError(QStringLiteral("Výsledek dotazu je příliš velký."));
    ++m_rows;
}

// ---------------------------------------------------------------- formats

DisplayFormat DisplayFormat::fromLocale()
{
    const QLocale loc;
    DisplayFormat f;
    f.decimalSeparator = loc.decimalPoint().isEmpty() ? QLatin1Char('.') : loc.decimalPoint().front();
    if (loc.language() == QLocale::Czech || loc.language() == QLocale::Slovak) {
        f.shortDate = QStringLiteral("d.M.yyyy");
        f.longTime = QStringLiteral("H:mm:ss");
    } else {
        QString d = loc.dateFormat(QLocale::ShortFormat);
        if (!d.contains(QLatin1String("yyyy")))
            d.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        f.shortDate = d;
        f.longTime = loc.timeFormat(QLocale::LongFormat).remove(QLatin1String(" t")).trimmed();
    }
    return f;
}

DisplayFormat& DisplayFormat::current()
{
    static DisplayFormat f = fromLocale();
    return f;
}

QString formatGeneral(double v, QChar decimalSeparator)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (v == 0)
        return QStringLiteral("0");
    QString s = QString::number(v, 'g', 15);
    if (const qsizetype e = s.indexOf(u'e'); e >= 0) {
        // 1e+20 -> 1E20, 1e-05 -> 1E-5
        QString mant = s.left(e);
        int exp = s.mid(e + 1).toInt();
        s = mant + u'E' + QString::number(exp);
    }
    s.replace(u'.', decimalSeparator);
    return s;
}

QDate parseDate(QByteArrayView r)
{
    if (r.size() < 10 || r[4] != '-' || r[7] != '-')
        return {};
    const char* p = r.data();
    const int y = twoDigits(p) * 100 + twoDigits(p + 2);
    return QDate(y, twoDigits(p + 5), twoDigits(p + 8));
}

QDateTime parseDateTime(QByteArrayView r)
{
    const QDate d = parseDate(r);
    if (!d.isValid())
        return {};
    QTime t(0, 0);
    if (r.size() >= 19) {
        const char* p = r.data() + 11;
        t = QTime(twoDigits(p), twoDigits(p + 3), twoDigits(p + 6));
    }
    return QDateTime(d, t);
}

QString quoted(const QString& value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += u'\'';
    for (QChar c : value) {
        if (c == u'\'')
            out += QLatin1String("''");
        else if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == QChar(0))
            out += QLatin1String("\\0");
        else
            out += c;
    }
    out += u'\'';
    return out;
}

QString DatumSQL(QDate d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString DatumCasSQL(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// ---------------------------------------------------------------- Query

Query::Query(Connection& c) : m_conn(&c) {}

QString Query::text() const
{
    return sql.join(QStringLiteral("\r\n"));
}

void Query::close()
{
    m_rows.clear();
    m_cur = -1;
    m_eof = true;
    m_active = false;
}

void Query::open()
{
    close();
    MYSQL* h = m_conn->handle();
    const QByteArray s = cp1250::fromUnicode(text());
    if (m_conn->onStatement)
        m_conn->onStatement(s);
    if (mysql_real_query(h, s.constData(), s.size()))
        m_conn->raise();
    MYSQL_RES* res = mysql_use_result(h);
    if (!res) {
        if (mysql_field_count(h) != 0)
            m_conn->raise();
        throw DbError(QStringLiteral("Příkaz nevrátil žádné řádky: %1").arg(text()));
    }
    const unsigned n = mysql_num_fields(res);
    const MYSQL_FIELD* fs = mysql_fetch_fields(res);
    std::vector<Field> fields(n);
    for (unsigned i = 0; i < n; ++i) {
        fields[i].name = QByteArray(fs[i].name, qsizetype(fs[i].name_length));
        fields[i].kind = kindOf(fs[i]);
        fields[i].type = fs[i].type;
        fields[i].isUnsigned = fs[i].flags & UNSIGNED_FLAG;
        fields[i].primaryKey = fs[i].flags & PRI_KEY_FLAG;
        fields[i].decimals = int(fs[i].decimals);
        fields[i].table = QByteArray(fs[i].org_table, qsizetype(fs[i].org_table_length));
    }
    m_rows.setFields(std::move(fields));
    try {
        while (MYSQL_ROW row = mysql_fetch_row(res))
            m_rows.appendRow(row, mysql_fetch_lengths(res));
    } catch (...) {
        mysql_free_result(res);
        m_rows.clear();
        throw;
    }
    const unsigned err = mysql_errno(h);
    mysql_free_result(res);
    if (err) {
        m_rows.clear();
        m_conn->raise();
    }
    m_rows.squeeze();
    m_active = true;
    first();
}

void Query::execSql()
{
    close();
    m_conn->execute(text());
}

void Query::first()
{
    m_cur = m_rows.rowCount() > 0 ? 0 : -1;
    m_eof = m_cur < 0;
}

void Query::next()
{
    if (m_cur + 1 < m_rows.rowCount())
        ++m_cur;
    else
        m_eof = true;
}

void Query::last()
{
    m_cur = m_rows.rowCount() - 1;
    m_eof = m_cur < 0;
}

void Query::moveTo(int row)
{
    if (m_rows.rowCount() == 0) {
        m_cur = -1;
        m_eof = true;
        return;
    }
    m_cur = std::clamp(row, 0, m_rows.rowCount() - 1);
    m_eof = false;
}

bool Query::locate(QByteArrayView name, const QString& value, bool caseInsensitive)
{
    const int col = fieldIndexOrThrow(name);
    const auto cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (string(r, col).compare(value, cs) == 0) {
            moveTo(r);
            return true;
        }
    return false;
}

int Query::findDate(QByteArrayView name, QDate d) const
{
    const int col = fieldIndexOrThrow(name);
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (parseDate(m_rows.raw(r, col)) == d)
            return r;
    return -1;
}

bool Query::locateDate(QByteArrayView name, QDate d)
{
    const int r = findDate(name, d);
    if (r >= 0)
        moveTo(r);
    return r >= 0;
}

int Query::fieldIndexOrThrow(QByteArrayView name) const
{
    const int i = m_rows.fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("Pole %1 nebylo nalezeno.").arg(QString::fromLatin1(name)));
    return i;
}

int Query::checkedRow() const
{
    return m_cur;
}

bool Query::isNull(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 || m_rows.isNull(m_cur, col);
}

QString Query::asString(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 ? QString() : string(m_cur, col);
}

QString Query::displayText(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 ? QString() : display(m_cur, col);
}

double Query::asFloat(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 ? 0.0 : number(m_cur, col);
}

qint64 Query::asInteger(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 || m_rows.isNull(m_cur, col) ? 0 : m_rows.raw(m_cur, col).toByteArray().toLongLong();
}

QDate Query::asDate(QByteArrayView name) const
{
    const int col = fieldIndexOrThrow(name);
    return m_cur < 0 ? QDate() : date(m_cur, col);
}

QString Query::string(int row, int col) const
{
    if (m_rows.isNull(row, col))
        return {};
    return cp1250::toUnicode(m_rows.raw(row, col));
}

double Query::number(int row, int col) const
{
    if (m_rows.isNull(row, col))
        return 0.0;
    return m_rows.raw(row, col).toByteArray().toDouble();
}

QDate Query::date(int row, int col) const
{
    if (m_rows.isNull(row, col))
        return {};
    return parseDate(m_rows.raw(row, col));
}

QString Query::display(int row, int col) const
{
    if (m_rows.isNull(row, col))
        return {};
    const DisplayFormat& f = DisplayFormat::current();
    const QByteArrayView r = m_rows.raw(row, col);
    switch (field(col).kind) {
    case FieldKind::Float:
        return formatGeneral(r.toByteArray().toDouble(), f.decimalSeparator);
    case FieldKind::Date: {
        const QDate d = parseDate(r);
        return d.isValid() ? d.toString(f.shortDate) : QString();
    }
    case FieldKind::DateTime: {
        const QDateTime dt = parseDateTime(r);
        if (!dt.isValid())
            return {};
        // as the old toolkit shows it: the time only when there is one
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(f.shortDate);
        return dt.date().toString(f.shortDate) + u' ' + dt.time().toString(f.longTime);
    }
    case FieldKind::Time: {
        const QTime t = QTime::fromString(QString::fromLatin1(r), QStringLiteral("HH:mm:ss"));
        return t.isValid() ? t.toString(f.longTime) : QString::fromLatin1(r);
    }
    default:
        return cp1250::toUnicode(r);
    }
}

// ---------------------------------------------------------------- ScriptRunner

QStringList ScriptRunner::split(const QString& text)
{
    QStringList out;
    QString cur;
    const qsizetype n = text.size();
    auto flush = [&] {
        const QString s = cur.trimmed();
        if (!s.isEmpty())
            out.append(s);
        cur.clear();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'"' || c == u'`') {
            cur += c;
            for (++i; i < n; ++i) {
                cur += text[i];
                if (text[i] == u'\\' && c != u'`' && i + 1 < n) {
                    cur += text[++i];
                } else if (text[i] == c) {
                    if (i + 1 < n && text[i + 1] == c) // doubled quote
                        cur += text[++i];
                    else
                        break;
                }
            }
        } else if ((c == u'-' && i + 1 < n && text[i + 1] == u'-'
                    && (i + 2 >= n || text[i + 2].isSpace()))
                   || c == u'#') {
            while (i < n && text[i] != u'\n' && text[i] != u'\r')
                cur += text[i++];
            if (i < n)
                cur += text[i];
        } else if (c == u'/' && i + 1 < n && text[i + 1] == u'*') {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            cur += text.mid(i, stop - i);
            i = stop - 1;
        } else if (c == u';') {
            flush();
        } else {
            cur += c;
        }
    }
    flush();
    return out;
}

void ScriptRunner::execute()
{
    for (const QString& statement : split(script.join(QStringLiteral("\r\n"))))
        m_conn->execute(statement);
}

// ---------------------------------------------------------------- Table

Table::Table(Connection& c, const QString& tableName) : m_conn(&c), m_table(tableName), m_q(c) {}

void Table::open()
{
    m_editing = false;
    m_changes.clear();
    m_q.sql = QStringList{QStringLiteral("select * from ") + m_table};
    m_q.open();
}

void Table::close()
{
    cancel();
    m_q.close();
}

void Table::edit()
{
    if (m_q.recNo() < 0)
        throw DbError(QStringLiteral("Tabulka %1 nemá žádný řádek k úpravě.").arg(m_table));
    m_editing = true;
}

void Table::setValue(QByteArrayView field, const QVariant& v)
{
    if (!m_editing)
        edit();
    const int col = m_q.fieldIndexOrThrow(field);
    const QByteArray name = m_q.field(col).name;
    for (auto& ch : m_changes)
        if (ch.first == name) {
            ch.second = v;
            return;
        }
    m_changes.append({name, v});
}

namespace {
QString literal(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return v.toString();
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return quoted(DatumSQL(v.toDate()));
    case QMetaType::QDateTime:
        return quoted(DatumCasSQL(v.toDateTime()));
    default:
        return quoted(v.toString());
    }
}
} // namespace

void Table::post()
{
    if (!m_editing)
        return;
    if (!m_changes.isEmpty()) {
        int key = -1;
        for (int i = 0; i < m_q.rows().fieldCount(); ++i)
            if (m_q.field(i).primaryKey) {
                key = i;
                break;
            }
        if (key < 0)
            key = m_q.fieldIndexOrThrow("id");
        QStringList sets;
        for (const auto& ch : std::as_const(m_changes))
            sets.append(u'`' + QString::fromLatin1(ch.first) + QStringLiteral("`=") + literal(ch.second));
        const QString keyName = QString::fromLatin1(m_q.field(key).name);
        m_conn->execute(QStringLiteral("update `%1` set %2 where `%3`=%4")
                            .arg(m_table, sets.join(QStringLiteral(", ")), keyName,
                                 quoted(m_q.string(m_q.recNo(), key))));
        const int row = m_q.recNo();
        m_q.open();
        m_q.moveTo(row);
    }
    m_editing = false;
    m_changes.clear();
}

void Table::cancel()
{
    m_editing = false;
    m_changes.clear();
}

} // namespace db
