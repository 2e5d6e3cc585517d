// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace lumivex {

// Each job and each fault, with the print system's own words. Silent unless
// switched on the usual way: QT_LOGGING_RULES="lumivex.stampa=true".
Q_DECLARE_LOGGING_CATEGORY(RegistroStampa)

} // namespace lumivex
