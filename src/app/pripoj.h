#pragma once
// Opening the one database connection and the session log row in historiem.

#include "platform/database.h"

#include <QDateTime>
#include <QString>

// What the session log row says about this workstation and program file.
struct UdajeStanice {
    QString ipadr, computeruser, computername, mdatumcas, mverze;
    static UdajeStanice zjisti(); // from the operating system, with the usual fallbacks
};

// Backslash escapes for a value between double quotes (the session's SQL mode is empty,
// so backslashes escape).
QString EscapeHodnoty(const QString& value);

// The insert of the session log row, five lines.
QString SqlHistorie(const QString& modul, const QString& pc, const QString& stredisko,
                    const QDateTime& kdy, const UdajeStanice& u);

// True when connected on the SQL port and the log row was written. Connection errors give
// false without a message; a port text that is not a whole number and errors of the
// session statements or the insert are raised.
bool PripojDatabazi(db::Connection& c, const QString& sqlPort, const QString& openPort,
                    const QString& modul, const QString& stredisko, const QString& pc);

// Test seam: the station data used by PripojDatabazi (null = ask the system).
void NastavUdajeStanice(const UdajeStanice* u);
