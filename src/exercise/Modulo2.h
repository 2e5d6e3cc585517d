// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Variante.h"

#include <array>
#include <cstdint>
#include <string>

namespace lumivex {

class OsservatoreEsercizio;

// The state shared by every window. The program creates one and hands it by
// reference to whoever needs it; nothing is kept between runs.
struct Modulo2 {
    static constexpr int UltimaRiga = 60;
    static constexpr int OperazioniPerEsercizio = 20;

    // Applies range `indice` (0..2) of LivelliEsercizio to NumeroMin,
    // NumeroMax and TestoLivello; any other index changes nothing and
    // returns false.
    bool SceltaLivello(int indice);
    // The pupil's name as the name window shows it.
    void ImpostaNomeAlunno(std::string nome);
    // The name window is done with NomeAlunno: the observer is told of it.
    void ConfermaNomeAlunno();
    // How many log lines the report lists and prints: the problems answered,
    // at most one exercise's worth, since a longer log (a worksheet shown in
    // between) would run over the report's time lines.
    int RigheElencate() const;
    // "Esci" on the report: the next report shows no total time until an
    // exercise sets it again.
    void ChiudiResoconto();

    std::int16_t NumeroMin = 0;
    std::int16_t NumeroMax = 0;
    std::int16_t Num1 = 0;
    std::int16_t Num2 = 0;
    std::int16_t Num3 = 0;
    std::int16_t Num4 = 0;
    std::int16_t Appoggio = 0;
    std::string StrNum1;
    std::string StrNum2;
    std::string StrNum3;
    std::string StrNum4;
    std::string Contrassegno;
    Variante TempoParziale;
    Variante TempoTotale;
    Variante OraInizio;
    Variante OraFine;
    std::string StrTempoParziale;
    std::string StrTempoTotale;
    std::int16_t RisposteEsatte = 0;
    std::int16_t RisposteErrate = 0;
    std::int16_t TermineNascosto = 0;
    std::int16_t NumOperazioni = 0;
    Variante BaseTasto;
    std::int16_t Indice = 0;
    std::int16_t ProgressivoOperazione = 0;
    std::int16_t RifiutiAiuto = 0;
    std::int16_t AvviiEsercizio = 0;
    // Element n is the line of the n-th problem; element 0 is never written.
    std::array<std::string, UltimaRiga + 1> ElencoOperazioni;
    std::int16_t Soluzione = 0;
    std::string StrSoluzione;
    std::string Risposta;
    std::string TestoLivello;
    std::string Spazi1;
    std::string Spazi2;
    std::string Spazi3;
    std::string Spazi5;
    std::string SpaziRisposta;
    std::string NomeAlunno;
    // The kind of exercise, as the start window and the certificate name it.
    std::string TipoEsercizio = "Esercitazione";

    // The grade in words of the certificate last evaluated.
    std::string Valutazione;

    // Whoever keeps the class register; none when nothing is recorded.
    OsservatoreEsercizio *Osservatore = nullptr;
};

} // namespace lumivex
