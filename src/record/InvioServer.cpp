// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/InvioServer.h"

#include "record/RegistroSqlite.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>
#include <QVariant>

#include <atomic>
#include <memory>
#include <optional>

namespace lumivex::registro {

namespace {

// Exercises per transaction: a whole exercise with its twenty problems is
// about twenty-three rows.
constexpr int EserciziPerLotto = 50;

// The server's tables must be the ones this program writes.
constexpr int VersioneServer = 1;

const QString &SelezioneInAttesa()
{
    static const QString s = QStringLiteral(
        "SELECT uid FROM esercizi WHERE inviato = 0"
        " UNION SELECT esercizio FROM problemi WHERE inviato = 0"
        " UNION SELECT esercizio FROM esiti WHERE inviato = 0"
        " UNION SELECT esercizio FROM nomi WHERE inviato = 0");
    return s;
}

QString MessaggioNonRaggiungibile(const ParametriServer &p, const QString &dettaglio)
{
    return QStringLiteral("Il registro della scuola (%1) non risponde: gli esercizi restano su questo PC e "
                          "verranno inviati appena risponde. (%2)")
        .arg(p.Host, dettaglio.trimmed());
}

struct Lotto {
    QList<QByteArray> esercizi;                        // every exercise of the batch, sent or not
    QList<QByteArray> eserciziNuovi;                   // those not yet marked
    QList<QList<QVariant>> righeEsercizi, problemi, esiti, nomi;
    bool Vuoto() const { return esercizi.isEmpty(); }
};

} // namespace

// The thread and everything that lives on it: the two connections are made,
// used and removed inside run().
class FiloInvio : public QThread {
    Q_OBJECT
public:
    FiloInvio(const ParametriServer &parametri, const QString &percorso, std::chrono::milliseconds intervallo)
        : parametri_(parametri), percorso_(percorso), intervallo_(intervallo),
          nomeServer_(QStringLiteral("lumivex-invio-server-%1").arg(quintptr(this))),
          nomeLocale_(QStringLiteral("lumivex-invio-locale-%1").arg(quintptr(this)))
    {
    }

    void Richiedi()
    {
        if (!richiesto_.exchange(true)) {
            emit Richiesta();
        }
    }

signals:
    void Richiesta();
    void Esito(bool raggiungibile, const QString &messaggio);
    void Inviati(int inAttesa);

protected:
    void run() override
    {
        {
            QObject contesto;
            QTimer timer;
            timer.setInterval(intervallo_);
            QObject::connect(&timer, &QTimer::timeout, &contesto, [this] { Giro(); });
            // A request comes as the writer queues its row: the try waits a
            // moment for the row's commit, and a burst of requests makes one try.
            QTimer ritardo;
            ritardo.setSingleShot(true);
            ritardo.setInterval(std::chrono::milliseconds(300));
            QObject::connect(&ritardo, &QTimer::timeout, &contesto, [this] { Giro(); });
            // Queued: Richiesta is emitted from the program's thread.
            QObject::connect(
                this, &FiloInvio::Richiesta, &contesto,
                [&ritardo] {
                    if (!ritardo.isActive()) {
                        ritardo.start();
                    }
                },
                Qt::QueuedConnection);
            timer.start();
            Giro();
            exec();
            locale_.reset();
            if (QSqlDatabase::contains(nomeServer_)) {
                QSqlDatabase::database(nomeServer_, false).close();
            }
        }
        QSqlDatabase::removeDatabase(nomeServer_);
    }

private:
    void Giro()
    {
        richiesto_ = false;
        if (isInterruptionRequested() || !ApriLocale()) {
            return;
        }
        QString errore;
        QSqlDatabase server = Server(&errore);
        if (!server.isOpen()) {
            emit Esito(false, MessaggioNonRaggiungibile(parametri_, errore));
            return;
        }
        while (!isInterruptionRequested()) {
            const std::optional<Lotto> lotto = Leggi();
            if (!lotto) {
                // The local register went wrong: its own writer says so; try again later.
                break;
            }
            if (lotto->Vuoto()) {
                break;
            }
            if (!Invia(server, *lotto, &errore)) {
                server.close();
                emit Esito(false, MessaggioNonRaggiungibile(parametri_, errore));
                return;
            }
            if (!Segna(*lotto)) {
                break;
            }
        }
        emit Esito(true, {});
        const int inAttesa = InvioServer::EserciziInAttesa(locale_->Database());
        if (inAttesa >= 0) {
            emit Inviati(inAttesa);
        }
    }

    bool ApriLocale()
    {
        if (locale_ && locale_->Aperto()) {
            return true;
        }
        locale_.reset();
        // The sender never makes a register: that is the recording's job.
        if (!QFileInfo::exists(percorso_)) {
            return false;
        }
        locale_ = std::make_unique<RegistroSqlite>(percorso_, nomeLocale_);
        return locale_->Aperto();
    }

    QSqlDatabase Server(QString *errore)
    {
        if (QSqlDatabase::contains(nomeServer_)) {
            QSqlDatabase db = QSqlDatabase::database(nomeServer_, false);
            if (db.isOpen()) {
                return db;
            }
        }
        QSqlDatabase db = ApriServer(parametri_, nomeServer_, parametri_.Utente, parametri_.Password, errore);
        if (!db.isOpen()) {
            return db;
        }
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT versione FROM versione")) || !q.next()) {
            *errore = q.lastError().text();
            db.close();
        } else if (q.value(0).toInt() != VersioneServer) {
            *errore = QStringLiteral("le tabelle del server sono della versione %1, questo programma scrive la %2")
                          .arg(q.value(0).toInt())
                          .arg(VersioneServer);
            db.close();
        }
        return db;
    }

    std::optional<Lotto> Leggi()
    {
        QSqlDatabase db = locale_->Database();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        Lotto lotto;
        // One read transaction: the rows of the batch are one consistent picture.
        if (!db.transaction()) {
            return std::nullopt;
        }
        if (!q.exec(SelezioneInAttesa() + QStringLiteral(" LIMIT %1").arg(EserciziPerLotto))) {
            db.rollback();
            return std::nullopt;
        }
        while (q.next()) {
            lotto.esercizi << q.value(0).toByteArray();
        }
        q.finish();
        const auto leggi = [&](const QString &sql, int colonne, QList<QList<QVariant>> &righe,
                               QList<QByteArray> *nuovi) {
            QSqlQuery r(db);
            r.setForwardOnly(true);
            if (!r.prepare(sql)) {
                return false;
            }
            for (const QByteArray &uid : std::as_const(lotto.esercizi)) {
                r.bindValue(0, uid);
                if (!r.exec()) {
                    return false;
                }
                while (r.next()) {
                    QList<QVariant> riga;
                    for (int c = 0; c < colonne; ++c) {
                        riga << r.value(c);
                    }
                    if (nuovi && r.value(colonne).toInt() == 0) {
                        *nuovi << uid;
                    }
                    righe << riga;
                }
            }
            return true;
        };
        const bool ok =
            leggi(QStringLiteral("SELECT uid, inizio, minimo, massimo, macchina, inviato FROM esercizi WHERE uid = ?"),
                  5, lotto.righeEsercizi, &lotto.eserciziNuovi)
            && leggi(QStringLiteral("SELECT esercizio, progressivo, num1, num2, num3, num4, nascosto, soluzione,"
                                    " risposte, aiuto, intervento, secondi FROM problemi"
                                    " WHERE esercizio = ? AND inviato = 0"),
                     12, lotto.problemi, nullptr)
            && leggi(QStringLiteral("SELECT esercizio, fine, esatte, errate, secondi, voto FROM esiti"
                                    " WHERE esercizio = ? AND inviato = 0"),
                     6, lotto.esiti, nullptr)
            && leggi(QStringLiteral("SELECT esercizio, nome, chiave FROM nomi WHERE esercizio = ? AND inviato = 0"),
                     3, lotto.nomi, nullptr);
        db.rollback();
        if (!ok) {
            return std::nullopt;
        }
        return lotto;
    }

    static bool Invia(QSqlDatabase &server, const Lotto &lotto, QString *errore)
    {
        QSqlQuery q(server);
        const auto fallisci = [&](const QSqlQuery &qq) {
            *errore = qq.lastError().text();
            server.rollback();
            return false;
        };
        if (!server.transaction()) {
            *errore = server.lastError().text();
            return false;
        }
        // No conflict target: naming one needs the right to read the table,
        // which the pupils' role has not. The exercise row goes with every
        // batch, so a problem never arrives before its exercise.
        const auto inserisci = [&](const QString &sql, const QList<QList<QVariant>> &righe) {
            if (righe.isEmpty()) {
                return true;
            }
            if (!q.prepare(sql)) {
                return fallisci(q);
            }
            for (const QList<QVariant> &riga : righe) {
                for (int c = 0; c < riga.size(); ++c) {
                    q.bindValue(c, riga.at(c));
                }
                if (!q.exec()) {
                    return fallisci(q);
                }
            }
            return true;
        };
        if (!inserisci(QStringLiteral("INSERT INTO esercizi (uid, inizio, minimo, massimo, macchina)"
                                      " VALUES (?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"),
                       lotto.righeEsercizi)
            || !inserisci(QStringLiteral("INSERT INTO problemi (esercizio, progressivo, num1, num2, num3, num4,"
                                         " nascosto, soluzione, risposte, aiuto, intervento, secondi)"
                                         " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"),
                          lotto.problemi)
            || !inserisci(QStringLiteral("INSERT INTO esiti (esercizio, fine, esatte, errate, secondi, voto)"
                                         " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"),
                          lotto.esiti)
            || !inserisci(QStringLiteral("INSERT INTO nomi (esercizio, nome, chiave) VALUES (?, ?, ?)"
                                         " ON CONFLICT DO NOTHING"),
                          lotto.nomi)) {
            return false;
        }
        if (!server.commit()) {
            *errore = server.lastError().text();
            server.rollback();
            return false;
        }
        return true;
    }

    // Marks exactly the rows that were sent: a problem settled meanwhile
    // stays unsent for the next batch.
    bool Segna(const Lotto &lotto)
    {
        QSqlDatabase db = locale_->Database();
        if (!db.transaction()) {
            return false;
        }
        QSqlQuery q(db);
        const auto segna = [&](const QString &sql, const auto &elenco, auto &&lega) {
            if (!q.prepare(sql)) {
                return false;
            }
            for (const auto &elemento : elenco) {
                lega(elemento);
                if (!q.exec()) {
                    return false;
                }
            }
            return true;
        };
        const auto perUid = [&](const QByteArray &uid) { q.bindValue(0, uid); };
        const auto perRiga = [&](const QList<QVariant> &riga) { q.bindValue(0, riga.at(0)); };
        const bool ok =
            segna(QStringLiteral("UPDATE esercizi SET inviato = 1 WHERE uid = ?"), lotto.eserciziNuovi, perUid)
            && segna(QStringLiteral("UPDATE problemi SET inviato = 1 WHERE esercizio = ? AND progressivo = ?"),
                     lotto.problemi,
                     [&](const QList<QVariant> &riga) {
                         q.bindValue(0, riga.at(0));
                         q.bindValue(1, riga.at(1));
                     })
            && segna(QStringLiteral("UPDATE esiti SET inviato = 1 WHERE esercizio = ?"), lotto.esiti, perRiga)
            && segna(QStringLiteral("UPDATE nomi SET inviato = 1 WHERE esercizio = ?"), lotto.nomi, perRiga);
        if (!ok || !db.commit()) {
            db.rollback();
            return false;
        }
        return true;
    }

    const ParametriServer parametri_;
    const QString percorso_;
    const std::chrono::milliseconds intervallo_;
    const QString nomeServer_;
    const QString nomeLocale_;
    std::unique_ptr<RegistroSqlite> locale_;
    std::atomic<bool> richiesto_{false};
};

InvioServer::InvioServer(const ParametriServer &parametri, const QString &percorsoRegistro,
                         std::chrono::milliseconds intervallo, QObject *genitore)
    : QObject(genitore), parametri_(parametri), filo_(new FiloInvio(parametri, percorsoRegistro, intervallo))
{
    connect(filo_, &FiloInvio::Esito, this, &InvioServer::Aggiorna);
    connect(filo_, &FiloInvio::Inviati, this, &InvioServer::Inviati);
    filo_->start(QThread::LowPriority);
}

InvioServer::~InvioServer()
{
    filo_->requestInterruption();
    filo_->quit();
    if (filo_->wait(QDeadlineTimer(std::chrono::seconds(4)))) {
        delete filo_;
    } else {
        // Stuck in a connection the server never answers: destroying a
        // running thread would abort the program, and the rows are safe in
        // the local register anyway.
        disconnect(filo_, nullptr, this, nullptr);
    }
}

void InvioServer::Sollecita()
{
    filo_->Richiedi();
}

void InvioServer::Aggiorna(bool raggiungibile, const QString &messaggio)
{
    if (raggiungibile == raggiungibile_ && messaggio == messaggio_) {
        return;
    }
    // A server still down for another reason is still the same news.
    const bool notizia = raggiungibile != raggiungibile_;
    raggiungibile_ = raggiungibile;
    messaggio_ = messaggio;
    if (notizia) {
        emit StatoCambiato(raggiungibile_, messaggio_);
    }
}

int InvioServer::EserciziInAttesa(const QSqlDatabase &registro)
{
    QSqlQuery q(registro);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM (") + SelezioneInAttesa() + QStringLiteral(")")) || !q.next()) {
        return -1;
    }
    return q.value(0).toInt();
}

} // namespace lumivex::registro

#include "InvioServer.moc"
