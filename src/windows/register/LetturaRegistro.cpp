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
    QHash<QString, QString> nomi;
    nomi.insert(QString(), QString::fromUtf16(SenzaNome));
    for (const RigaAlunno &a : Elenco())
        nomi.insert(a.Chiave, a.Nome);
    return nomi;
}

QList<RigaAlunno> LetturaRegistro::Elenco()
{
    // A pupil is shown as the name was first typed: names are only ever
    // added, so the first row of a key is the first typed, found through
    // the key's index without reading the others.
    QList<RigaAlunno> alunni;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT n.chiave, COUNT(*), "
                             "  (SELECT m.nome FROM nomi m WHERE m.chiave = n.chiave ORDER BY m.rowid LIMIT 1) "
                             "FROM nomi n GROUP BY n.chiave"));
    if (!Esegui(q))
        return alunni;
    while (q.next()) {
        RigaAlunno a;
        a.Chiave = q.value(0).toString();
        a.Esercizi = q.value(1).toInt();
        a.Nome = q.value(2).toString();
        alunni.append(a);
    }
    QSqlQuery senzaNome(db_);
    senzaNome.prepare(QStringLiteral("SELECT (SELECT COUNT(*) FROM esercizi) - (SELECT COUNT(*) FROM nomi)"));
    if (!Esegui(senzaNome) || !senzaNome.next())
        return alunni;
    if (const int esercizi = senzaNome.value(0).toInt(); esercizi > 0) {
        RigaAlunno a;
        a.Nome = QString::fromUtf16(SenzaNome);
        a.Esercizi = esercizi;
        alunni.append(a);
    }
    return alunni;
}

QList<RigaAlunno> LetturaRegistro::Alunni()
{
    errore_.clear();
    QList<RigaAlunno> alunni = Elenco();
    if (!Ok())
        return alunni;
    QHash<QString, qsizetype> indice;
    for (qsizetype k = 0; k < alunni.size(); ++k)
        indice.insert(alunni[k].Chiave, k);

    struct Recenti {
        QList<int> Esatte; // newest first, ten at most
        bool Completo = false;
    };
    QList<Recenti> recenti(alunni.size());
    qsizetype mancanti = alunni.size();
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COALESCE(n.chiave, ''), e.inizio, s.esatte, s.voto FROM esercizi e "
                             "LEFT JOIN nomi n ON n.esercizio = e.uid LEFT JOIN esiti s ON s.esercizio = e.uid "
                             "ORDER BY e.inizio DESC"));
    if (!Esegui(q))
        return alunni;
    while (mancanti > 0 && q.next()) {
        const auto trovato = indice.constFind(q.value(0).toString());
        if (trovato == indice.cend())
            continue;
        RigaAlunno &a = alunni[*trovato];
        Recenti &r = recenti[*trovato];
        if (a.Ultima.isEmpty())
            a.Ultima = q.value(1).toString();
        if (r.Completo || q.value(2).isNull())
            continue;
        r.Esatte.append(q.value(2).toInt());
        a.Voti.append(q.value(3).toString());
        if (r.Esatte.size() == UltimiVoti) {
            r.Completo = true;
            --mancanti;
        }
    }
    q.finish();
    for (qsizetype k = 0; k < alunni.size(); ++k) {
        const QList<int> &esatte = recenti[k].Esatte;
        const auto media = [&](qsizetype da, qsizetype a) -> std::optional<double> {
            a = std::min(a, esatte.size());
            if (da >= a)
                return std::nullopt;
            double somma = 0;
            for (qsizetype i = da; i < a; ++i)
                somma += esatte[i];
            return somma / static_cast<double>(a - da) / 20.0;
        };
        alunni[k].UltimeCinque = media(0, 5);
        alunni[k].CinquePrecedenti = media(5, 10);
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
    errore_.clear();
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
    errore_.clear();
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
    errore_.clear();
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

bool LetturaRegistro::PerOgniEsercizio(const std::function<void(const QString &, const RigaEsercizio &)> &fn)
{
    errore_.clear();
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
    errore_.clear();
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
    errore_.clear();
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT valore FROM impostazioni WHERE chiave = :chiave"));
    q.bindValue(QStringLiteral(":chiave"), chiave);
    if (!Esegui(q) || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

bool LetturaRegistro::Imposta(const QString &chiave, const QString &valore)
{
    errore_.clear();
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO impostazioni (chiave, valore) VALUES (:chiave, :valore) "
                             "ON CONFLICT (chiave) DO UPDATE SET valore = excluded.valore"));
    q.bindValue(QStringLiteral(":chiave"), chiave);
    q.bindValue(QStringLiteral(":valore"), valore);
    return Esegui(q);
}

bool LetturaRegistro::Unisci(const QString &chiaveDa, const QString &chiaveA)
{
    errore_.clear();
    if (chiaveDa.isEmpty() || chiaveA.isEmpty() || chiaveDa == chiaveA) {
        errore_ = QStringLiteral("unione di una chiave vuota o con sé stessa");
        return false;
    }
    // Both spellings take the one the other was first typed with.
    const QString nome = Nomi().value(chiaveA);
    if (!Ok())
        return false;
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
    errore_.clear();
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM esercizi AS e WHERE %1").arg(FiltroAlunno(chiave)));
    LegaChiave(q, chiave);
    return Esegui(q) && Vacuum();
}

bool LetturaRegistro::CancellaTutto()
{
    errore_.clear();
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM esercizi"));
    return Esegui(q) && Vacuum();
}

} // namespace lumivex::registro
