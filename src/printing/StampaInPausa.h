#pragma once

#include "printing/ErroreStampa.h"
#include "printing/MessaggiStampa.h"

namespace lumivex {

// Not a fault: EndDoc's page was accepted by a printer that is paused, and
// waits in its queue. The page layouts turn it into a notice for the user.
// It derives from ErroreStampa so that a caller that only catches faults
// still never lets it escape.
class StampaInPausa : public ErroreStampa {
public:
    explicit StampaInPausa(const std::string &stampante) : ErroreStampa(MessaggiStampa::StampanteInPausa(stampante))
    {
    }
};

} // namespace lumivex
