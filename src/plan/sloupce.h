#pragma once
// The plan grid's column list and its layout file "planhla.slo".

#include <QByteArray>
#include <QList>
#include <QString>

struct SloupecGridu {
    QString pole;                 // field name, e.g. "PARTIECELA"
    QString titulek;              // empty: the grid shows the field name
    Qt::Alignment zarovnaniTitulku = Qt::AlignLeft;
    int sirka = -1;               // -1: the grid's default width
    Qt::Alignment zarovnani = Qt::AlignLeft;
    bool viditelny = true;
    bool operator==(const SloupecGridu&) const = default;
};

QList<SloupecGridu> VychoziSloupcePlanu();

// File format: cp1250 text, CR LF lines; first line "KETRIX SLOUPCE 1", then one line per
// column in grid order: field, title, title alignment, width, alignment, visibility,
// separated by tabs (tabs and backslashes inside texts escaped as \t and \\).
QByteArray ZapisSloupce(const QList<SloupecGridu>& sloupce);
// Throws std::runtime_error with a Czech message when the data is not such a file.
QList<SloupecGridu> CtiSloupce(const QByteArray& data);

void UlozSloupce(const QString& fileName, const QList<SloupecGridu>& sloupce);
QList<SloupecGridu> NactiSloupce(const QString& fileName);
