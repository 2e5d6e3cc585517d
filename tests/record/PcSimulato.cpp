// SPDX-License-Identifier: GPL-3.0-or-later
// One PC of the lab for the lab test: records 20 exercises of 20 problems,
// each problem in its own transaction as the program does, asking the
// sender to try after each one; then waits until nothing waits to be sent.
// Exits 0 once all is on the server, 1 when it is not within the bound.
//   PcSimulato REGISTRO CARTELLA_SERVER PORTA MACCHINA   (password in LUMIVEX_PASSWORD_PROVA)
#include "record/InvioServer.h"
#include "record/RegistroSqlite.h"
#include "RigheDiProva.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

using namespace lumivex;

int main(int argc, char *argv[])
{
    QCoreApplication applicazione(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 5) {
        std::fputs("uso: PcSimulato REGISTRO CARTELLA_SERVER PORTA MACCHINA\n", stderr);
        return 2;
    }
    registro::RegistroSqlite locale(argomenti.at(1), QStringLiteral("pc"));
    if (!locale.Aperto()) {
        std::fprintf(stderr, "%s\n", qPrintable(locale.Messaggio()));
        return 2;
    }
    registro::ParametriServer parametri;
    parametri.Host = argomenti.at(2);
    parametri.Porta = argomenti.at(3).toInt();
    parametri.Password = qEnvironmentVariable("LUMIVEX_PASSWORD_PROVA");
    registro::InvioServer invio(parametri, argomenti.at(1), std::chrono::milliseconds(300));

    const QString macchina = argomenti.at(4);
    for (int e = 0; e < 20; ++e) {
        const QByteArray uid = prove::NuovoUid();
        if (!prove::ScriviEsercizio(locale.Database(), uid, macchina)) {
            return 2;
        }
        for (int p = 1; p <= 20; ++p) {
            if (!prove::ScriviProblema(locale.Database(), uid, p)) {
                return 2;
            }
            invio.Sollecita();
            QCoreApplication::processEvents();
        }
        if (!prove::ScriviFine(locale.Database(), uid, macchina + QStringLiteral(" alunno"))) {
            return 2;
        }
        invio.Sollecita();
        // A pupil's pace, so the lesson lasts past the test's two restarts.
        QThread::msleep(300);
        QCoreApplication::processEvents();
    }
    const QDeadlineTimer limite(std::chrono::seconds(120));
    int inAttesa = -1;
    while (!limite.hasExpired()) {
        inAttesa = registro::InvioServer::EserciziInAttesa(locale.Database());
        if (inAttesa == 0) {
            return 0;
        }
        invio.Sollecita();
        QThread::msleep(200);
        QCoreApplication::processEvents();
    }
    std::fprintf(stderr, "%s: %d esercizi ancora in attesa\n", qPrintable(macchina), inAttesa);
    return 1;
}
