// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/OsservatoreEsercizio.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <variant>
#include <vector>

namespace lumivex::registro {

// The comparison key of a pupil's name: trimmed, blanks collapsed, case
// folded (Unicode's folding, so "ß" and "SS" meet as the teacher expects).
QString ChiaveNome(const QString &nome);

// The risposte column: "37-;42+", each value then its mark, ';' between.
QString TestoRisposte(const std::vector<RispostaData> &risposte);

// Records what the pupil does in the register, on a thread of its own: the
// calls from the exercise only queue a row and return, so no key press ever
// waits on the disk. Each row is its own transaction, committed with the
// journal synced, so a power cut loses at most the problem on screen. The
// first fault (see StatoRegistro) is reported once through Guasto and
// recording stops for the rest of the run; the file is left as it was.
class ScrittoreRegistro : public QObject, public OsservatoreEsercizio {
    Q_OBJECT

public:
    // Opens nothing yet: connect Guasto first, then Avvia, so a fault found
    // on opening is never told to nobody.
    explicit ScrittoreRegistro(const QString &percorso, const QString &macchina);
    // Writes what is still queued, then stops; when it was never started,
    // it starts to write what was told.
    ~ScrittoreRegistro() override;

    // Starts the writer's thread, which opens the register; rows told before
    // wait in the queue.
    void Avvia();

    void EsercizioIniziato(std::int16_t minimo, std::int16_t massimo) override;
    void ProblemaRisolto(const ProblemaConcluso &problema) override;
    void EsercizioFinito(const EsitoEsercizio &esito) override;
    void NomeConfermato(const std::string &nome) override;

    // Waits until everything queued so far is committed or given up (at
    // once when the writer was never started).
    void Svuota();
    // Rows committed so far (an exercise, a problem, an end or a name each).
    std::uint64_t Scritte() const;

signals:
    // From the writer's thread, once: the Italian sentence for the user.
    void Guasto(const QString &messaggio);

private:
    struct Inizio {
        QByteArray Uid;
        QString Quando;
        int Minimo;
        int Massimo;
    };
    struct Problema {
        QByteArray Uid;
        ProblemaConcluso Dati;
    };
    struct Fine {
        QByteArray Uid;
        QString Quando;
        EsitoEsercizio Dati;
    };
    struct Nome {
        QByteArray Uid;
        QString Testo;
    };
    using Riga = std::variant<Inizio, Problema, Fine, Nome>;

    class Scrittura;

    void Accoda(Riga riga);
    void Lavora();

    const QString percorso_;
    const QString macchina_;

    // The pupil's side: the exercise in course and the name in force.
    QByteArray esercizio_;
    QString nome_;

    mutable std::mutex mutex_;
    std::condition_variable cambiata_;
    std::deque<Riga> coda_;
    bool occupato_ = false;
    bool fine_ = false;
    std::uint64_t scritte_ = 0;
    std::thread filo_;
};

} // namespace lumivex::registro
