// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lumivex {

class SorgenteCasuale;

// The four terms of a problem, left to right: Num1 - Num2 = Num3 - Num4.
struct Quaterna {
    std::int16_t Num1 = 0;
    std::int16_t Num2 = 0;
    std::int16_t Num3 = 0;
    std::int16_t Num4 = 0;
    friend bool operator==(const Quaterna &, const Quaterna &) = default;
};

// One term in minimo..massimo - 1, from the next draw in single precision.
std::int16_t EstraiTermine(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo);

// Draws four terms, puts each side in order (the swap goes through
// `appoggio`) and draws all four again until both sides have the same
// difference. Every generator of problems goes through here; reseeding is
// left to the caller.
Quaterna EstraiUguaglianza(SorgenteCasuale &casuale, std::int16_t minimo, std::int16_t massimo,
                           std::int16_t &appoggio);

} // namespace lumivex
