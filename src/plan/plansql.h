#pragma once
// The two statements behind the plan list: the day totals and the list itself.

#include <QString>
#include <QStringList>

struct VyberPlanu {
    QString FiltrWhere;   // "" or "where ..."
    QString KodStrediska;
    QString Rok;          // "" when the year selector shows "Vše"
    QString Razeni;       // ORDER BY clause of the list
};

QStringList SqlDnu(const VyberPlanu& v);
QStringList SqlPlanu(const VyberPlanu& v);

// Entries of the year selector: "Vše", then every year from the next one down to 2014.
QStringList RokyVyberu(int letosniRok);

// Writes the lines of a statement to a file in the program's code page, each ending in CR LF
// (the diagnostic copies "a.txt" and so on). Throws when the file cannot be written.
void UlozTextSql(const QString& fileName, const QStringList& lines);
