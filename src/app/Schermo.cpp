// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Schermo.h"

#include <cstdlib>

#if defined(__unix__) && !defined(__APPLE__)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace lumivex {

bool SchermoDisponibile()
{
    return SchermoDisponibile(
        [](const char *nome) {
            const char *valore = std::getenv(nome);
            return std::string(valore != nullptr ? valore : "");
        },
        "/tmp/.X11-unix");
}

bool SchermoDisponibile(const LetturaAmbiente &ambiente, const std::string &cartellaSocketX)
{
#if defined(__unix__) && !defined(__APPLE__)
    if (!ambiente("QT_QPA_PLATFORM").empty() || !ambiente("WAYLAND_DISPLAY").empty()) {
        return true;
    }
    const std::string display = ambiente("DISPLAY");
    if (display.empty()) {
        return false;
    }
    std::string numero;
    if (display.rfind(':', 0) == 0) {
        numero = display.substr(1);
    } else if (display.rfind("unix:", 0) == 0) {
        numero = display.substr(5);
    } else {
        return true;
    }
    numero = numero.substr(0, numero.find('.'));
    const std::string percorso = cartellaSocketX + "/X" + numero;
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
    static_cast<void>(ambiente);
    static_cast<void>(cartellaSocketX);
    return true;
#endif
}

} // namespace lumivex
