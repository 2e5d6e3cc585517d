// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Aspetto.h"
#include "app/Navigazione.h"
#include "app/RigaDiComando.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "printing/StampanteQt.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/start/FrmInizio.h"
#include "worksheets/StatoScheda.h"

#include <QApplication>
#include <QFileDialog>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

// Without a display the toolkit would abort with a message of its own; a
// pupil's teacher gets one plain line instead.
bool SchermoDisponibile()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto variabile = [](const char *nome) {
        const char *valore = std::getenv(nome);
        return std::string(valore != nullptr ? valore : "");
    };
    if (!variabile("QT_QPA_PLATFORM").empty() || !variabile("WAYLAND_DISPLAY").empty()) {
        return true;
    }
    const std::string display = variabile("DISPLAY");
    if (display.empty()) {
        return false;
    }
    // A local X server (":0", "unix:0.0") answers on its socket; a remote
    // one is left to the toolkit.
    std::string numero;
    if (display.rfind(':', 0) == 0) {
        numero = display.substr(1);
    } else if (display.rfind("unix:", 0) == 0) {
        numero = display.substr(5);
    } else {
        return true;
    }
    numero = numero.substr(0, numero.find('.'));
    const std::string percorso = "/tmp/.X11-unix/X" + numero;
    sockaddr_un indirizzo{};
    if (percorso.size() >= sizeof indirizzo.sun_path) {
        return false;
    }
    indirizzo.sun_family = AF_UNIX;
    percorso.copy(indirizzo.sun_path, percorso.size());
    const int presa = socket(AF_UNIX, SOCK_STREAM, 0);
    if (presa < 0) {
        return false;
    }
    const bool collegato = connect(presa, reinterpret_cast<const sockaddr *>(&indirizzo), sizeof indirizzo) == 0;
    close(presa);
    return collegato;
#else
    return true;
#endif
}

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
    if (!SchermoDisponibile()) {
        std::fputs("Lumivex ha bisogno di uno schermo: avvialo da una sessione grafica (DISPLAY non disponibile).\n",
                   stderr);
        return 1;
    }

    QApplication applicazione(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivex"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVEX_VERSIONE));
    ImpostaApplicazione(applicazione);
    // Windows come and go through the registry; a hidden loaded window
    // keeps the program alive.
    QApplication::setQuitOnLastWindowClosed(false);

    Modulo2 stato;
    StatoScheda schede;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    StampanteQt stampante(ScegliFilePdf);
    RegistroFinestre registro;

    RegistraFinestre(registro, stato, schede, casuale, orologio, stampante);

    registro.MostraIngrandita<FrmInizio>().activateWindow();
    return QApplication::exec();
}
