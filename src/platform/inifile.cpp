#include "inifile.h"

#include "textfile.h"

#include <QFile>

IniFile::IniFile(const QString& path) : m_path(path)
{
    load();
}

bool IniFile::exists() const
{
    return QFile::exists(m_path);
}

void IniFile::load()
{
    m_lines.clear();
    QFile f(m_path);
    if (f.open(QIODevice::ReadOnly))
        m_lines = radkyZCp1250(f.readAll());
}

void IniFile::save() const
{
    zapisSoubor(m_path, radkyCp1250(m_lines));
}

bool IniFile::sectionName(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return false;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return false;
    *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool IniFile::keyOf(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';'))
        return false;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = t.left(eq).trimmed();
    QString v = t.mid(eq + 1).trimmed();
    // Windows drops one pair of enclosing quotes.
    if (v.size() >= 2 && ((v.front() == u'"' && v.back() == u'"') || (v.front() == u'\'' && v.back() == u'\'')))
        v = v.mid(1, v.size() - 2);
    *value = v;
    return true;
}

int IniFile::findSection(const QString& section) const
{
    QString name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (sectionName(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const
{
    QString name, k, v;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (sectionName(m_lines[i], &name))
            break;
        if (keyOf(m_lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const int s = findSection(section);
    if (s < 0)
        return def;
    const int k = findKey(s, key);
    if (k < 0)
        return def;
    QString name, value;
    keyOf(m_lines[k], &name, &value);
    return value;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    QString v = readString(section, key, {});
    int n = v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16) : v.toInt(&ok);
    return ok ? n : def;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    const int s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

QStringList IniFile::sectionKeys(const QString& section) const
{
    QStringList keys;
    const int s = findSection(section);
    if (s < 0)
        return keys;
    QString name, k, v;
    for (int i = s + 1; i < m_lines.size() && !sectionName(m_lines[i], &name); ++i)
        if (keyOf(m_lines[i], &k, &v))
            keys.append(k);
    return keys;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    load(); // another program may have changed the file since
    const QString line = key + u'=' + value;
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    } else if (int k = findKey(s, key); k >= 0) {
        m_lines[k] = line;
    } else {
        // after the section's last non-empty line
        int last = s;
        QString name;
        for (int i = s + 1; i < m_lines.size() && !sectionName(m_lines[i], &name); ++i)
            if (!m_lines[i].trimmed().isEmpty())
                last = i;
        m_lines.insert(last + 1, line);
    }
    save();
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}
