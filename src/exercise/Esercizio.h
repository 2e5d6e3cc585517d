// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Generatore.h"
#include "exercise/OsservatoreEsercizio.h"
#include "exercise/SchermoOperativo.h"

#include <vector>

namespace lumivex {

struct Modulo2;
class SorgenteCasuale;
class Orologio;

// One exercise of twenty problems on the exercise window: answer entry,
// verification, scoring, timing, help and intervention. The window renders
// Schermo() and forwards the pupil's commands; a command that the screen does
// not offer at that moment (a disabled key, a panel that is not in use) is
// ignored, so no event order can corrupt the log or the counters.
class Esercizio {
public:
    Esercizio(Modulo2 &modulo, SorgenteCasuale &casuale, Orologio &orologio);

    const SchermoOperativo &Schermo() const { return schermo_; }

    // The window's load work: a new exercise with its first problem.
    void Carica();
    // Reset and first problem; also "Ricomincia" on the end-of-exercise notice.
    void NuovoEsercizio();
    // The window has been shown (not merely restored): the pupil sees the
    // problem from now, so an unanswered one is timed from now.
    void FinestraMostrata();
    // The range has been chosen again on the start window. An exercise the
    // pupil has not seen yet starts over in the range now in force; one
    // already seen keeps its problem.
    void CambioLivello();
    bool Visto() const { return visto_; }

    // A keypad key by index: 0..9 the digits, then SchermoOperativo's
    // TastoCancella, TastoVerifica, TastoAvanti and TastoEsco (10..13).
    void EseguiTasto(int indice);
    // "SI" on the help panel, or "OK" on the intervention.
    void SiSi();
    // "NO" on the help panel.
    void NoNo();

    bool Concluso() const { return schermo_.Abilitato(Pannello::Avviso); }

private:
    void Riparti();
    void NuovaOperazione();
    void VerificaRisposta();
    void AggiornaTempi();
    void FineEsercizio();
    void NascondiCroci();
    void MostraCroce();
    void DisattivaPannelli();
    void MostraPannello(Pannello pannello);
    void TastierinoProblema();
    void TastierinoRisolto();
    void RichiediFuoco(Pannello gruppo, int elemento);
    void MostraRisposta();
    std::string &RigaCorrente();
    void AnnunciaSeVisto();
    void ProblemaSistemato(bool aiuto, bool intervento);

    Modulo2 &m_;
    Orologio &orologio_;
    SchermoOperativo schermo_;
    Generatore generatore_;
    bool visto_ = false;
    // The current problem has been timed at least once.
    bool misurata_ = false;
    // The range the current exercise was drawn in.
    std::int16_t minimoEsercizio_ = 0;
    std::int16_t massimoEsercizio_ = 0;
    // The observer has been told of this exercise's start.
    bool annunciato_ = false;
    // The answers checked on the current problem, for the observer.
    std::vector<RispostaData> risposte_;
};

} // namespace lumivex
