// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ScrittoreRegistro.h"

#include "qt/Testo.h"
#include "record/RegistroSqlite.h"

#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <optional>
#include <set>

#include <sys/stat.h>

namespace lumivex::registro {

namespace {

QString Adesso()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

constexpr int TentativiSeOccupato = 3;

} // namespace

QString ChiaveNome(const QString &nome)
{
    return nome.simplified().toCaseFolded();
}

QString TestoRisposte(const std::vector<RispostaData> &risposte)
{
    QStringList parti;
    for (const RispostaData &r : risposte) {
        parti << DaStd(r.Valore) + (r.Esatta ? QLatin1Char('+') : QLatin1Char('-'));
    }
    return parti.join(QLatin1Char(';'));
}

// The writer thread's side: the connection and its statements, prepared once.
class ScrittoreRegistro::Scrittura {
public:
    Scrittura(const QString &percorso, const QString &macchina, const QString &connessione)
        : registro_(percorso, connessione, true), macchina_(macchina)
    {
        if (!registro_.Aperto()) {
            return;
        }
        struct stat s {};
        if (::stat(QFile::encodeName(registro_.Percorso()).constData(), &s) == 0) {
            dispositivo_ = s.st_dev;
            inode_ = s.st_ino;
        }
        const QSqlDatabase db = registro_.Database();
        auto prepara = [&db](std::optional<QSqlQuery> &q, const QString &sql) {
            q.emplace(db);
            q->prepare(sql);
        };
        prepara(inizia_, QStringLiteral("BEGIN IMMEDIATE"));
        prepara(conferma_, QStringLiteral("COMMIT"));
        prepara(annulla_, QStringLiteral("ROLLBACK"));
        prepara(registrazione_, QStringLiteral("SELECT valore FROM impostazioni WHERE chiave = 'registrazione'"));
        prepara(esercizio_, QStringLiteral("INSERT INTO esercizi (uid, inizio, minimo, massimo, macchina)"
                                           " VALUES (?, ?, ?, ?, ?)"));
        prepara(problema_, QStringLiteral("INSERT INTO problemi (esercizio, progressivo, num1, num2, num3, num4,"
                                          " nascosto, soluzione, risposte, aiuto, intervento, secondi)"
                                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        prepara(esito_, QStringLiteral("INSERT INTO esiti (esercizio, fine, esatte, errate, secondi, voto)"
                                       " VALUES (?, ?, ?, ?, ?, ?)"));
        // The first name given to an exercise stays: rows are never changed.
        prepara(nome_, QStringLiteral("INSERT OR IGNORE INTO nomi (esercizio, nome, chiave) VALUES (?, ?, ?)"));
    }

    ~Scrittura() { Dimentica(); }

    QString MessaggioApertura() const { return registro_.Messaggio(); }

    // Commits one row in a transaction of its own. Returns the fault's
    // message, empty when there is none; `scritta` tells whether a row went in
    // (not when recording is off, or its exercise was never written).
    QString Scrivi(const Riga &riga, bool &scritta)
    {
        scritta = false;
        if (!registro_.Aperto()) {
            return {};
        }
        if (Sostituito()) {
            Dimentica();
            registro_.Guasto(StatoRegistro::Scomparso, QString());
            return registro_.Messaggio();
        }
        for (int tentativo = 1;; ++tentativo) {
            QSqlError errore;
            const std::optional<bool> esito = Prova(riga, errore);
            if (esito) {
                scritta = *esito;
                return {};
            }
            // SQLITE_BUSY after the busy timeout: another copy holds the file
            // for long; try again before giving up on the register.
            if (errore.nativeErrorCode() == QStringLiteral("5") && tentativo < TentativiSeOccupato) {
                continue;
            }
            Dimentica();
            const StatoRegistro stato = registro_.Guasto(errore.nativeErrorCode(), errore.text());
            return MessaggioRegistro(stato, registro_.Percorso());
        }
    }

private:
    // The file at our path is no longer the one we opened: deleted, or put
    // back by someone else. Writing on would fill a file nobody sees.
    bool Sostituito() const
    {
        struct stat s {};
        return ::stat(QFile::encodeName(registro_.Percorso()).constData(), &s) != 0 || s.st_dev != dispositivo_ ||
               s.st_ino != inode_;
    }

    // True: written; false: nothing to write; nullopt: failed with `errore`.
    std::optional<bool> Prova(const Riga &riga, QSqlError &errore)
    {
        auto fallita = [&](QSqlQuery &q) {
            errore = q.lastError();
            q.finish();
            annulla_->exec();
            return std::nullopt;
        };
        if (!inizia_->exec()) {
            errore = inizia_->lastError();
            return std::nullopt;
        }
        if (!registrazione_->exec()) {
            return fallita(*registrazione_);
        }
        const bool spenta = registrazione_->next() && registrazione_->value(0).toString() == QStringLiteral("0");
        registrazione_->finish();
        const QByteArray &uid = std::visit([](const auto &r) -> const QByteArray & { return r.Uid; }, riga);
        // An exercise not written (recording was off then) takes no rows.
        if (spenta || (!std::holds_alternative<Inizio>(riga) && scritti_.count(uid) == 0)) {
            annulla_->exec();
            return false;
        }
        QSqlQuery *q = nullptr;
        if (const auto *r = std::get_if<Inizio>(&riga)) {
            q = &*esercizio_;
            q->bindValue(0, r->Uid);
            q->bindValue(1, r->Quando);
            q->bindValue(2, r->Minimo);
            q->bindValue(3, r->Massimo);
            q->bindValue(4, macchina_);
        } else if (const auto *r = std::get_if<Problema>(&riga)) {
            const ProblemaConcluso &p = r->Dati;
            q = &*problema_;
            q->bindValue(0, r->Uid);
            q->bindValue(1, p.Progressivo);
            for (int i = 0; i < 4; ++i) {
                q->bindValue(2 + i, int(p.Termini[std::size_t(i)]));
            }
            q->bindValue(6, p.Nascosto);
            q->bindValue(7, int(p.Soluzione));
            q->bindValue(8, TestoRisposte(p.Risposte));
            q->bindValue(9, int(p.Aiuto));
            q->bindValue(10, int(p.Intervento));
            q->bindValue(11, p.Secondi);
        } else if (const auto *r = std::get_if<Fine>(&riga)) {
            const EsitoEsercizio &e = r->Dati;
            q = &*esito_;
            q->bindValue(0, r->Uid);
            q->bindValue(1, r->Quando);
            q->bindValue(2, e.Esatte);
            q->bindValue(3, e.Errate);
            q->bindValue(4, e.Secondi);
            q->bindValue(5, DaStd(e.Voto));
        } else {
            const auto &n = std::get<Nome>(riga);
            q = &*nome_;
            q->bindValue(0, n.Uid);
            q->bindValue(1, n.Testo);
            q->bindValue(2, ChiaveNome(n.Testo));
        }
        if (!q->exec()) {
            return fallita(*q);
        }
        q->finish();
        if (!conferma_->exec()) {
            return fallita(*conferma_);
        }
        if (std::holds_alternative<Inizio>(riga)) {
            scritti_.insert(uid);
        }
        return true;
    }

    // The statements go before the connection is closed under them.
    void Dimentica()
    {
        for (auto *q : {&inizia_, &conferma_, &annulla_, &registrazione_, &esercizio_, &problema_, &esito_, &nome_}) {
            q->reset();
        }
    }

    RegistroSqlite registro_;
    const QString macchina_;
    dev_t dispositivo_ = 0;
    ino_t inode_ = 0;
    std::set<QByteArray> scritti_;
    std::optional<QSqlQuery> inizia_, conferma_, annulla_, registrazione_, esercizio_, problema_, esito_, nome_;
};

ScrittoreRegistro::ScrittoreRegistro(const QString &percorso, const QString &macchina)
    : percorso_(percorso), macchina_(macchina)
{
}

void ScrittoreRegistro::Avvia()
{
    if (filo_.joinable()) {
        return;
    }
    {
        const std::lock_guard<std::mutex> blocco(mutex_);
        occupato_ = true; // until the register is open
    }
    filo_ = std::thread([this] { Lavora(); });
}

ScrittoreRegistro::~ScrittoreRegistro()
{
    if (!filo_.joinable()) {
        bool vuota = false;
        {
            const std::lock_guard<std::mutex> blocco(mutex_);
            vuota = coda_.empty();
        }
        if (vuota) {
            return;
        }
        // Told before it was ever started: the rows still go to the register.
        Avvia();
    }
    {
        const std::lock_guard<std::mutex> blocco(mutex_);
        fine_ = true;
    }
    cambiata_.notify_all();
    filo_.join();
}

void ScrittoreRegistro::EsercizioIniziato(std::int16_t minimo, std::int16_t massimo)
{
    esercizio_ = QUuid::createUuid().toRfc4122();
    Accoda(Inizio{esercizio_, Adesso(), minimo, massimo});
    if (!nome_.isEmpty()) {
        Accoda(Nome{esercizio_, nome_});
    }
}

void ScrittoreRegistro::ProblemaRisolto(const ProblemaConcluso &problema)
{
    if (!esercizio_.isEmpty()) {
        Accoda(Problema{esercizio_, problema});
    }
}

void ScrittoreRegistro::EsercizioFinito(const EsitoEsercizio &esito)
{
    if (!esercizio_.isEmpty()) {
        Accoda(Fine{esercizio_, Adesso(), esito});
    }
}

void ScrittoreRegistro::NomeConfermato(const std::string &nome)
{
    const QString testo = DaStd(nome).trimmed();
    if (testo.isEmpty()) {
        return;
    }
    nome_ = testo;
    if (!esercizio_.isEmpty()) {
        Accoda(Nome{esercizio_, nome_});
    }
}

void ScrittoreRegistro::Svuota()
{
    if (!filo_.joinable()) {
        return;
    }
    std::unique_lock<std::mutex> blocco(mutex_);
    cambiata_.wait(blocco, [this] { return coda_.empty() && !occupato_; });
}

std::uint64_t ScrittoreRegistro::Scritte() const
{
    const std::lock_guard<std::mutex> blocco(mutex_);
    return scritte_;
}

void ScrittoreRegistro::Accoda(Riga riga)
{
    {
        const std::lock_guard<std::mutex> blocco(mutex_);
        coda_.push_back(std::move(riga));
    }
    cambiata_.notify_all();
}

void ScrittoreRegistro::Lavora()
{
    Scrittura scrittura(percorso_, macchina_, QStringLiteral("scrittore-%1").arg(quintptr(this)));
    bool segnalato = false;
    auto segnala = [&](const QString &messaggio) {
        if (!segnalato && !messaggio.isEmpty()) {
            segnalato = true;
            emit Guasto(messaggio);
        }
    };
    segnala(scrittura.MessaggioApertura());

    std::unique_lock<std::mutex> blocco(mutex_);
    occupato_ = false;
    cambiata_.notify_all();
    for (;;) {
        cambiata_.wait(blocco, [this] { return fine_ || !coda_.empty(); });
        if (coda_.empty()) {
            return;
        }
        const Riga riga = std::move(coda_.front());
        coda_.pop_front();
        occupato_ = true;
        blocco.unlock();
        bool scritta = false;
        const QString messaggio = scrittura.Scrivi(riga, scritta);
        segnala(messaggio);
        blocco.lock();
        if (scritta) {
            ++scritte_;
        }
        occupato_ = false;
        cambiata_.notify_all();
    }
}

} // namespace lumivex::registro
