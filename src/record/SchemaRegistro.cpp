// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/SchemaRegistro.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace lumivex::registro {

const QList<PassoSchema> &Migrazioni()
{
    static const QList<PassoSchema> passi{
        // 0 -> 1: the first register.
        {
            QStringLiteral("CREATE TABLE esercizi ("
                           " uid BLOB PRIMARY KEY,"
                           " inizio TEXT NOT NULL,"
                           " minimo INTEGER NOT NULL,"
                           " massimo INTEGER NOT NULL,"
                           " macchina TEXT NOT NULL,"
                           " inviato INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE TABLE problemi ("
                           " esercizio BLOB NOT NULL REFERENCES esercizi(uid) ON DELETE CASCADE,"
                           " progressivo INTEGER NOT NULL,"
                           " num1 INTEGER NOT NULL, num2 INTEGER NOT NULL, num3 INTEGER NOT NULL, num4 INTEGER NOT NULL,"
                           " nascosto INTEGER NOT NULL,"
                           " soluzione INTEGER NOT NULL,"
                           " risposte TEXT NOT NULL,"
                           " aiuto INTEGER NOT NULL,"
                           " intervento INTEGER NOT NULL,"
                           " secondi INTEGER NOT NULL,"
                           " inviato INTEGER NOT NULL DEFAULT 0,"
                           " PRIMARY KEY (esercizio, progressivo)"
                           ") WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE esiti ("
                           " esercizio BLOB PRIMARY KEY REFERENCES esercizi(uid) ON DELETE CASCADE,"
                           " fine TEXT NOT NULL,"
                           " esatte INTEGER NOT NULL,"
                           " errate INTEGER NOT NULL,"
                           " secondi INTEGER NOT NULL,"
                           " voto TEXT NOT NULL,"
                           " inviato INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE TABLE nomi ("
                           " esercizio BLOB PRIMARY KEY REFERENCES esercizi(uid) ON DELETE CASCADE,"
                           " nome TEXT NOT NULL,"
                           " chiave TEXT NOT NULL,"
                           " inviato INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE INDEX nomi_chiave ON nomi(chiave)"),
            QStringLiteral("CREATE INDEX esercizi_inizio ON esercizi(inizio)"),
            QStringLiteral("CREATE TABLE impostazioni ("
                           " chiave TEXT PRIMARY KEY,"
                           " valore TEXT NOT NULL)"),
        },
    };
    return passi;
}

bool PortaAllaVersione(QSqlDatabase &db, int daVersione, const QList<PassoSchema> &passi, QString *errore,
                       QString *codiceNativo)
{
    QSqlQuery q(db);
    auto fallisci = [&](const QSqlError &e) {
        if (errore)
            *errore = e.text();
        if (codiceNativo)
            *codiceNativo = e.nativeErrorCode();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    // IMMEDIATE takes the write lock first: two copies opening a new register
    // at once build it once, the second one waits and then finds it built.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fallisci(q.lastError());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return fallisci(q.lastError());
    const int attuale = q.value(0).toInt();
    if (attuale > daVersione) {
        // Another copy migrated it between our look and our lock.
        daVersione = attuale;
    }
    for (int v = daVersione; v < passi.size(); ++v) {
        for (const QString &istruzione : passi.at(v)) {
            if (!q.exec(istruzione))
                return fallisci(q.lastError());
        }
        if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(v + 1)))
            return fallisci(q.lastError());
    }
    if (!q.exec(QStringLiteral("PRAGMA application_id = %1").arg(IdApplicazione)))
        return fallisci(q.lastError());
    if (!q.exec(QStringLiteral("COMMIT")))
        return fallisci(q.lastError());
    return true;
}

} // namespace lumivex::registro
