#include "exercise/SchermoOperativo.h"

#include <utility>

namespace lumivex {

void SchermoOperativo::ImpostaTermine(int termine, std::string caption, Colore colore)
{
    lblNumero.at(static_cast<std::size_t>(termine - 1)).Testo = colore;
    ImpostaTermine(termine, std::move(caption));
}

void SchermoOperativo::ImpostaTermine(int termine, std::string caption)
{
    if (caption != Incognita) {
        TastoAbilitato[TastoVerifica] = true;
    }
    lblNumero.at(static_cast<std::size_t>(termine - 1)).Caption = std::move(caption);
}

} // namespace lumivex
