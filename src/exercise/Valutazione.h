// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lumivex {

struct Modulo2;

inline constexpr const char *NonClassificato = "Non classificato";

// Grades RisposteEsatte against NumOperazioni into Valutazione; returns
// whether the certificate may be printed. The counters are only read.
bool CalcolaValutazione(Modulo2 &modulo);
// The words CalcolaValutazione would give, leaving Valutazione alone.
std::string GiudizioValutazione(const Modulo2 &modulo);

} // namespace lumivex
