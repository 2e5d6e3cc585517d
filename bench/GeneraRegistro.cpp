// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneraRegistro.h"

#include "exercise/LivelliEsercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/Valutazione.h"
#include "qt/Testo.h"
#include "record/RegistroSqlite.h"
#include "record/ScrittoreRegistro.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <array>
#include <random>

namespace lumivex::registro {

namespace {

// Only A to Z reach a name on the name window.
constexpr std::array<const char *, 40> Nomi{
    "GIULIA", "FRANCESCO", "SOFIA", "LEONARDO", "AURORA", "ALESSANDRO", "GINEVRA", "TOMMASO",
    "ALICE", "RICCARDO", "BEATRICE", "EDOARDO", "EMMA", "LORENZO", "VITTORIA", "MATTIA",
    "LUDOVICA", "GABRIELE", "MATILDE", "ANDREA", "CHIARA", "DIEGO", "NOEMI", "PIETRO",
    "ANNA", "SAMUELE", "MARTINA", "DAVIDE", "GIORGIA", "NICCOLO", "ELENA", "MARCO",
    "SARA", "LUCA", "REBECCA", "FILIPPO", "ELISA", "GIACOMO", "IRENE", "ENEA"};

struct Istruzioni {
    explicit Istruzioni(const QSqlDatabase &db)
        : esercizio(db), problema(db), esito(db), nome(db)
    {
        esercizio.prepare(QStringLiteral("INSERT INTO esercizi (uid, inizio, minimo, massimo, macchina, inviato)"
                                         " VALUES (?, ?, ?, ?, ?, 0)"));
        problema.prepare(QStringLiteral("INSERT INTO problemi (esercizio, progressivo, num1, num2, num3, num4,"
                                        " nascosto, soluzione, risposte, aiuto, intervento, secondi)"
                                        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        esito.prepare(QStringLiteral("INSERT INTO esiti (esercizio, fine, esatte, errate, secondi, voto)"
                                     " VALUES (?, ?, ?, ?, ?, ?)"));
        nome.prepare(QStringLiteral("INSERT INTO nomi (esercizio, nome, chiave) VALUES (?, ?, ?)"));
    }
    QSqlQuery esercizio, problema, esito, nome;
};

QString Errore(const QSqlQuery &q)
{
    return q.lastError().text();
}

} // namespace

QString GeneraRegistro(const QString &percorso, const ParametriGenerazione &parametri)
{
    const RegistroSqlite registro(percorso, QStringLiteral("generatore"));
    if (!registro.Aperto()) {
        return registro.Messaggio();
    }
    QSqlDatabase db = registro.Database();
    QSqlQuery q(db);
    // A made-up register: no power cut to survive while it is written.
    q.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    q.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
    q.finish();
    std::mt19937_64 caso(parametri.Seme);
    std::uniform_real_distribution<double> unita(0.0, 1.0);
    Istruzioni ist(db);
    Modulo2 contatori;
    contatori.NumOperazioni = Modulo2::OperazioniPerEsercizio;

    for (int anno = 0; anno < parametri.Anni; ++anno) {
        if (!db.transaction()) {
            return db.lastError().text();
        }
        // School days from mid-September to early June.
        const QDate apertura(2016 + anno, 9, 12);
        for (int alunno = 0; alunno < parametri.Alunni; ++alunno) {
            const QString nome = QString::fromLatin1(Nomi[std::size_t(alunno) % Nomi.size()]) +
                                 (alunno >= int(Nomi.size()) ? QString::number(alunno / int(Nomi.size())) : QString());
            // Each pupil has a skill of their own, growing over the years.
            const double abilita = std::min(0.95, 0.35 + 0.5 * unita(caso) + 0.03 * anno);
            std::vector<qint64> giorni;
            for (int n = 0; n < parametri.EserciziPerAnno; ++n) {
                giorni.push_back(std::uniform_int_distribution<qint64>(0, 268)(caso));
            }
            std::sort(giorni.begin(), giorni.end());
            for (const qint64 giorno : giorni) {
                const QByteArray uid = QUuid::createUuid().toRfc4122();
                const auto &livello = LivelliEsercizio[std::size_t(std::min(2, anno / 3 + int(caso() % 2)))];
                const QDateTime inizio(apertura.addDays(giorno),
                                       QTime(8, 30).addSecs(std::uniform_int_distribution<int>(0, 4 * 3600)(caso)));
                ist.esercizio.bindValue(0, uid);
                ist.esercizio.bindValue(1, inizio.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
                ist.esercizio.bindValue(2, int(livello.NumeroMin));
                ist.esercizio.bindValue(3, int(livello.NumeroMax));
                ist.esercizio.bindValue(4, QStringLiteral("aula-%1").arg(1 + alunno % 3));
                if (!ist.esercizio.exec()) {
                    return Errore(ist.esercizio);
                }
                if (unita(caso) >= parametri.SenzaNome) {
                    ist.nome.bindValue(0, uid);
                    ist.nome.bindValue(1, nome);
                    ist.nome.bindValue(2, ChiaveNome(nome));
                    if (!ist.nome.exec()) {
                        return Errore(ist.nome);
                    }
                }
                int esatte = 0, errate = 0, totale = 0;
                std::uniform_int_distribution<int> termine(livello.NumeroMin, livello.NumeroMax);
                for (int p = 1; p <= Modulo2::OperazioniPerEsercizio; ++p) {
                    // a - b = c - d with every term in range.
                    int a = termine(caso), b = termine(caso);
                    if (a < b) {
                        std::swap(a, b);
                    }
                    const int differenza = a - b;
                    const int d = std::uniform_int_distribution<int>(livello.NumeroMin,
                                                                     std::max<int>(livello.NumeroMin,
                                                                                   livello.NumeroMax - differenza))(caso);
                    const int c = d + differenza;
                    const std::array<int, 4> termini{a, b, c, d};
                    const int nascosto = 1 + int(caso() % 4);
                    const int soluzione = termini[std::size_t(nascosto - 1)];
                    std::vector<RispostaData> risposte;
                    bool aiuto = false, intervento = false;
                    auto sbagliata = [&] {
                        const int scarto = std::uniform_int_distribution<int>(1, 10)(caso);
                        risposte.push_back({std::to_string(soluzione + (caso() % 2 ? scarto : -scarto)), false});
                        ++errate;
                    };
                    const double sorte = unita(caso);
                    if (sorte < abilita) {
                        risposte.push_back({std::to_string(soluzione), true});
                        ++esatte;
                    } else if (sorte < abilita + (1 - abilita) * 0.5) {
                        sbagliata();
                        risposte.push_back({std::to_string(soluzione), true});
                        ++esatte;
                    } else if (sorte < abilita + (1 - abilita) * 0.85) {
                        sbagliata();
                        aiuto = true;
                    } else {
                        sbagliata();
                        sbagliata();
                        sbagliata();
                        intervento = true;
                    }
                    const int secondi = std::uniform_int_distribution<int>(2, 40)(caso);
                    totale += secondi;
                    ist.problema.bindValue(0, uid);
                    ist.problema.bindValue(1, p);
                    for (int i = 0; i < 4; ++i) {
                        ist.problema.bindValue(2 + i, termini[std::size_t(i)]);
                    }
                    ist.problema.bindValue(6, nascosto);
                    ist.problema.bindValue(7, soluzione);
                    ist.problema.bindValue(8, TestoRisposte(risposte));
                    ist.problema.bindValue(9, int(aiuto));
                    ist.problema.bindValue(10, int(intervento));
                    ist.problema.bindValue(11, secondi);
                    if (!ist.problema.exec()) {
                        return Errore(ist.problema);
                    }
                }
                contatori.RisposteEsatte = std::int16_t(esatte);
                ist.esito.bindValue(0, uid);
                ist.esito.bindValue(1, inizio.addSecs(totale).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
                ist.esito.bindValue(2, esatte);
                ist.esito.bindValue(3, errate);
                ist.esito.bindValue(4, totale);
                ist.esito.bindValue(5, DaStd(GiudizioValutazione(contatori)));
                if (!ist.esito.exec()) {
                    return Errore(ist.esito);
                }
            }
        }
        if (!db.commit()) {
            return db.lastError().text();
        }
    }
    return {};
}

} // namespace lumivex::registro
