#pragma once

#include "printing/ErroreStampa.h"
#include "printing/MessaggiStampa.h"

namespace lumivex {

// The user said no when asked where to save the PDF. Not a fault: the page
// layouts turn it into a silent end. It derives from ErroreStampa so that a
// caller that only catches faults still never lets it escape.
class StampaAnnullata : public ErroreStampa {
public:
    StampaAnnullata() : ErroreStampa(MessaggiStampa::StampaAnnullata()) {}
};

} // namespace lumivex
