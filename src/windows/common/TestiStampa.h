// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/EsitoStampa.h"
#include "printing/GuastoStampa.h"

#include <QString>

namespace lumivex {

// Every word the user reads about printing, in one table. A text that ends
// in "non è stata stampata" is a promise: it is used only where the page
// surely never reached the printer.

QString TestoGuastoStampa(GuastoStampa guasto, const DettaglioStampa &dettaglio);

// Empty when there is nothing to tell: a page printed, a save cancelled.
QString TestoEsitoStampa(const EsitoStampa &esito);

} // namespace lumivex
