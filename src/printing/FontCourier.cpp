// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/FontCourier.h"

#include "printing/ErroreStampa.h"

namespace lumivex {

std::optional<std::string> CercaFontCourier(const Stampante &stampante)
{
    try {
        const int quanti = stampante.FontCount();
        for (int i = 0; i < quanti; ++i) {
            std::string nome = stampante.Fonts(i);
            if (nome == "Courier New" || nome == "Courier") {
                return nome;
            }
        }
    } catch (const ErroreStampa &) {
        // An unreadable list is a list without Courier: the caller says so.
    }
    return std::nullopt;
}

} // namespace lumivex
