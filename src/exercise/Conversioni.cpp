// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Conversioni.h"

#include <cmath>
#include <cstdio>

namespace lumivex {

float ValoreNumerico(const Variante &v)
{
    if (const auto *intero = std::get_if<std::int16_t>(&v)) {
        return *intero;
    }
    if (const auto *reale = std::get_if<float>(&v)) {
        return *reale;
    }
    return 0.0F;
}

std::string TestoConSegno(std::int16_t numero)
{
    const std::string cifre = std::to_string(numero);
    return numero < 0 ? cifre : " " + cifre;
}

std::string TestoConSegno(float numero)
{
    if (numero == 0.0F) {
        numero = 0.0F; // no "-0"
    }
    char buffer[32];
    if (std::isfinite(numero) && numero == std::trunc(numero) && std::fabs(numero) < 1e7F) {
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(numero));
    } else {
        // Seven significant digits: all that a single-precision real holds.
        std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(numero));
    }
    const std::string testo = buffer;
    return numero < 0.0F ? testo : " " + testo;
}

std::string TestoConSegno(const Variante &valore)
{
    if (const auto *intero = std::get_if<std::int16_t>(&valore)) {
        return TestoConSegno(*intero);
    }
    if (const auto *reale = std::get_if<float>(&valore)) {
        return TestoConSegno(*reale);
    }
    return {};
}

std::string TestoSemplice(std::int16_t numero)
{
    return std::to_string(numero);
}

std::string_view SenzaSpazi(std::string_view testo)
{
    const auto inizio = testo.find_first_not_of(' ');
    if (inizio == std::string_view::npos) {
        return {};
    }
    const auto fine = testo.find_last_not_of(' ');
    return testo.substr(inizio, fine - inizio + 1);
}

} // namespace lumivex
