// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Variante.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivex {

// Signed text: a blank stands where the minus sign would (25 -> " 25", -3 -> "-3").
std::string TestoConSegno(std::int16_t numero);
std::string TestoConSegno(float numero);
std::string TestoConSegno(const Variante &valore);

// Plain text: the digits alone, for the counters shown in labels.
std::string TestoSemplice(std::int16_t numero);

// The text without leading and trailing blanks.
std::string_view SenzaSpazi(std::string_view testo);

} // namespace lumivex
