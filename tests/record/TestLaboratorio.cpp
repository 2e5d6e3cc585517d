// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/InvioServer.h"
#include "record/RegistroSqlite.h"
#include "RigheDiProva.h"
#include "support/postgresql/ServerPostgresPrivato.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace lumivex;
using lumivex::prove::ServerPostgresPrivato;

class TestLaboratorio : public QObject {
    Q_OBJECT

private slots:
    // Catches: a server restarted during the lesson losing exercises or
    // problems (rows marked sent that never got there), storing any twice,
    // or a PC left believing something still waits.
    void venticinquePcEDueRiavvii()
    {
        std::unique_ptr<ServerPostgresPrivato> server;
        try {
            server = std::make_unique<ServerPostgresPrivato>();
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
        constexpr int Pc = 25;
        QTemporaryDir cartella;
        std::vector<std::unique_ptr<QProcess>> pc;
        QStringList registri;
        for (int i = 0; i < Pc; ++i) {
            const QString casa = cartella.filePath(QStringLiteral("pc%1").arg(i));
            QVERIFY(QDir().mkpath(casa));
            registri << casa + QStringLiteral("/registro.sqlite");
            auto processo = std::make_unique<QProcess>();
            QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
            ambiente.insert(QStringLiteral("HOME"), casa);
            ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa);
            ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), casa);
            ambiente.insert(QStringLiteral("LUMIVEX_PASSWORD_PROVA"), ServerPostgresPrivato::PasswordAlunni);
            processo->setProcessEnvironment(ambiente);
            processo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            processo->start(QStringLiteral(LUMIVEX_PC_SIMULATO),
                            {registri.last(), server->Cartella(), QString::number(ServerPostgresPrivato::Porta),
                             QStringLiteral("pc-%1").arg(i)});
            pc.push_back(std::move(processo));
        }
        for (const auto &processo : pc) {
            QVERIFY(processo->waitForStarted(10000));
        }
        for (int riavvio = 0; riavvio < 2; ++riavvio) {
            QTest::qWait(700);
            server->Ferma();
            QTest::qWait(1500);
            server->Avvia();
        }
        for (int i = 0; i < Pc; ++i) {
            // waitForFinished() is false for a process that already ended
            // while the restarts ran the event loop.
            const bool finito = pc[i]->state() == QProcess::NotRunning || pc[i]->waitForFinished(180000);
            QVERIFY2(finito, qPrintable(QStringLiteral("pc-%1").arg(i)));
            QCOMPARE(pc[i]->exitStatus(), QProcess::NormalExit);
            QCOMPARE(pc[i]->exitCode(), 0);
        }

        QString errore;
        QSqlDatabase admin =
            registro::ApriServer(server->Parametri(QStringLiteral("admin"), ServerPostgresPrivato::PasswordAmministratore),
                                 QStringLiteral("admin"), QStringLiteral("admin"),
                                 ServerPostgresPrivato::PasswordAmministratore, &errore);
        QVERIFY2(admin.isOpen(), qPrintable(errore));
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(*) FROM registro.esercizi")), Pc * 20);
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(DISTINCT macchina) FROM registro.esercizi")), Pc);
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(*) FROM registro.problemi")), Pc * 20 * 20);
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(*) FROM registro.esiti")), Pc * 20);
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(*) FROM registro.nomi")), Pc * 20);
        // Every exercise whole: twenty problems each.
        QCOMPARE(prove::Conta(admin, QStringLiteral("SELECT count(*) FROM (SELECT esercizio FROM registro.problemi"
                                                    " GROUP BY esercizio HAVING count(*) = 20) t")),
                 Pc * 20);
        admin.close();
        for (int i = 0; i < Pc; ++i) {
            registro::RegistroSqlite locale(registri.at(i), QStringLiteral("verifica"));
            QVERIFY(locale.Aperto());
            QCOMPARE(registro::InvioServer::EserciziInAttesa(locale.Database()), 0);
            QCOMPARE(prove::Conta(locale.Database(), QStringLiteral("SELECT count(*) FROM problemi")), 400);
        }
    }
};

QTEST_GUILESS_MAIN(TestLaboratorio)
#include "TestLaboratorio.moc"
