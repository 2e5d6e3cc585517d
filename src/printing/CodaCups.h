// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumivex {

// Every call the program makes to the print system (CUPS). Each runs on a
// connection of its own with time limits of its own, and is waited for
// within LimiteServizioStampa without freezing the windows: a print server
// that is stopped or slow costs a few seconds and a clear message, never a
// frozen program.
class CodaCups {
public:
    struct Elenco {
        std::vector<std::string> Stampanti; // in the print system's order
        std::optional<std::string> Predefinita;
    };

    // A sheet in hundredths of a millimetre.
    struct Foglio {
        int Larghezza = 0;
        int Altezza = 0;
        int Sinistra = 0;
        int Destra = 0;
        int Sopra = 0;
        int Sotto = 0;
    };

    enum class Consegna {
        Accettata,
        InPausa, // accepted by a paused printer: it waits in the queue
    };

    // The installed printers and the default. A machine without any print
    // system has none; where one is installed or named but does not answer,
    // throws ErroreStampa.
    static Elenco Elenca();

    // The printer's default sheet, when it tells one. Throws ErroreStampa
    // unless the print system knows the printer now.
    static std::optional<Foglio> FoglioDi(const std::string &stampante);

    // Hands the PDF to the printer as one job; never tries twice. Throws
    // ErroreStampa when it is refused or no answer comes.
    static Consegna Invia(const std::string &stampante, std::string pdf, const std::string &titolo);
};

} // namespace lumivex
