#pragma once

#include "printing/Dispositivo.h"
#include "printing/ErroreStampa.h"

#include <vector>

namespace lumivex {

// The print system did not answer the listing. Disponibili holds the
// printers that need none (the PDF printer): they can still be chosen.
class ElencoIncompleto : public ErroreStampa {
public:
    ElencoIncompleto(const std::string &messaggio, std::vector<Dispositivo> disponibili)
        : ErroreStampa(messaggio)
        , Disponibili(std::move(disponibili))
    {
    }

    std::vector<Dispositivo> Disponibili;
};

} // namespace lumivex
