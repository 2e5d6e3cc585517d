// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

class QSqlQuery;

namespace lumivex::registro {

// The name under which exercises without a name row are listed, and the key
// that stands for them (no real key is empty: a name is trimmed non-empty).
inline constexpr const char16_t *SenzaNome = u"(senza nome)";

struct RigaAlunno {
    QString Chiave;     // empty: the exercises without a name
    QString Nome;       // as first typed
    int Esercizi = 0;
    QString Ultima;     // start of the latest exercise
    // Share right of the last five finished exercises (0..1), and of the five
    // before them; absent when there are none.
    std::optional<double> UltimeCinque;
    std::optional<double> CinquePrecedenti;
    // The grades of the latest finished exercises, newest first, at most
    // LetturaRegistro::UltimiVoti: the class grid's row.
    QList<QString> Voti;
};

struct RigaEsercizio {
    QByteArray Uid;
    QString Inizio;
    int Minimo = 0;
    int Massimo = 0;
    bool Finito = false; // has an end row; the fields below are valid then
    int Esatte = 0;
    int Errate = 0;
    int Secondi = 0;
    QString Voto;
};

struct RigaProblema {
    int Progressivo = 0;
    int Num[4]{};
    int Nascosto = 1;
    int Soluzione = 0;
    QString Risposte;
    bool Aiuto = false;
    bool Intervento = false;
    int Secondi = 0;
};

// One finished exercise, for the charts over time.
struct PuntoAndamento {
    QString Inizio;
    double QuotaEsatte = 0;      // right answers / 20
    double SecondiPerProblema = 0;
};

// Problems and those with at least one wrong answer, in one group.
struct ConteggioErrori {
    int Problemi = 0;
    int Errati = 0;
};

struct ValoreErrato {
    int Valore = 0;
    int Volte = 0;
};

struct GraficiAlunno {
    QList<PuntoAndamento> Andamento;          // oldest first
    ConteggioErrori PerNascosto[4];           // by hidden term 1..4
    // By whether the subtraction holding the hidden term needs borrowing
    // (the minuend's units fewer than the subtrahend's): the pupil works that
    // one backwards, so that is where borrowing troubles them.
    ConteggioErrori ConPrestito, SenzaPrestito;
    QList<ValoreErrato> PiuFrequenti;         // most given first, at most ten
};

// The values given as wrong answers in a problem's answer list.
QList<int> ValoriErrati(const QString &risposte);

// Every read the teacher's window makes, each one query or a few, with the
// counting done by SQLite: a register of ten school years is over a million
// problems, never loaded whole.
class LetturaRegistro {
public:
    static constexpr int UltimiVoti = 10;

    explicit LetturaRegistro(QSqlDatabase db);

    // False when the last operation failed (each starts afresh, so a
    // register busy for a moment fails one view, not all that follow);
    // Errore() says SQLite's words.
    bool Ok() const { return errore_.isEmpty(); }
    const QString &Errore() const { return errore_; }
    const QSqlDatabase &Database() const { return db_; }

    // Read from the newest exercise back only until every pupil has their
    // latest grades: a class's last weeks, not its years.
    QList<RigaAlunno> Alunni();
    QList<RigaEsercizio> Esercizi(const QString &chiave);
    QList<RigaProblema> Problemi(const QByteArray &esercizio);
    GraficiAlunno Grafici(const QString &chiave);

    // The CSV export's rows, in time order: fn is called once per row.
    bool PerOgniEsercizio(const std::function<void(const QString &nome, const RigaEsercizio &)> &fn);
    bool PerOgniProblema(
        const std::function<void(const QString &nome, const RigaEsercizio &, const RigaProblema &)> &fn);

    std::optional<QString> Impostazione(const QString &chiave);
    bool Imposta(const QString &chiave, const QString &valore);

    // The teacher's changes; each one transaction, deletions then VACUUM.
    bool Unisci(const QString &chiaveDa, const QString &chiaveA);
    bool CancellaAlunno(const QString &chiave);
    bool CancellaTutto();

private:
    bool Esegui(QSqlQuery &q);
    QHash<QString, QString> Nomi();
    // The pupils with their counts and names, nothing more.
    QList<RigaAlunno> Elenco();
    bool Vacuum();

    QSqlDatabase db_;
    QString errore_;
};

} // namespace lumivex::registro
