// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/RegistroStampa.h"

namespace lumivex {

// Critical only by default: a school's computer keeps its terminal quiet.
Q_LOGGING_CATEGORY(RegistroStampa, "lumivex.stampa", QtCriticalMsg)

} // namespace lumivex
