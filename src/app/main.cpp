// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Aspetto.h"
#include "app/CaratteriInAnticipo.h"
#include "app/Navigazione.h"
#include "app/PrimoQuadro.h"
#include "app/RigaDiComando.h"
#include "app/Schermo.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "printing/StampanteQt.h"
#include "record/InvioServer.h"
#include "record/OsservatoreConInvio.h"
#include "record/ParametriServer.h"
#include "record/RegistroSqlite.h"
#include "record/ScrittoreRegistro.h"
#include "windows/common/Messaggio.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/start/FrmInizio.h"
#include "worksheets/StatoScheda.h"

#include <QApplication>
#include <QFileDialog>
#include <QSysInfo>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

std::optional<QString> ScegliFilePdf(const QString &proposta)
{
    const QString scelto = QFileDialog::getSaveFileName(nullptr, QStringLiteral("Salva la stampa come PDF"), proposta,
                                                        QStringLiteral("Documento PDF (*.pdf)"));
    if (scelto.isEmpty()) {
        return std::nullopt;
    }
    return scelto;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace lumivex;
    const EsitoRigaDiComando comando = LeggiRigaDiComando(argc, argv, LUMIVEX_VERSIONE);
    if (!comando.Avvia) {
        std::fputs(comando.Uscita.c_str(), stdout);
        std::fputs(comando.Errori.c_str(), stderr);
        return comando.CodiceUscita;
    }
    registro::ParametriServer server = registro::ParametriServerDiSistema();
    if (comando.RegistroServer
        && !registro::ApplicaServerDaRigaDiComando(server, QString::fromStdString(*comando.RegistroServer))) {
        std::fprintf(stderr, "lumivex: server del registro non valido: %s (HOST[:PORTA], porta da 1 a 65535)\n",
                     comando.RegistroServer->c_str());
        return 2;
    }
    if (!SchermoDisponibile()) {
        std::fputs("Lumivex ha bisogno di uno schermo: avvialo da una sessione grafica (DISPLAY non disponibile).\n",
                   stderr);
        return 1;
    }

    CaratteriInAnticipo caratteri;
    QApplication applicazione(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivex"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVEX_VERSIONE));
    ImpostaApplicazione();
    // Windows come and go through the registry; a hidden loaded window
    // keeps the program alive.
    QApplication::setQuitOnLastWindowClosed(false);

    // The register is written off the pupil's path; declared before the
    // windows, it outlives them and writes what they leave queued. It is
    // opened once the start window is on the screen.
    registro::ScrittoreRegistro scrittore(registro::PercorsoRegistro(), QSysInfo::machineHostName());
    QObject::connect(&scrittore, &registro::ScrittoreRegistro::Guasto, &applicazione,
                     [](const QString &messaggio) {
                         // Also for whoever looks after the school's computers.
                         std::fprintf(stderr, "%s\n", messaggio.toLocal8Bit().constData());
                         MostraMessaggio(QApplication::activeWindow(), messaggio);
                     });
    // What this PC records goes to the school's register too, when there is
    // one, in the background; trying at start sends what an earlier run left.
    std::unique_ptr<registro::InvioServer> invio;
    std::unique_ptr<registro::OsservatoreConInvio> conInvio;
    if (server.Configurato()) {
        invio = std::make_unique<registro::InvioServer>(server, registro::PercorsoRegistro());
        conInvio = std::make_unique<registro::OsservatoreConInvio>(scrittore, *invio);
    }
    Modulo2 stato;
    stato.Osservatore = conInvio ? static_cast<OsservatoreEsercizio *>(conInvio.get()) : &scrittore;
    StatoScheda schede;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    StampanteQt stampante(ScegliFilePdf);
    RegistroFinestre registro;

    RegistraFinestre(registro, stato, schede, casuale, orologio, stampante, invio.get());

    caratteri.Attendi();
    FrmInizio &inizio = registro.MostraIngrandita<FrmInizio>();
    inizio.activateWindow();
    DopoIlPrimoQuadro(inizio, [&applicazione, &scrittore] {
        CompletaApplicazione(applicazione);
        scrittore.Avvia();
    });
    return QApplication::exec();
}
