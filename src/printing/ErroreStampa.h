// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/GuastoStampa.h"

#include <stdexcept>
#include <utility>

namespace lumivex {

// A print fault: which one, and its facts. what() is for logs only; the
// windows turn Guasto() into the user's words. Whoever throws it has already
// discarded the open document: nothing of it reaches the printer, except
// after InvioSenzaRisposta (a page handed over to a server that then fell
// silent).
class ErroreStampa : public std::runtime_error {
public:
    explicit ErroreStampa(GuastoStampa guasto, DettaglioStampa dettaglio = {})
        : std::runtime_error(DescrizioneTecnica(guasto, dettaglio))
        , guasto_(guasto)
        , dettaglio_(std::move(dettaglio))
    {
    }

    GuastoStampa Guasto() const { return guasto_; }
    const DettaglioStampa &Dettaglio() const { return dettaglio_; }

private:
    GuastoStampa guasto_;
    DettaglioStampa dettaglio_;
};

} // namespace lumivex
