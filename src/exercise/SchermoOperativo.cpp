// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/SchermoOperativo.h"

namespace lumivex {

void SchermoOperativo::ImpostaTermine(int termine, const std::string &caption, Colore colore)
{
    lblNumero.at(static_cast<std::size_t>(termine - 1)).Testo = colore;
    ImpostaTermine(termine, caption);
}

void SchermoOperativo::ImpostaTermine(int termine, const std::string &caption)
{
    if (caption != Incognita) {
        TastoAbilitato[TastoVerifica] = true;
    }
    lblNumero.at(static_cast<std::size_t>(termine - 1)).Caption = caption;
}

} // namespace lumivex
