// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace lumivex {

// One range of the start window: terms are drawn in NumeroMin..NumeroMax - 1.
struct LivelloEsercizio {
    std::int16_t NumeroMin;
    std::int16_t NumeroMax;
    const char *TestoLivello;
};

// Indexed like the range buttons Option2(0..2). The texts are shown as they
// are, the double blank of the first one included.
inline constexpr std::array<LivelloEsercizio, 3> LivelliEsercizio{{
    {10, 40, "Numero massimo compreso tra 10 e  40"},
    {30, 70, "Numero massimo compreso tra 30 e 70"},
    {50, 90, "Numero massimo compreso tra 50 e 90"},
}};

} // namespace lumivex
