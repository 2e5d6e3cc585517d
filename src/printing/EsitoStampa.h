#pragma once

#include <string>

namespace lumivex {

// How a page layout ended. The caller shows Messaggio in a message box when
// it is not empty, and does nothing else.
struct EsitoStampa {
    enum class Tipo {
        Stampata,     // the job is in the printer's hands (or the PDF is saved)
        Annullata,    // the user cancelled the choice of the PDF file
        MancaCourier, // no Courier face: nothing was printed
        Guasto,       // a print fault: nothing was printed, unless Messaggio says it may have been
    };

    Tipo Esito = Tipo::Stampata;
    std::string Messaggio;
};

} // namespace lumivex
