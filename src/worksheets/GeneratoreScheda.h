// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheets/CodiceScheda.h"
#include "worksheets/OpzioniScheda.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumivex {

struct Modulo2;
struct StatoScheda;
class SorgenteCasuale;
class Orologio;

// Draws worksheets of fourth-term problems and builds their pupil and teacher
// lines. It reads the range from the shared state and writes only the
// worksheet's own state, so an exercise in progress is left as it was. The
// random source decides every problem; the clock only feeds its reseeds.
class GeneratoreScheda {
public:
    // The most copies one print makes: a class.
    static constexpr int MassimoCopie = 40;

    GeneratoreScheda(Modulo2 &modulo, StatoScheda &stato, SorgenteCasuale &casuale, Orologio &orologio);

    // Applies range `indice` (0..2) to NumeroMin, NumeroMax and TestoLivello;
    // any other index changes nothing and gives false.
    bool SceltaLivello(int indice);

    // One problem, stored at the worksheet's Indice.
    void GeneraSot();
    // Pads the four terms, then builds the lines at Indice.
    void AllineaScheda();
    // Draws the hidden term and stores the two lines at `indice` (0..65).
    void CostruisciRiga(int indice);

    // A new sheet with the range and options chosen now, built from a code
    // drawn from the clock; the pupil lines become the lines shown. A range
    // that is not one of the worksheet's draws nothing and gives false.
    bool VisualizzaSchedaAlunni();
    // The sheet of `codice` again, its pupil lines shown, and its range
    // applied like SceltaLivello; an invalid code changes nothing and says why.
    CodiceScheda::Errore VisualizzaSchedaDaCodice(std::string_view codice);
    // Makes CodiciCopie hold `copie` different codes, the sheet shown's
    // first (at most MassimoCopie); those already there stay, so a reprint
    // gives the same sheets.
    // The new ones share the sheet's range and options.
    void PreparaCopie(int copie);
    // A copy for each pupil of `nomi` (at most MassimoCopie), in order,
    // each page carrying its pupil's name; PreparaCopie drops the names.
    void PreparaClasse(const std::vector<std::string> &nomi);
    // The pages of CodiciCopie: the sheet as shown, then each other copy in
    // the same view (pupil or teacher lines) and of the same TipoScheda.
    std::vector<StatoScheda> Copie() const;
    // The pupil print: `copie` copies made as PreparaCopie does, then their
    // pages, all SchedaAlunni.
    std::vector<StatoScheda> PagineAlunni(int copie);
    // The pupil print of a class: a copy for each pupil as PreparaClasse
    // makes them, then their pages, all SchedaAlunni.
    std::vector<StatoScheda> PagineClasse(const std::vector<std::string> &nomi);
    // The teacher print: the pages of the copies already made, all
    // SchedaDocenti.
    std::vector<StatoScheda> PagineDocenti();
    // The options the window shows: they wait for the next pupil sheet.
    void ScegliOpzioni(const OpzioniScheda &opzioni);

    // The sheet a code stands for, its pupil lines shown. It draws from a
    // source seeded from the code and a clock that never moves, so the
    // sheet is the same on every machine.
    static StatoScheda Costruisci(const DatiScheda &dati);
    // The teacher lines of the sheet last drawn become the lines shown.
    void VisualizzaSchedaDocenti();

private:
    // Every problem the sheet's options use, from the source and clock of
    // this generator.
    void RiempiRighe();
    std::uint32_t NuovoSeme(PrestitoScheda prestito);
    std::string NomeDellaCopia(std::size_t copia) const;
    void Mostra(StatoScheda scheda);
    Modulo2 &m_;
    StatoScheda &s_;
    SorgenteCasuale &casuale_;
    Orologio &orologio_;
};

} // namespace lumivex
