// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/LetturaServer.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace lumivex::registro {

QSqlDatabase ApriServerDocente(const ParametriServer &parametri, const QString &password, const QString &nome,
                               QString *messaggio)
{
    QString errore;
    QSqlDatabase db = ApriServer(parametri, nome, QLatin1String(RuoloDocente), password, &errore);
    if (!db.isOpen() && messaggio) {
        *messaggio = errore.contains(QLatin1String("password authentication failed"))
                         ? QStringLiteral("Password dell'insegnante errata per il registro della scuola.")
                         : QStringLiteral("Il registro della scuola (%1) non risponde: %2").arg(parametri.Host, errore.trimmed());
    }
    return db;
}

bool LeggiClasse(const QSqlDatabase &server, QList<AlunnoServer> *classe, QString *errore)
{
    // A name's first spelling is the one of its earliest exercise.
    QSqlQuery q(server);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT coalesce(n.chiave, ''),"
            " coalesce((array_agg(n.nome ORDER BY e.inizio))[1], ''),"
            " count(*), max(e.inizio)"
            " FROM esercizi e LEFT JOIN nomi n ON n.esercizio = e.uid"
            " GROUP BY n.chiave ORDER BY n.chiave NULLS LAST"))) {
        if (errore) {
            *errore = q.lastError().text();
        }
        return false;
    }
    classe->clear();
    while (q.next()) {
        AlunnoServer a;
        a.Chiave = q.value(0).toString();
        a.Nome = a.Chiave.isEmpty() ? QStringLiteral("(senza nome)") : q.value(1).toString();
        a.Esercizi = q.value(2).toInt();
        a.Ultimo = q.value(3).toString();
        classe->append(a);
    }
    return true;
}

} // namespace lumivex::registro
