// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheets/OpzioniScheda.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumivex {

// The worksheet's own variables, apart from the exercise's so that drawing a
// sheet never touches a problem the pupil is solving. The program keeps one
// for the whole run: the lines outlive the worksheet window.
struct StatoScheda {
    static constexpr int UltimoIndice = 65;
    static constexpr int RigheScheda = 60;

    std::int16_t Num1 = 0;
    std::int16_t Num2 = 0;
    std::int16_t Num3 = 0;
    std::int16_t Num4 = 0;
    std::int16_t Appoggio = 0;
    std::string StrNum1;
    std::string StrNum2;
    std::string StrNum3;
    std::string StrNum4;
    std::string Spazi1;
    std::string Spazi2;
    std::string Spazi3;
    std::string Spazi5;
    std::int16_t TermineNascosto = 0;
    std::string StrSoluzione;
    std::string Segno;
    std::int16_t Indice = 0;

    // Element i: pupil and teacher line of problem i of the sheet (1..60).
    std::array<std::string, UltimoIndice + 1> RigheAlunni;
    std::array<std::string, UltimoIndice + 1> RigheDocenti;
    // The 60 lines of the view shown last, pupil or teacher: the print
    // commands print these. Element 0 is never written.
    std::array<std::string, RigheScheda + 1> RigheVisualizzate;
    // SchedaAlunni or SchedaDocenti: set by the print commands.
    static constexpr std::int16_t SchedaAlunni = 1;
    static constexpr std::int16_t SchedaDocenti = 2;
    std::int16_t TipoScheda = 0;

    // As chosen in the window, and as they were when the current sheet was
    // drawn: a change waits for the next pupil sheet.
    OpzioniScheda Opzioni;
    OpzioniScheda OpzioniInUso;
    // The range of the sheet last drawn, as its printed footer names it: a
    // range chosen since then belongs to the next sheet, not to this one.
    std::string TestoLivelloInUso;
    // The code the sheet shown was built from, and the codes of the copies
    // printed with it, this one first: the teacher print follows them.
    std::string Codice;
    std::vector<std::string> CodiciCopie;
    // The pupil whose name this page carries, if any, and the names of the
    // copies in the order of CodiciCopie: the teacher print follows them.
    std::string Nome;
    std::vector<std::string> NomiCopie;

    friend bool operator==(const StatoScheda &, const StatoScheda &) = default;
};

} // namespace lumivex
