// SPDX-License-Identifier: GPL-3.0-or-later
// Sending to the school's register, on a private PostgreSQL server:
// - thirty PCs (a sender and a local register each) with a whole exercise
//   each, all asked at once: until the server holds all 600 problems;
// - one PC with a backlog of 1,000 exercises: until nothing waits.
#include "RigheDiProva.h"
#include "record/InvioServer.h"
#include "record/RegistroSqlite.h"
#include "support/postgresql/ServerPostgresPrivato.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

#include <memory>
#include <vector>

namespace {

using namespace lumivex;
using namespace lumivex::registro;
using prove::ServerPostgresPrivato;

ServerPostgresPrivato &Server()
{
    static ServerPostgresPrivato server;
    return server;
}

QSqlDatabase Amministratore()
{
    static bool aperto = false;
    const QString nome = QStringLiteral("admin");
    if (!aperto) {
        QString errore;
        ApriServer(Server().Parametri(QStringLiteral("admin"), ServerPostgresPrivato::PasswordAmministratore), nome,
                   QStringLiteral("admin"), ServerPostgresPrivato::PasswordAmministratore, &errore);
        aperto = true;
    }
    return QSqlDatabase::database(nome);
}

// A register of `esercizi` whole exercises, written in one transaction.
void Riempi(RegistroSqlite &locale, int esercizi, const QString &macchina)
{
    QSqlDatabase db = locale.Database();
    db.transaction();
    for (int e = 0; e < esercizi; ++e) {
        const QByteArray uid = prove::NuovoUid();
        prove::ScriviEsercizio(db, uid, macchina);
        for (int p = 1; p <= 20; ++p) {
            prove::ScriviProblema(db, uid, p);
        }
        prove::ScriviFine(db, uid, macchina);
    }
    db.commit();
}

void Attendi(const std::function<bool()> &fatto)
{
    while (!fatto()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void TrentaPcInsieme(benchmark::State &stato)
{
    for (auto _ : stato) {
        stato.PauseTiming();
        QSqlQuery(Amministratore()).exec(QStringLiteral("TRUNCATE registro.esercizi, registro.problemi,"
                                                        " registro.esiti, registro.nomi"));
        QTemporaryDir cartella;
        std::vector<std::unique_ptr<RegistroSqlite>> registri;
        for (int pc = 0; pc < 30; ++pc) {
            registri.push_back(std::make_unique<RegistroSqlite>(
                cartella.filePath(QStringLiteral("pc%1.sqlite").arg(pc)), QStringLiteral("pc%1").arg(pc)));
            Riempi(*registri.back(), 1, QStringLiteral("pc-%1").arg(pc));
        }
        stato.ResumeTiming();
        std::vector<std::unique_ptr<InvioServer>> invii;
        for (int pc = 0; pc < 30; ++pc) {
            invii.push_back(std::make_unique<InvioServer>(
                Server().Parametri(), cartella.filePath(QStringLiteral("pc%1.sqlite").arg(pc))));
        }
        Attendi([] {
            return prove::Conta(Amministratore(), QStringLiteral("SELECT count(*) FROM registro.problemi")) == 600;
        });
        stato.PauseTiming();
        invii.clear();
        registri.clear();
        stato.ResumeTiming();
    }
}
BENCHMARK(TrentaPcInsieme)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void ArretratoDiMille(benchmark::State &stato)
{
    for (auto _ : stato) {
        stato.PauseTiming();
        QSqlQuery(Amministratore()).exec(QStringLiteral("TRUNCATE registro.esercizi, registro.problemi,"
                                                        " registro.esiti, registro.nomi"));
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("registro.sqlite"));
        RegistroSqlite locale(percorso, QStringLiteral("arretrato"));
        Riempi(locale, 1000, QStringLiteral("pc"));
        stato.ResumeTiming();
        {
            InvioServer invio(Server().Parametri(), percorso);
            bool finito = false;
            QObject::connect(&invio, &InvioServer::Inviati, [&finito](int inAttesa) { finito = inAttesa == 0; });
            Attendi([&finito] { return finito; });
        }
    }
}
BENCHMARK(ArretratoDiMille)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    benchmark::Initialize(&argc, argv);
    Server();
    benchmark::RunSpecifiedBenchmarks();
    QSqlDatabase::database(QStringLiteral("admin")).close();
    benchmark::Shutdown();
    return 0;
}
