// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace lumivex::prove {

inline QByteArray NuovoUid()
{
    QByteArray uid(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(uid.data()), 4);
    return uid;
}

// The rows the program writes, each group in its own transaction as the
// recording does. False when a statement fails.
inline bool ScriviEsercizio(QSqlDatabase db, const QByteArray &uid, const QString &macchina)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO esercizi (uid, inizio, minimo, massimo, macchina) VALUES (?, ?, 1, 99, ?)"));
    q.addBindValue(uid);
    q.addBindValue(QStringLiteral("2026-12-08T10:00:00"));
    q.addBindValue(macchina);
    return q.exec();
}

inline bool ScriviProblema(QSqlDatabase db, const QByteArray &uid, int progressivo)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO problemi (esercizio, progressivo, num1, num2, num3, num4, nascosto,"
                             " soluzione, risposte, aiuto, intervento, secondi)"
                             " VALUES (?, ?, 50, 20, 40, 10, 4, 10, '7-;10+', 0, 0, 6)"));
    q.addBindValue(uid);
    q.addBindValue(progressivo);
    return q.exec();
}

inline bool ScriviFine(QSqlDatabase db, const QByteArray &uid, const QString &nome)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO esiti (esercizio, fine, esatte, errate, secondi, voto)"
                             " VALUES (?, '2026-12-08T10:05:00', 19, 1, 300, 'ottimo')"));
    q.addBindValue(uid);
    if (!q.exec()) {
        return false;
    }
    q.prepare(QStringLiteral("INSERT INTO nomi (esercizio, nome, chiave) VALUES (?, ?, ?)"));
    q.addBindValue(uid);
    q.addBindValue(nome);
    q.addBindValue(nome.simplified().toCaseFolded());
    return q.exec();
}

inline qlonglong Conta(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
}

} // namespace lumivex::prove
