// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/CodiceScheda.h"

#include "worksheets/LivelliScheda.h"

#include <array>
#include <stdexcept>

namespace lumivex {

namespace {

constexpr std::uint32_t Base = CodiceScheda::Alfabeto.size();
constexpr int CifreDati = CodiceScheda::Lunghezza - 1;

static_assert(Base == 31, "the check needs a prime alphabet size");
constexpr std::uint32_t BaseSegni = CodiceScheda::Segni.size();
constexpr std::uint32_t CombinazioniPrestito = 2 * CodiceScheda::Combinazioni;
// The signs of a code with a borrowing choice stand in its first two places.
constexpr std::size_t PostiSegni = 2;

static_assert(Base * Base * Base * Base * Base / CodiceScheda::Combinazioni == CodiceScheda::NumeroSemi);
static_assert(BaseSegni * BaseSegni * Base * Base * Base / CombinazioniPrestito == CodiceScheda::NumeroSemiPrestito);
static_assert(BaseSegni < Base, "a changed sign must change the check");

int IndiceOperazioni(OperazioniPerEsercizio o)
{
    return o == OperazioniPerEsercizio::Cinque ? 0 : 1;
}

int IndiceEsercizi(NumeroEsercizi e)
{
    return e == NumeroEsercizi::Due ? 0 : e == NumeroEsercizi::Quattro ? 1 : 2;
}

int IndiceNascosto(TermineDaNascondere t)
{
    return t == TermineDaNascondere::Risultato ? 0 : t == TermineDaNascondere::UnTermine ? 1 : 2;
}

// The check digit that makes the weighted sum of all six a multiple of 31.
std::uint32_t Controllo(const std::array<std::uint32_t, CifreDati> &cifre)
{
    std::uint32_t somma = 0;
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        somma += static_cast<std::uint32_t>(i + 1) * cifre[i];
    }
    // 26 × 6 ≡ 1 (mod 31): the check, weighted 6, cancels the sum.
    return (Base - somma % Base) * 26 % Base;
}

char Maiuscola(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::uint32_t CodiceScheda::Semi(PrestitoScheda prestito)
{
    return prestito == PrestitoScheda::Misto ? NumeroSemi : NumeroSemiPrestito;
}

std::string CodiceScheda::Componi(const DatiScheda &dati)
{
    if (dati.Livello < 0 || dati.Livello >= static_cast<int>(LivelliScheda.size()) ||
        dati.Seme >= Semi(dati.Opzioni.Prestito)) {
        throw std::out_of_range("dati della scheda fuori dai limiti del codice");
    }
    const auto combinazione = static_cast<std::uint32_t>(
        dati.Livello * 18 + IndiceOperazioni(dati.Opzioni.Operazioni) * 9 + IndiceEsercizi(dati.Opzioni.Esercizi) * 3 +
        IndiceNascosto(dati.Opzioni.Nascosto));
    const bool misto = dati.Opzioni.Prestito == PrestitoScheda::Misto;
    std::uint32_t valore =
        misto ? dati.Seme * Combinazioni + combinazione
              : dati.Seme * CombinazioniPrestito +
                    (dati.Opzioni.Prestito == PrestitoScheda::Con ? Combinazioni : 0) + combinazione;
    std::array<std::uint32_t, CifreDati> cifre{};
    for (std::size_t i = cifre.size(); i-- > 0;) {
        const std::uint32_t base = !misto && i < PostiSegni ? BaseSegni : Base;
        cifre[i] = valore % base;
        valore /= base;
    }
    std::string codice;
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        codice += !misto && i < PostiSegni ? Segni[cifre[i]] : Alfabeto[cifre[i]];
    }
    codice += Alfabeto[Controllo(cifre)];
    return codice;
}

CodiceScheda::Errore CodiceScheda::Leggi(std::string_view codice, DatiScheda &dati)
{
    const auto inizio = codice.find_first_not_of(" \t");
    const auto fine = codice.find_last_not_of(" \t");
    codice = inizio == std::string_view::npos ? std::string_view() : codice.substr(inizio, fine - inizio + 1);
    if (codice.size() != static_cast<std::size_t>(Lunghezza)) {
        return Errore::Lunghezza;
    }
    std::array<std::uint32_t, CifreDati> cifre{};
    std::uint32_t controllo = 0;
    std::size_t segni = 0;
    bool segniAlPosto = true;
    for (std::size_t i = 0; i < codice.size(); ++i) {
        auto posizione = Alfabeto.find(Maiuscola(codice[i]));
        if (posizione == std::string_view::npos) {
            posizione = Segni.find(codice[i]);
            if (posizione == std::string_view::npos) {
                return Errore::Carattere;
            }
            ++segni;
            segniAlPosto = segniAlPosto && i < PostiSegni;
        }
        (i < cifre.size() ? cifre[i] : controllo) = static_cast<std::uint32_t>(posizione);
    }
    const bool misto = segni == 0;
    if (!misto && (segni != PostiSegni || !segniAlPosto)) {
        return Errore::Controllo;
    }
    if (Controllo(cifre) != controllo) {
        return Errore::Controllo;
    }
    std::uint32_t valore = 0;
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        valore = valore * (!misto && i < PostiSegni ? BaseSegni : Base) + cifre[i];
    }
    const std::uint32_t combinazioni = misto ? Combinazioni : CombinazioniPrestito;
    if (valore / combinazioni >= (misto ? NumeroSemi : NumeroSemiPrestito)) {
        return Errore::Controllo;
    }
    DatiScheda letti;
    letti.Seme = valore / combinazioni;
    const int resto = static_cast<int>(valore % combinazioni);
    letti.Opzioni.Prestito = misto                                               ? PrestitoScheda::Misto
                             : resto >= static_cast<int>(Combinazioni) ? PrestitoScheda::Con
                                                                              : PrestitoScheda::Senza;
    const int combinazione = resto % static_cast<int>(Combinazioni);
    letti.Livello = combinazione / 18;
    letti.Opzioni.Operazioni =
        combinazione / 9 % 2 == 0 ? OperazioniPerEsercizio::Cinque : OperazioniPerEsercizio::Dieci;
    const int esercizi = combinazione / 3 % 3;
    letti.Opzioni.Esercizi = esercizi == 0 ? NumeroEsercizi::Due : esercizi == 1 ? NumeroEsercizi::Quattro
                                                                                  : NumeroEsercizi::Sei;
    const int nascosto = combinazione % 3;
    letti.Opzioni.Nascosto = nascosto == 0   ? TermineDaNascondere::Risultato
                             : nascosto == 1 ? TermineDaNascondere::UnTermine
                                             : TermineDaNascondere::RisultatoOTermine;
    dati = letti;
    return Errore::Nessuno;
}

} // namespace lumivex
