// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/ParametriServer.h"

#include <QString>
#include <QTemporaryDir>

namespace lumivex::prove {

// A PostgreSQL 15 cluster of the test's own in a temporary folder, reached
// only through a Unix socket there (no TCP port), with the school's
// register made by the technician's own set-up script. As root it runs as
// the package's `postgres` user, which it must. The destructor stops it.
class ServerPostgresPrivato {
public:
    static constexpr int Porta = 55432;
    static inline const QString PasswordAmministratore = QStringLiteral("segreta");
    static inline const QString PasswordAlunni = QStringLiteral("alunni'\\ 1");
    static inline const QString PasswordDocente = QStringLiteral("docente 2");

    // Throws std::runtime_error, with the server's log, when it cannot start.
    ServerPostgresPrivato();
    ~ServerPostgresPrivato();
    ServerPostgresPrivato(const ServerPostgresPrivato &) = delete;
    ServerPostgresPrivato &operator=(const ServerPostgresPrivato &) = delete;

    void Ferma();
    void Avvia();
    // Runs the set-up script again, as a technician would after an update.
    void Prepara();

    // How a client reaches it as `utente` (the pupils' role when empty).
    registro::ParametriServer Parametri(const QString &utente = {}, const QString &password = {}) const;
    QString Cartella() const { return cartella_.path(); }
    QString Registro() const;

private:
    void Esegui(const QStringList &comando, const QStringList &ambiente = {}) const;

    QTemporaryDir cartella_;
};

} // namespace lumivex::prove
