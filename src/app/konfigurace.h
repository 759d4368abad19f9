#pragma once
// The product family's shared connection settings (..\korvan05.ini, section "LogON")
// and the command line.

#include <QString>
#include <QStringList>

struct NastaveniLogOn {
    QString IP = QStringLiteral("localhost");
    QString User = QStringLiteral("root");
    QString Password;
    QString Database = QStringLiteral("korvan");
    QString SQLport = QStringLiteral("3306");
    QString OPENport;
    QString CisloPC = QStringLiteral("00");
};

// The shared file, one folder above the working directory.
QString CestaKorvanIni();
// A missing file or key gives the defaults above; a key present with an empty value gives "".
NastaveniLogOn CtiKorvanIni(const QString& path);

// Only the first argument counts. "/M" without regard to case: no automatic commit.
bool PrikazRadkuM(const QStringList& arguments);
// "/ES" exactly: the print command opens the report designer.
bool PrikazRadkuES(const QStringList& arguments);

// A port text as a whole number; throws "'%s' is not a valid integer value" otherwise.
int PortNaCislo(const QString& text);
