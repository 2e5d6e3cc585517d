// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/SorgenteCasuale.h"

#include <bit>
#include <random>

namespace lumivex {

namespace {

// SplitMix64: a full-period counter with a strong output mix.
constexpr std::uint64_t Incremento = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mescola(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

SorgenteCasualeReale::SorgenteCasualeReale()
    : stato_((std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}())
{
}

SorgenteCasualeReale::SorgenteCasualeReale(std::uint64_t stato)
    : stato_(stato)
{
}

void SorgenteCasualeReale::Riseme(float secondi)
{
    // The reading is folded into the running state, never put in its place.
    stato_ = Mescola(stato_ ^ (std::uint64_t{std::bit_cast<std::uint32_t>(secondi)} * Incremento));
}

float SorgenteCasualeReale::Prossimo()
{
    stato_ += Incremento;
    // The top 24 bits fill a float's mantissa exactly: the result is below 1.
    return static_cast<float>(Mescola(stato_) >> 40) * 0x1.0p-24F;
}

} // namespace lumivex
