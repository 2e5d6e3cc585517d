// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>

namespace lumivex {

// The program's integers are 16-bit; leaving their range is an error the
// caller sees, never a silent wrap.
class ErroreOverflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

std::int16_t Somma16(std::int16_t a, std::int16_t b);
std::int16_t Differenza16(std::int16_t a, std::int16_t b);
std::int16_t Prodotto16(std::int16_t a, std::int16_t b);

// Counters that only ever grow by one.
void Incrementa16(std::int16_t &valore);

// For counters whose only job is to count (never to index or compute), the
// sound behaviour at the top of the range is to stay there.
void IncrementaSaturando16(std::int16_t &valore);

} // namespace lumivex
