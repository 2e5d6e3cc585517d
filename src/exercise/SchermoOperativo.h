// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lumivex {

struct Colore {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Colore &, const Colore &) = default;
};

inline constexpr Colore ColoreTermine{0, 0, 192};
inline constexpr Colore ColoreTermineNascosto{128, 64, 0};

struct Etichetta {
    std::string Caption;
    Colore Testo = ColoreTermine;
};

// The four panels stacked on the exercise window, one usable at a time.
enum class Pannello { Tastierino, Aiuto, Avviso, Intervento };

// Where the exercise wants the keyboard focus: an element of one of the
// window's button groups.
struct Fuoco {
    Pannello Gruppo = Pannello::Tastierino; // Option2, Option3, optAvviso or optOK
    int Elemento = 1;
    friend bool operator==(const Fuoco &, const Fuoco &) = default;
};

// What the exercise window shows. The window draws this and nothing else;
// only the exercise changes it.
struct SchermoOperativo {
    // Keys 0..UltimaCifra type their own digit.
    static constexpr int NumeroTasti = 14;
    static constexpr int UltimaCifra = 9;
    static constexpr int TastoCancella = 10;
    static constexpr int TastoVerifica = 11;
    static constexpr int TastoAvanti = 12;
    static constexpr int TastoEsco = 13;
    // The help panel's two answers and the notice's two commands, by index.
    static constexpr int AiutoSi = 0;
    static constexpr int AiutoNo = 1;
    static constexpr int AvvisoStampa = 0;
    static constexpr int AvvisoRicomincia = 1;
    static constexpr const char *Incognita = "?";

    Etichetta LblOperazione;
    Etichetta lblRisEsatte;
    Etichetta lblRisErrate;
    Etichetta LblTempoParziale;
    Etichetta LblTempoTotale;
    std::array<Etichetta, 4> lblNumero;
    Etichetta LblSegno{" + "};
    Etichetta lblSegno2{" + "};
    Etichetta lblCorrezione;
    Etichetta LblEsito;

    // Line1(k) and Line2(k), the cross over term k + 1.
    std::array<bool, 4> CroceVisibile{};
    // 0 while lblCorrezione stands where it was designed; 1..4 once it has
    // been moved under that term.
    int CorrezioneSottoTermine = 0;

    std::array<bool, 4> PannelloAbilitato{true, false, false, false};
    Pannello InPrimoPiano = Pannello::Tastierino;

    // "Verifica", "Avanti" and "Esco" start disabled.
    std::array<bool, NumeroTasti> TastoAbilitato{
        true, true, true, true, true, true, true, true, true, true, true, false, false, false};

    Fuoco FuocoRichiesto;
    // Grows at every request, so the window can tell a new request from an
    // old one that the user has since moved away from.
    unsigned RichiesteFuoco = 0;

    // "Esco": the exercise asks the window to close.
    bool ChiusuraRichiesta = false;

    bool Abilitato(Pannello p) const { return PannelloAbilitato[static_cast<std::size_t>(p)]; }

    // A term label's caption. Any caption but "?" makes "Verifica" usable.
    void ImpostaTermine(int termine, const std::string &caption, Colore colore);
    void ImpostaTermine(int termine, const std::string &caption);
};

} // namespace lumivex
