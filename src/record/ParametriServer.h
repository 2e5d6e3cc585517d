// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>

class QSettings;

namespace lumivex::registro {

// Where the school's register is and how a PC reaches it. The technician
// writes it once for every PC in the system-wide settings; the password is
// the pupils' insert-only role's, the only one a pupil's PC keeps.
struct ParametriServer {
    QString Host; // a name, an address, or the folder of a local socket
    int Porta = 5432;
    QString Database = QStringLiteral("lumivex");
    QString Utente = QStringLiteral("lumivex_alunni");
    QString Password;
    QString SslMode;     // libpq's sslmode; empty: verify-full unless the server is on this machine
    QString SslRootCert; // the school's CA, for verify-full

    // No host: no school server, only the local register.
    bool Configurato() const { return !Host.isEmpty(); }
};

// Section [Registro] of the given settings (host, port, database, user,
// password, sslmode, sslrootcert).
ParametriServer LeggiParametriServer(QSettings &impostazioni);

// The program's own: /etc/xdg/Lumivex/Lumivex.conf, system scope only, so a
// pupil's own settings cannot point the PC elsewhere.
ParametriServer ParametriServerDiSistema();

// Applies "HOST[:PORTA]" ("[indirizzo]:PORTA" for IPv6). False, leaving the
// settings as they were, when the port is not a number in 1..65535.
bool ApplicaServerDaRigaDiComando(ParametriServer &parametri, const QString &valore);

// The libpq options the connection is opened with: bounded waits (a server
// that never answers costs a few seconds of the sender's own thread), and
// TLS required for any server that is not on this machine.
QString OpzioniConnessione(const ParametriServer &parametri);

// A QPSQL connection named `nome`, opened with `utente` and `password`;
// on failure closed, with the driver's words in *errore. Call it on the
// thread that will use the connection.
QSqlDatabase ApriServer(const ParametriServer &parametri, const QString &nome, const QString &utente,
                        const QString &password, QString *errore);

} // namespace lumivex::registro
