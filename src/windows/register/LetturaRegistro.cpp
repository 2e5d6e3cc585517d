// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/LetturaRegistro.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace lumivex::registro {

namespace {

// The exercises of one pupil: by key, or those with no name row.
QString FiltroAlunno(const QString &chiave)
{
    return chiave.isEmpty() ? QStringLiteral("NOT EXISTS (SELECT 1 FROM nomi WHERE nomi.esercizio = e.uid)")
                            : QStringLiteral("e.uid IN (SELECT esercizio FROM nomi WHERE chiave = :chiave)");
}

void LegaChiave(QSqlQuery &q, const QString &chiave)
{
    if (!chiave.isEmpty())
        q.bindValue(QStringLiteral(":chiave"), chiave);
}

RigaEsercizio EsercizioDa(const QSqlQuery &q, int da)
{
    RigaEsercizio r;
    r.Uid = q.value(da).toByteArray();
    r.Inizio = q.value(da + 1).toString();
    r.Minimo = q.value(da + 2).toInt();
    r.Massimo = q.value(da + 3).toInt();
    r.Finito = !q.value(da + 4).isNull();
    r.Esatte = q.value(da + 4).toInt();
    r.Errate = q.value(da + 5).toInt();
    r.Secondi = q.value(da + 6).toInt();
    r.Voto = q.value(da + 7).toString();
    return r;
}

RigaProblema ProblemaDa(const QSqlQuery &q, int da)
{
    RigaProblema p;
    p.Progressivo = q.value(da).toInt();
    for (int k = 0; k < 4; ++k)
        p.Num[k] = q.value(da + 1 + k).toInt();
    p.Nascosto = q.value(da + 5).toInt();
    p.Soluzione = q.value(da + 6).toInt();
    p.Risposte = q.value(da + 7).toString();
    p.Aiuto = q.value(da + 8).toInt() != 0;
    p.Intervento = q.value(da + 9).toInt() != 0;
    p.Secondi = q.value(da + 10).toInt();
    return p;
}

constexpr auto ColonneEsercizio =
    u"e.uid, e.inizio, e.minimo, e.massimo, s.esatte, s.errate, s.secondi, s.voto";
constexpr auto ColonneProblema =
    u"p.progressivo, p.num1, p.num2, p.num3, p.num4, p.nascosto, p.soluzione, p.risposte, p.aiuto, p.intervento, "
    u"p.secondi";

// A problem with at least one answer marked wrong.
constexpr auto Errato = u"((p.risposte || ';') LIKE '%-;%')";

} // namespace

QList<int> ValoriErrati(const QString &risposte)
{
    QList<int> valori;
    for (const QString &risposta : risposte.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!risposta.endsWith(QLatin1Char('-')))
            continue;
        bool numero = false;
        const int valore = risposta.chopped(1).toInt(&numero);
        if (numero)
            valori.append(valore);
    }
    return valori;
}

LetturaRegistro::LetturaRegistro(QSqlDatabase db)
    : db_(std::move(db))
{
}

bool LetturaRegistro::Esegui(QSqlQuery &q)
{
    if (q.exec())
        return true;
    errore_ = q.lastError().text();
    return false;
}

QHash<QString, QString> LetturaRegistro::Nomi()
{
    // A pupil is shown as the name was first typed: the bare column comes
    // from the row MIN() picks.
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT n.chiave, n.nome, MIN(e.inizio) FROM nomi n JOIN esercizi e ON e.uid = n.esercizio "
                             "GROUP BY n.chiave"));
    QHash<QString, QString> nomi;
    nomi.insert(QString(), QString::fromUtf16(SenzaNome));
    if (!Esegui(q))
        return nomi;
    while (q.next())
        nomi.insert(q.value(0).toString(), q.value(1).toString());
    return nomi;
}

QList<RigaAlunno> LetturaRegistro::Alunni()
{
    const QHash<QString, QString> nomi = Nomi();
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "WITH t AS (SELECT COALESCE(n.chiave, '') AS chiave, e.inizio AS inizio, s.esatte AS esatte, "
        "  CASE WHEN s.esercizio IS NOT NULL THEN ROW_NUMBER() OVER "
        "    (PARTITION BY COALESCE(n.chiave, ''), s.esercizio IS NULL ORDER BY e.inizio DESC) END AS r "
        "  FROM esercizi e LEFT JOIN nomi n ON n.esercizio = e.uid LEFT JOIN esiti s ON s.esercizio = e.uid) "
        "SELECT chiave, COUNT(*), MAX(inizio), AVG(CASE WHEN r <= 5 THEN esatte END), "
        "  AVG(CASE WHEN r BETWEEN 6 AND 10 THEN esatte END) FROM t GROUP BY chiave"));
    QList<RigaAlunno> alunni;
    if (!Esegui(q))
        return alunni;
    while (q.next()) {
        RigaAlunno a;
        a.Chiave = q.value(0).toString();
        a.Nome = nomi.value(a.Chiave, a.Chiave);
        a.Esercizi = q.value(1).toInt();
        a.Ultima = q.value(2).toString();
        if (!q.value(3).isNull())
            a.UltimeCinque = q.value(3).toDouble() / 20.0;
        if (!q.value(4).isNull())
            a.CinquePrecedenti = q.value(4).toDouble() / 20.0;
        alunni.append(a);
    }
    // The unnamed exercises last; the names as a teacher reads a class list.
    std::sort(alunni.begin(), alunni.end(), [](const RigaAlunno &a, const RigaAlunno &b) {
        if (a.Chiave.isEmpty() != b.Chiave.isEmpty())
            return b.Chiave.isEmpty();
        return QString::localeAwareCompare(a.Nome, b.Nome) < 0;
    });
    return alunni;
}

QList<RigaEsercizio> LetturaRegistro::Esercizi(const QString &chiave)
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM esercizi e LEFT JOIN esiti s ON s.esercizio = e.uid WHERE %2 "
                             "ORDER BY e.inizio")
                  .arg(QString::fromUtf16(ColonneEsercizio), FiltroAlunno(chiave)));
    LegaChiave(q, chiave);
    QList<RigaEsercizio> esercizi;
    if (!Esegui(q))
        return esercizi;
    while (q.next())
        esercizi.append(EsercizioDa(q, 0));
    return esercizi;
}

QList<RigaProblema> LetturaRegistro::Problemi(const QByteArray &esercizio)
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM problemi p WHERE p.esercizio = :uid ORDER BY p.progressivo")
                  .arg(QString::fromUtf16(ColonneProblema)));
    q.bindValue(QStringLiteral(":uid"), esercizio);
    QList<RigaProblema> problemi;
    if (!Esegui(q))
        return problemi;
    while (q.next())
        problemi.append(ProblemaDa(q, 0));
    return problemi;
}

GraficiAlunno LetturaRegistro::Grafici(const QString &chiave)
{
    GraficiAlunno g;
    const QString filtro = FiltroAlunno(chiave);

    QSqlQuery andamento(db_);
    andamento.setForwardOnly(true);
    andamento.prepare(QStringLiteral("SELECT e.inizio, s.esatte, s.secondi, "
                                     "  (SELECT COUNT(*) FROM problemi p WHERE p.esercizio = e.uid) "
                                     "FROM esercizi e JOIN esiti s ON s.esercizio = e.uid WHERE %1 ORDER BY e.inizio")
                          .arg(filtro));
    LegaChiave(andamento, chiave);
    if (!Esegui(andamento))
        return g;
    while (andamento.next()) {
        const int problemi = andamento.value(3).toInt();
        g.Andamento.append({andamento.value(0).toString(), andamento.value(1).toDouble() / 20.0,
                            problemi > 0 ? andamento.value(2).toDouble() / problemi : 0.0});
    }

    QSqlQuery errori(db_);
    errori.setForwardOnly(true);
    errori.prepare(
        QStringLiteral("SELECT p.nascosto, "
                       "  CASE WHEN p.nascosto <= 2 THEN p.num1 % 10 < p.num2 % 10 ELSE p.num3 % 10 < p.num4 % 10 END, "
                       "  COUNT(*), SUM(%1) "
                       "FROM problemi p JOIN esercizi e ON e.uid = p.esercizio WHERE %2 GROUP BY 1, 2")
            .arg(QString::fromUtf16(Errato), filtro));
    LegaChiave(errori, chiave);
    if (!Esegui(errori))
        return g;
    while (errori.next()) {
        const int nascosto = errori.value(0).toInt();
        const int problemi = errori.value(2).toInt();
        const int errati = errori.value(3).toInt();
        if (nascosto >= 1 && nascosto <= 4) {
            g.PerNascosto[nascosto - 1].Problemi += problemi;
            g.PerNascosto[nascosto - 1].Errati += errati;
        }
        ConteggioErrori &prestito = errori.value(1).toInt() != 0 ? g.ConPrestito : g.SenzaPrestito;
        prestito.Problemi += problemi;
        prestito.Errati += errati;
    }

    QSqlQuery valori(db_);
    valori.setForwardOnly(true);
    valori.prepare(QStringLiteral("SELECT p.risposte FROM problemi p JOIN esercizi e ON e.uid = p.esercizio "
                                  "WHERE %1 AND %2")
                       .arg(filtro, QString::fromUtf16(Errato)));
    LegaChiave(valori, chiave);
    if (!Esegui(valori))
        return g;
    QHash<int, int> volte;
    while (valori.next()) {
        for (int valore : ValoriErrati(valori.value(0).toString()))
            ++volte[valore];
    }
    for (auto it = volte.cbegin(); it != volte.cend(); ++it)
        g.PiuFrequenti.append({it.key(), it.value()});
    std::sort(g.PiuFrequenti.begin(), g.PiuFrequenti.end(), [](const ValoreErrato &a, const ValoreErrato &b) {
        return a.Volte != b.Volte ? a.Volte > b.Volte : a.Valore < b.Valore;
    });
    if (g.PiuFrequenti.size() > 10)
        g.PiuFrequenti.resize(10);
    return g;
}

QList<RigaClasse> LetturaRegistro::Classe(int ultimi)
{
    QList<RigaClasse> classe;
    const QList<RigaAlunno> alunni = Alunni();
    if (!Ok())
        return classe;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "WITH t AS (SELECT COALESCE(n.chiave, '') AS chiave, s.voto AS voto, "
        "  ROW_NUMBER() OVER (PARTITION BY COALESCE(n.chiave, '') ORDER BY e.inizio DESC) AS r "
        "  FROM esercizi e JOIN esiti s ON s.esercizio = e.uid LEFT JOIN nomi n ON n.esercizio = e.uid) "
        "SELECT chiave, voto FROM t WHERE r <= :ultimi ORDER BY chiave, r"));
    q.bindValue(QStringLiteral(":ultimi"), ultimi);
    if (!Esegui(q))
        return classe;
    QHash<QString, QList<QString>> voti;
    while (q.next())
        voti[q.value(0).toString()].append(q.value(1).toString());
    for (const RigaAlunno &a : alunni)
        classe.append({a.Chiave, a.Nome, voti.value(a.Chiave)});
    return classe;
}

bool LetturaRegistro::PerOgniEsercizio(const std::function<void(const QString &, const RigaEsercizio &)> &fn)
{
    const QHash<QString, QString> nomi = Nomi();
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COALESCE(n.chiave, ''), %1 FROM esercizi e LEFT JOIN esiti s ON s.esercizio = e.uid "
                             "LEFT JOIN nomi n ON n.esercizio = e.uid ORDER BY e.inizio, e.uid")
                  .arg(QString::fromUtf16(ColonneEsercizio)));
    if (!Esegui(q))
        return false;
    while (q.next())
        fn(nomi.value(q.value(0).toString()), EsercizioDa(q, 1));
    return true;
}

bool LetturaRegistro::PerOgniProblema(
    const std::function<void(const QString &, const RigaEsercizio &, const RigaProblema &)> &fn)
{
    const QHash<QString, QString> nomi = Nomi();
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COALESCE(n.chiave, ''), %1, %2 FROM esercizi e "
                             "JOIN problemi p ON p.esercizio = e.uid LEFT JOIN esiti s ON s.esercizio = e.uid "
                             "LEFT JOIN nomi n ON n.esercizio = e.uid ORDER BY e.inizio, e.uid, p.progressivo")
                  .arg(QString::fromUtf16(ColonneEsercizio), QString::fromUtf16(ColonneProblema)));
    if (!Esegui(q))
        return false;
    while (q.next())
        fn(nomi.value(q.value(0).toString()), EsercizioDa(q, 1), ProblemaDa(q, 9));
    return true;
}

std::optional<QString> LetturaRegistro::Impostazione(const QString &chiave)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT valore FROM impostazioni WHERE chiave = :chiave"));
    q.bindValue(QStringLiteral(":chiave"), chiave);
    if (!Esegui(q) || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

bool LetturaRegistro::Imposta(const QString &chiave, const QString &valore)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO impostazioni (chiave, valore) VALUES (:chiave, :valore) "
                             "ON CONFLICT (chiave) DO UPDATE SET valore = excluded.valore"));
    q.bindValue(QStringLiteral(":chiave"), chiave);
    q.bindValue(QStringLiteral(":valore"), valore);
    return Esegui(q);
}

bool LetturaRegistro::Unisci(const QString &chiaveDa, const QString &chiaveA)
{
    if (chiaveDa.isEmpty() || chiaveA.isEmpty() || chiaveDa == chiaveA) {
        errore_ = QStringLiteral("unione di una chiave vuota o con sé stessa");
        return false;
    }
    // Both spellings take the one the other was first typed with.
    const QString nome = Nomi().value(chiaveA);
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("UPDATE nomi SET nome = :nome, chiave = :a WHERE chiave = :da"));
    q.bindValue(QStringLiteral(":nome"), nome);
    q.bindValue(QStringLiteral(":a"), chiaveA);
    q.bindValue(QStringLiteral(":da"), chiaveDa);
    return Esegui(q);
}

bool LetturaRegistro::Vacuum()
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("VACUUM"));
    return Esegui(q);
}

bool LetturaRegistro::CancellaAlunno(const QString &chiave)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM esercizi AS e WHERE %1").arg(FiltroAlunno(chiave)));
    LegaChiave(q, chiave);
    return Esegui(q) && Vacuum();
}

bool LetturaRegistro::CancellaTutto()
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM esercizi"));
    return Esegui(q) && Vacuum();
}

} // namespace lumivex::registro
