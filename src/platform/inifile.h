#pragma once
// Windows-style INI files as the product family shares them: "[section]" lines, then
// "key=value" lines; section and key names match without regard to case; values are
// cp1250; lines end in CR LF when written. Every write goes to disk at once.

#include <QString>
#include <QStringList>
#include <vector>

class IniFile {
public:
    explicit IniFile(const QString& path);

    QString fileName() const { return m_path; }
    bool exists() const;

    // A missing file, section or key gives the default; a key present with an empty
    // value gives the empty text.
    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sectionKeys(const QString& section) const;

    // Throws std::runtime_error with a Czech message when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

private:
    void load();
    void save() const;
    int findSection(const QString& section) const;              // line of "[section]" or -1
    int findKey(int sectionLine, const QString& key) const;     // line of the key or -1
    static bool sectionName(const QString& line, QString* name);
    static bool keyOf(const QString& line, QString* key, QString* value);

    QString m_path;
    QStringList m_lines;
};
