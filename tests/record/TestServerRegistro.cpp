// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/InvioServer.h"
#include "record/LetturaServer.h"
#include "record/ParametriServer.h"
#include "record/RegistroSqlite.h"
#include "RigheDiProva.h"
#include "support/postgresql/ServerPostgresPrivato.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace lumivex;
using namespace lumivex::registro;
using lumivex::prove::ServerPostgresPrivato;

namespace {

// A socket that takes connections (the kernel queues them) and never says a
// word: a server frozen, or a wrong machine behind the name.
class ServerMuto {
public:
    explicit ServerMuto(const QString &cartella)
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un indirizzo{};
        indirizzo.sun_family = AF_UNIX;
        const QByteArray percorso =
            QFile::encodeName(cartella + QStringLiteral("/.s.PGSQL.%1").arg(ServerPostgresPrivato::Porta));
        qstrncpy(indirizzo.sun_path, percorso.constData(), sizeof(indirizzo.sun_path));
        Attivo = fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr *>(&indirizzo), sizeof(indirizzo)) == 0
                 && ::listen(fd_, 64) == 0;
    }
    ~ServerMuto() { ::close(fd_); }
    ServerMuto(const ServerMuto &) = delete;
    ServerMuto &operator=(const ServerMuto &) = delete;
    bool Attivo = false;

private:
    int fd_ = -1;
};

} // namespace

class TestServerRegistro : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        try {
            server_ = std::make_unique<ServerPostgresPrivato>();
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
        ApriAmministratore();
    }

    void init()
    {
        QVERIFY(QSqlQuery(admin_).exec(QStringLiteral("TRUNCATE esercizi, problemi, esiti, nomi")));
    }

    void cleanupTestCase()
    {
        admin_.close();
        admin_ = {};
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    }

    // Catches: the pupils' role able to read, change or delete anyone's results,
    // or the teacher's role unable to read the class, delete a pupil or merge
    // two spellings (the grants of the set-up script).
    void ruoli_data()
    {
        QTest::addColumn<QString>("ruolo");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("concesso");
        const QString alunni = QStringLiteral("lumivex_alunni");
        const QString docente = QStringLiteral("lumivex_docente");
        for (const char *tabella : {"esercizi", "problemi", "esiti", "nomi"}) {
            const QString t = QLatin1String(tabella);
            QTest::addRow("alunni leggono %s", tabella) << alunni << QStringLiteral("SELECT * FROM ") + t << false;
            QTest::addRow("alunni cancellano %s", tabella) << alunni << QStringLiteral("DELETE FROM ") + t << false;
            QTest::addRow("docente legge %s", tabella) << docente << QStringLiteral("SELECT * FROM ") + t << true;
            QTest::addRow("docente cancella %s", tabella) << docente << QStringLiteral("DELETE FROM ") + t << true;
        }
        QTest::newRow("alunni cambiano un nome") << alunni << QStringLiteral("UPDATE nomi SET nome = 'x'") << false;
        QTest::newRow("alunni cambiano un esercizio")
            << alunni << QStringLiteral("UPDATE esercizi SET minimo = 2") << false;
        QTest::newRow("alunni aggiungono") << alunni
                                           << QStringLiteral("INSERT INTO esercizi VALUES ("
                                                             "'\\x000102030405060708090a0b0c0d0e0f'::bytea,"
                                                             " '2026-12-08T09:00:00', 1, 9, 'pc') ON CONFLICT DO NOTHING")
                                           << true;
        QTest::newRow("docente unisce due nomi")
            << docente << QStringLiteral("UPDATE nomi SET nome = 'Anna', chiave = 'anna' WHERE chiave = 'ana'") << true;
        QTest::newRow("docente cambia un esercizio")
            << docente << QStringLiteral("UPDATE esercizi SET minimo = 2") << false;
        QTest::newRow("docente aggiunge") << docente
                                          << QStringLiteral("INSERT INTO nomi VALUES ('\\x00'::bytea, 'a', 'a')") << false;
    }
    void ruoli()
    {
        QFETCH(QString, ruolo);
        QFETCH(QString, sql);
        QFETCH(bool, concesso);
        const QString password = ruolo == QLatin1String("lumivex_alunni") ? ServerPostgresPrivato::PasswordAlunni
                                                                          : ServerPostgresPrivato::PasswordDocente;
        QString errore;
        {
            QSqlDatabase db = ApriServer(server_->Parametri(ruolo, password), QStringLiteral("ruolo"), ruolo, password,
                                         &errore);
            QVERIFY2(db.isOpen(), qPrintable(errore));
            QSqlQuery q(db);
            const bool eseguito = q.exec(sql);
            QVERIFY2(eseguito == concesso, qPrintable(q.lastError().text()));
            if (!concesso) {
                QVERIFY2(q.lastError().text().contains(QLatin1String("permission denied")),
                         qPrintable(q.lastError().text()));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("ruolo"));
    }

    // Catches: rows lost or stored twice on the way (a batch resent after a
    // lost confirmation, a problem settled while its batch was on the way), or
    // the local register still saying something waits once all is sent.
    void inviaOgniRigaUnaVolta()
    {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("registro.sqlite"));
        RegistroSqlite locale(percorso, QStringLiteral("locale"));
        QVERIFY(locale.Aperto());
        QList<QByteArray> uid;
        // One transaction for the lot: a test's set-up need not pay the disk's syncs.
        QVERIFY(locale.Database().transaction());
        for (int e = 0; e < 120; ++e) { // more than one batch
            uid << prove::NuovoUid();
            QVERIFY(prove::ScriviEsercizio(locale.Database(), uid.last(), QStringLiteral("pc-1")));
            for (int p = 1; p <= (e == 0 ? 5 : 20); ++p) {
                QVERIFY(prove::ScriviProblema(locale.Database(), uid.last(), p));
            }
            if (e > 0) {
                QVERIFY(prove::ScriviFine(locale.Database(), uid.last(), QStringLiteral("  Anna  Rossi ")));
            }
        }
        QVERIFY(locale.Database().commit());
        QCOMPARE(InvioServer::EserciziInAttesa(locale.Database()), 120);
        {
            InvioServer invio(server_->Parametri(), percorso, std::chrono::milliseconds(200));
            QSignalSpy inviati(&invio, &InvioServer::Inviati);
            QTRY_VERIFY_WITH_TIMEOUT(!inviati.isEmpty() && inviati.last().at(0).toInt() == 0, 20000);
            QCOMPARE(InvioServer::EserciziInAttesa(locale.Database()), 0);

            // The first exercise goes on after its first send.
            for (int p = 6; p <= 20; ++p) {
                QVERIFY(prove::ScriviProblema(locale.Database(), uid.first(), p));
            }
            QVERIFY(prove::ScriviFine(locale.Database(), uid.first(), QStringLiteral("Anna Rossi")));
            QCOMPARE(InvioServer::EserciziInAttesa(locale.Database()), 1);
            inviati.clear();
            invio.Sollecita();
            QTRY_VERIFY_WITH_TIMEOUT(!inviati.isEmpty() && inviati.last().at(0).toInt() == 0, 20000);

            // A confirmation lost: everything goes again, and is kept once.
            for (const char *tabella : {"esercizi", "problemi", "esiti", "nomi"}) {
                QVERIFY(QSqlQuery(locale.Database())
                            .exec(QStringLiteral("UPDATE %1 SET inviato = 0").arg(QLatin1String(tabella))));
            }
            inviati.clear();
            invio.Sollecita();
            QTRY_VERIFY_WITH_TIMEOUT(!inviati.isEmpty() && inviati.last().at(0).toInt() == 0, 20000);
            QVERIFY(invio.Raggiungibile());
        }
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM esercizi")), 120);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM problemi")), 120 * 20);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM esiti")), 120);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM nomi WHERE chiave = 'anna rossi'")), 120);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM problemi WHERE risposte = '7-;10+'"
                                                     " AND num1 = 50 AND nascosto = 4 AND secondi = 6")),
                 120 * 20);
        QSqlQuery q(admin_);
        QVERIFY(q.exec(QStringLiteral("SELECT uid FROM esercizi ORDER BY uid")));
        QList<QByteArray> sulServer;
        while (q.next()) {
            sulServer << q.value(0).toByteArray();
        }
        std::sort(uid.begin(), uid.end());
        QCOMPARE(sulServer, uid);
    }

    // Catches: the teacher's read failing on the server's tables, exercises
    // with no name missing from the class, a name shown in a later spelling,
    // or a wrong password reported as a server that does not answer.
    void docenteLeggeLaClasse()
    {
        QSqlQuery q(admin_);
        QVERIFY(q.exec(QStringLiteral(
            "INSERT INTO esercizi VALUES ('\\x01'::bytea || '\\x000000000000000000000000000000'::bytea,"
            " '2026-12-01T09:00:00', 1, 9, 'pc1'),"
            " ('\\x02'::bytea || '\\x000000000000000000000000000000'::bytea, '2026-12-02T09:00:00', 1, 9, 'pc2'),"
            " ('\\x03'::bytea || '\\x000000000000000000000000000000'::bytea, '2026-12-03T09:00:00', 1, 9, 'pc3')")));
        QVERIFY(q.exec(QStringLiteral(
            "INSERT INTO nomi VALUES ('\\x01'::bytea || '\\x000000000000000000000000000000'::bytea, 'Luca  Bianchi', 'luca bianchi'),"
            " ('\\x02'::bytea || '\\x000000000000000000000000000000'::bytea, 'LUCA BIANCHI', 'luca bianchi')")));

        QString messaggio;
        {
            QSqlDatabase sbagliata =
                ApriServerDocente(server_->Parametri(), QStringLiteral("no"), QStringLiteral("docente"), &messaggio);
            QVERIFY(!sbagliata.isOpen());
            QCOMPARE(messaggio, QStringLiteral("Password dell'insegnante errata per il registro della scuola."));
        }
        {
            QSqlDatabase db = ApriServerDocente(server_->Parametri(), ServerPostgresPrivato::PasswordDocente,
                                                QStringLiteral("docente"), &messaggio);
            QVERIFY2(db.isOpen(), qPrintable(messaggio));
            QList<AlunnoServer> classe;
            QString errore;
            QVERIFY2(LeggiClasse(db, &classe, &errore), qPrintable(errore));
            QCOMPARE(classe.size(), 2);
            QCOMPARE(classe.at(0).Nome, QStringLiteral("Luca  Bianchi"));
            QCOMPARE(classe.at(0).Esercizi, 2);
            QCOMPARE(classe.at(0).Ultimo, QStringLiteral("2026-12-02T09:00:00"));
            QCOMPARE(classe.at(1).Nome, QStringLiteral("(senza nome)"));
            QCOMPARE(classe.at(1).Esercizi, 1);
            db.close();

            // The pupils' role is refused the same read.
            QSqlDatabase alunni = ApriServer(server_->Parametri(), QStringLiteral("docente"),
                                             QStringLiteral("lumivex_alunni"), ServerPostgresPrivato::PasswordAlunni,
                                             &errore);
            QVERIFY2(alunni.isOpen(), qPrintable(errore));
            QVERIFY(!LeggiClasse(alunni, &classe, &errore));
            QVERIFY(errore.contains(QLatin1String("permission denied")));
            alunni.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("docente"));
    }

    // Catches: the set-up script, run again on a register in use (an update,
    // a password changed), losing or doubling what the server holds or
    // taking back the pupils' right to add.
    void preparaDiNuovo()
    {
        QSqlQuery q(admin_);
        QVERIFY(q.exec(QStringLiteral("INSERT INTO esercizi VALUES ('\\x0f'::bytea || "
                                      "'\\x000000000000000000000000000000'::bytea, '2026-12-01T09:00:00', 1, 9, 'pc')")));
        server_->Prepara();
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM esercizi")), 1);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT versione FROM versione")), 1);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM versione")), 1);
        QString errore;
        {
            QSqlDatabase db = ApriServer(server_->Parametri(), QStringLiteral("ancora"), QStringLiteral("lumivex_alunni"),
                                         ServerPostgresPrivato::PasswordAlunni, &errore);
            QVERIFY2(db.isOpen(), qPrintable(errore));
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("INSERT INTO esercizi VALUES ('\\x0e'::bytea || "
                                                      "'\\x000000000000000000000000000000'::bytea, 'x', 1, 9, 'pc')")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("ancora"));
    }

    // Catches: a server that takes the connection and never answers holding
    // up the program's thread (the pupil's keys), the message repeated at
    // every try, or rows marked sent that never reached a server.
    void serverMuto()
    {
        QTemporaryDir cartellaMuta;
        ServerMuto muto(cartellaMuta.path());
        QVERIFY(muto.Attivo);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("registro.sqlite"));
        RegistroSqlite locale(percorso, QStringLiteral("muto"));
        const QByteArray uid = prove::NuovoUid();
        QVERIFY(prove::ScriviEsercizio(locale.Database(), uid, QStringLiteral("pc")));

        ParametriServer parametri = server_->Parametri();
        parametri.Host = cartellaMuta.path();
        QElapsedTimer tempo;
        tempo.start();
        auto invio = std::make_unique<InvioServer>(parametri, percorso, std::chrono::milliseconds(100));
        QSignalSpy stato(invio.get(), &InvioServer::StatoCambiato);
        // The pupil settles problems while the sender waits on the silent server.
        qint64 peggiore = 0;
        for (int p = 1; p <= 20; ++p) {
            QElapsedTimer passo;
            passo.start();
            QVERIFY(prove::ScriviProblema(locale.Database(), uid, p));
            invio->Sollecita();
            peggiore = std::max(peggiore, passo.elapsed());
            QTest::qWait(50);
        }
        QVERIFY2(peggiore < 500, qPrintable(QStringLiteral("%1 ms").arg(peggiore)));
        // Three tries at least, each ending on the connect timeout.
        QTRY_VERIFY_WITH_TIMEOUT(tempo.elapsed() > 10000, 15000);
        QCOMPARE(stato.size(), 1);
        QCOMPARE(stato.first().at(0).toBool(), false);
        QVERIFY(!invio->Raggiungibile());
        QVERIFY(invio->Messaggio().startsWith(QStringLiteral("Il registro della scuola (%1) non risponde: gli "
                                                             "esercizi restano su questo PC")
                                                  .arg(cartellaMuta.path())));
        QElapsedTimer chiusura;
        chiusura.start();
        invio.reset();
        QVERIFY2(chiusura.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(chiusura.elapsed())));
        QCOMPARE(prove::Conta(locale.Database(), QStringLiteral("SELECT count(*) FROM problemi WHERE inviato = 0")), 20);
        QCOMPARE(InvioServer::EserciziInAttesa(locale.Database()), 1);

        // The real server then takes all of it.
        InvioServer vero(server_->Parametri(), percorso, std::chrono::milliseconds(100));
        QSignalSpy inviati(&vero, &InvioServer::Inviati);
        QTRY_VERIFY_WITH_TIMEOUT(!inviati.isEmpty() && inviati.last().at(0).toInt() == 0, 20000);
        QCOMPARE(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM problemi")), 20);
    }

    // Catches: a server that went away and came back (restarted during the
    // lesson) never tried again, or its news not given when it answers again.
    void serverRiavviato()
    {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("registro.sqlite"));
        RegistroSqlite locale(percorso, QStringLiteral("riavvio"));
        server_->Ferma();
        InvioServer invio(server_->Parametri(), percorso, std::chrono::milliseconds(200));
        QSignalSpy stato(&invio, &InvioServer::StatoCambiato);
        const QByteArray uid = prove::NuovoUid();
        QVERIFY(prove::ScriviEsercizio(locale.Database(), uid, QStringLiteral("pc")));
        invio.Sollecita();
        QTRY_COMPARE_WITH_TIMEOUT(stato.size(), 1, 10000);
        server_->Avvia();
        ApriAmministratore();
        QTRY_COMPARE_WITH_TIMEOUT(stato.size(), 2, 10000);
        QCOMPARE(stato.last().at(0).toBool(), true);
        QVERIFY(invio.Messaggio().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(prove::Conta(admin_, QStringLiteral("SELECT count(*) FROM esercizi")), 1, 10000);
    }

    // Catches: the technician's settings misread (a port, a password with
    // blanks, a missing key overriding the default) or a command line server
    // taken when its port is not a port.
    void impostazioni()
    {
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("Lumivex.conf"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Registro]\nhost=server.scuola.lan\nport=5433\nuser=pc_lab\npassword=\" a b \"\n"
                    "sslrootcert=/etc/ssl/scuola.pem\n");
        }
        QSettings impostazioni(file, QSettings::IniFormat);
        ParametriServer p = LeggiParametriServer(impostazioni);
        QCOMPARE(p.Host, QStringLiteral("server.scuola.lan"));
        QCOMPARE(p.Porta, 5433);
        QCOMPARE(p.Database, QStringLiteral("lumivex"));
        QCOMPARE(p.Utente, QStringLiteral("pc_lab"));
        QCOMPARE(p.Password, QStringLiteral(" a b "));
        QVERIFY(OpzioniConnessione(p).contains(QStringLiteral("sslmode='verify-full'")));
        QVERIFY(OpzioniConnessione(p).contains(QStringLiteral("sslrootcert='/etc/ssl/scuola.pem'")));
        QVERIFY(OpzioniConnessione(server_->Parametri()).contains(QStringLiteral("sslmode='prefer'")));

        const struct {
            const char *valore;
            bool valido;
            const char *host;
            int porta;
        } casi[] = {
            {"altro.lan", true, "altro.lan", 5433},     {"altro.lan:6000", true, "altro.lan", 6000},
            {"[fe80::1]:6001", true, "fe80::1", 6001}, {"fe80::2", true, "fe80::2", 5433},
            {"altro.lan:0", false, "", 0},             {"altro.lan:70000", false, "", 0},
            {"altro.lan:x", false, "", 0},             {"", false, "", 0},
            {"[fe80::1", false, "", 0},
        };
        for (const auto &caso : casi) {
            ParametriServer q = p;
            QCOMPARE(ApplicaServerDaRigaDiComando(q, QString::fromUtf8(caso.valore)), caso.valido);
            QCOMPARE(q.Host, caso.valido ? QString::fromUtf8(caso.host) : p.Host);
            QCOMPARE(q.Porta, caso.valido ? caso.porta : p.Porta);
        }
    }

private:
    // The test's own view of the server, as its administrator.
    void ApriAmministratore()
    {
        QString errore;
        admin_ = ApriServer(server_->Parametri(QStringLiteral("admin"), ServerPostgresPrivato::PasswordAmministratore),
                            QStringLiteral("admin"), QStringLiteral("admin"),
                            ServerPostgresPrivato::PasswordAmministratore, &errore);
        QVERIFY2(admin_.isOpen(), qPrintable(errore));
        QVERIFY(QSqlQuery(admin_).exec(QStringLiteral("SET search_path = registro")));
    }

    std::unique_ptr<ServerPostgresPrivato> server_;
    QSqlDatabase admin_;
};

QTEST_GUILESS_MAIN(TestServerRegistro)
#include "TestServerRegistro.moc"
