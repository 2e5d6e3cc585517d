// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/SchemaRegistro.h"

#include <QSqlDatabase>
#include <QString>

namespace lumivex::registro {

// How opening (or later writing) the register went. Every state but Aperto
// means: the file is left exactly as it was and nothing more is written.
enum class StatoRegistro {
    Aperto,
    NonNostro,          // not a SQLite file, or one with another application id
    VersionePiuRecente, // written by a newer program
    Danneggiato,
    SolaLettura,        // ours, readable, but the file or its folder cannot be written
    NonCreabile,        // no register yet, and its folder or file cannot be made
    DiscoPieno,
    Scomparso,          // deleted or replaced while the program ran
    Inaccessibile,      // any other input/output failure
};

// The Italian sentence a user reads for a state; empty for Aperto.
QString MessaggioRegistro(StatoRegistro stato, const QString &percorso);

// The state a failed statement puts the register in, from SQLite's own code
// (QSqlError::nativeErrorCode()).
StatoRegistro StatoDaErrore(const QString &codiceNativo);

// The user's register: AppDataLocation + "/registro.sqlite".
QString PercorsoRegistro();

// One connection to a register file. A new register gets a folder 0700 and a
// file 0600 made by us; an existing file is looked at before SQLite writes a
// byte, so one that is not ours, newer or damaged is never changed.
class RegistroSqlite {
public:
    // `verificaIntegrita` reads every page (PRAGMA quick_check) to find damage
    // that the header does not show; the writer does it, off the pupil's path.
    RegistroSqlite(const QString &percorso, const QString &nomeConnessione, bool verificaIntegrita = false);
    // The same with a history of its own, so a test can open a register with
    // one more step than the program has.
    RegistroSqlite(const QString &percorso, const QString &nomeConnessione, bool verificaIntegrita,
                   const QList<PassoSchema> &passi);
    ~RegistroSqlite();

    RegistroSqlite(const RegistroSqlite &) = delete;
    RegistroSqlite &operator=(const RegistroSqlite &) = delete;

    // Ready for reading and writing.
    bool Aperto() const { return stato_ == StatoRegistro::Aperto; }
    // Ready for reading: open, or ours but read-only (opened read-only then).
    bool Leggibile() const { return stato_ == StatoRegistro::Aperto || stato_ == StatoRegistro::SolaLettura; }
    StatoRegistro Stato() const { return stato_; }
    QString Messaggio() const { return MessaggioRegistro(stato_, percorso_); }
    // SQLite's own words for the fault, for a log; empty when none.
    const QString &Dettaglio() const { return dettaglio_; }
    const QString &Percorso() const { return percorso_; }

    // Valid while this object lives; invalid unless Leggibile().
    QSqlDatabase Database() const;

    // After a failed statement: records the fault it means and closes the
    // connection, so nothing more is written. Returns the new state.
    StatoRegistro Guasto(const QString &codiceNativo, const QString &dettaglio);
    // The same for a fault found another way than by a statement.
    void Guasto(StatoRegistro stato, const QString &dettaglio);

private:
    void Apri(bool verificaIntegrita, const QList<PassoSchema> &passi);
    bool ApriConnessione(bool solaLettura);
    void Chiudi();

    QString percorso_;
    QString connessione_;
    StatoRegistro stato_ = StatoRegistro::Inaccessibile;
    QString dettaglio_;
};

} // namespace lumivex::registro
