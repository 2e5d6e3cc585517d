#pragma once

#include <string>

namespace lumivex {

// How a page layout ended. The caller shows Messaggio in a message box when
// it is not empty, and does nothing else: a notice (InPausa) as
// information, the rest as a warning.
struct EsitoStampa {
    enum class Tipo {
        Stampata,     // the job is in the printer's hands (or the PDF is saved)
        InPausa,      // the job waits in the queue of a paused printer
        Annullata,    // the user cancelled the choice of the PDF file
        MancaCourier, // no Courier face: nothing was printed
        Guasto,       // a print fault: nothing was printed, unless Messaggio says it may have been
    };

    Tipo Esito = Tipo::Stampata;
    std::string Messaggio;
};

} // namespace lumivex
