// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lumivex {

// Frame "Operazioni": Opt5, Opt10.
enum class OperazioniPerEsercizio : std::int16_t { Cinque = 5, Dieci = 10 };

// Frame "Esercizi": Opt1, Opt2, Opt3.
enum class NumeroEsercizi : std::int16_t { Due = 2, Quattro = 4, Sei = 6 };

// Option1(0..2) in order; with none selected any term may be hidden.
enum class TermineDaNascondere : std::int16_t { Risultato, UnTermine, RisultatoOTermine };

// Frame "Prestito": whether the units of each minuend are smaller than
// those of its subtrahend, the step that makes a subtraction hard.
enum class PrestitoScheda : std::int16_t { Senza, Con, Misto };

// The option groups of the worksheet window. The defaults are the buttons
// selected at load, which give the full sheet of sixty.
struct OpzioniScheda {
    // Each group keeps its own ten lines, used or not, so a group stands
    // in the same place on screen and on paper whatever its size.
    static constexpr int RighePerEsercizio = 10;

    OperazioniPerEsercizio Operazioni = OperazioniPerEsercizio::Dieci;
    NumeroEsercizi Esercizi = NumeroEsercizi::Sei;
    TermineDaNascondere Nascosto = TermineDaNascondere::RisultatoOTermine;
    PrestitoScheda Prestito = PrestitoScheda::Misto;

    // Whether line `riga` (1..60) holds a problem: groups × problems per
    // group make 10 to 60.
    bool InUso(int riga) const
    {
        if (riga < 1 || riga > RighePerEsercizio * static_cast<int>(Esercizi)) {
            return false;
        }
        return (riga - 1) % RighePerEsercizio < static_cast<int>(Operazioni);
    }

    friend bool operator==(const OpzioniScheda &, const OpzioniScheda &) = default;
};

} // namespace lumivex
