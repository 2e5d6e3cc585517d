// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace lumivex {

// One range of the worksheet window: terms are drawn in NumeroMin..NumeroMax - 1.
struct LivelloScheda {
    std::int16_t NumeroMin;
    std::int16_t NumeroMax;
    const char *TestoLivello;
};

// Indexed like the range buttons Option2(0..2). The blanks inside the texts
// are part of them: the printed footer shows them as they are.
inline constexpr std::array<LivelloScheda, 3> LivelliScheda{{
    {10, 40, "     Numero massimo compreso tra 10 e  40"},
    {30, 70, "     Numero massimo compreso tra 30 e  70"},
    {50, 99, "     Numero massimo compreso tra 50 e 99"},
}};

} // namespace lumivex
