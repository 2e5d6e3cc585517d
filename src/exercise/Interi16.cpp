// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Interi16.h"

#include <limits>
#include <string>

namespace lumivex {

namespace {

std::int16_t Verifica(int risultato, const char *operazione)
{
    if (risultato < std::numeric_limits<std::int16_t>::min()
        || risultato > std::numeric_limits<std::int16_t>::max()) {
        throw ErroreOverflow(std::string("overflow di un intero a 16 bit in ") + operazione);
    }
    return static_cast<std::int16_t>(risultato);
}

} // namespace

std::int16_t Somma16(std::int16_t a, std::int16_t b)
{
    return Verifica(int{a} + int{b}, "una somma");
}

std::int16_t Differenza16(std::int16_t a, std::int16_t b)
{
    return Verifica(int{a} - int{b}, "una differenza");
}

std::int16_t Prodotto16(std::int16_t a, std::int16_t b)
{
    return Verifica(int{a} * int{b}, "un prodotto");
}

void Incrementa16(std::int16_t &valore)
{
    valore = Somma16(valore, 1);
}

void IncrementaSaturando16(std::int16_t &valore)
{
    if (valore < std::numeric_limits<std::int16_t>::max()) {
        ++valore;
    }
}

} // namespace lumivex
