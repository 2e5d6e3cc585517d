// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumivex {

// What the command line asks for, decided before any toolkit or display is
// touched: --help and --version must answer on a machine with no screen.
struct EsitoRigaDiComando {
    bool Avvia = true;
    int CodiceUscita = 0;
    std::string Uscita;
    std::string Errori;
    // --registro-server HOST[:PORTA]: the school's register, in place of the
    // system-wide settings' host.
    std::optional<std::string> RegistroServer;
};

EsitoRigaDiComando LeggiRigaDiComando(int argc, const char *const *argv, std::string_view versione);

} // namespace lumivex
