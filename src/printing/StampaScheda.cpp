// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StampaScheda.h"

#include "printing/EseguiStampa.h"
#include "printing/FontCourier.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lumivex {

namespace {

// Lines 1..30 down the left column, 31..60 down the right one, in groups of
// ten starting at 2000, 6500 and 11000 twips.
double AscissaRiga(int riga)
{
    return riga <= 30 ? 1000.0 : 6000.0;
}

double OrdinataRiga(int riga)
{
    constexpr double Gruppi[] = {2000.0, 6500.0, 11000.0};
    const int gruppo = ((riga - 1) / 10) % 3;
    return Gruppi[gruppo] + 400.0 * ((riga - 1) % 10);
}

} // namespace

void StampaIntestazione(Stampante &stampante, const std::string &nome)
{
    stampante.FontName("Courier");
    stampante.CurrentX(1000);
    stampante.CurrentY(1000);
    stampante.FontSize(14);
    // The report's lines are bold, and the setting outlives its page.
    stampante.FontBold(false);
    stampante.Print("Nome e cognome", ACapo::No);
    if (!nome.empty()) {
        stampante.Print("  " + nome, ACapo::No);
    }
    stampante.CurrentX(1000);
    stampante.CurrentY(1500);
    stampante.FontSize(12);
}

namespace {

void PiePagina(Stampante &stampante, const StatoScheda &scheda, const std::string &piePagina)
{
    stampante.FontName("Courier");
    stampante.FontSize(8);
    stampante.CurrentX(1000);
    stampante.CurrentY(15100);
    stampante.Print("DOV: ricerca ", ACapo::Si);
    stampante.CurrentX(1000);
    stampante.CurrentY(15300);
    stampante.Print("Livello di difficoltà: " + scheda.TestoLivelloInUso, ACapo::Si);
    stampante.CurrentX(1000);
    stampante.CurrentY(15500);
    stampante.Print(piePagina, ACapo::Si);
    if (!scheda.Codice.empty()) {
        // Larger than the footer: the teacher copies it off the pupil's sheet.
        stampante.FontSize(10);
        stampante.CurrentX(1000);
        stampante.CurrentY(15700);
        stampante.Print("Codice scheda: " + scheda.Codice, ACapo::Si);
    }
}

void Pagina(Stampante &stampante, const StatoScheda &scheda, const std::string &font, const std::string &piePagina)
{
    stampante.FontName(font);
    StampaIntestazione(stampante, scheda.Nome);
    stampante.FontSize(scheda.TipoScheda == StatoScheda::SchedaAlunni ? 12 : 10);
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        if (!scheda.OpzioniInUso.InUso(riga)) {
            continue;
        }
        stampante.CurrentX(AscissaRiga(riga));
        stampante.CurrentY(OrdinataRiga(riga));
        stampante.Print(scheda.RigheVisualizzate[static_cast<std::size_t>(riga)], ACapo::Si);
    }
    PiePagina(stampante, scheda, piePagina);
}

// The pages of one sheet in large print; `prima` says whether the job's
// first page is still blank.
void PagineGrandi(Stampante &stampante, const StatoScheda &scheda, const std::string &font,
                  const std::string &piePagina, bool &prima)
{
    std::vector<int> righe;
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        if (scheda.OpzioniInUso.InUso(riga)) {
            righe.push_back(riga);
        }
    }
    const std::size_t pagine = std::max<std::size_t>(1, (righe.size() + RighePaginaGrande - 1) / RighePaginaGrande);
    for (std::size_t pagina = 0; pagina < pagine; ++pagina) {
        if (!prima) {
            stampante.NewPage();
        }
        prima = false;
        stampante.FontName(font);
        StampaIntestazione(stampante, scheda.Nome);
        stampante.FontSize(18);
        const std::size_t inizio = pagina * RighePaginaGrande;
        for (std::size_t i = inizio; i < std::min(righe.size(), inizio + RighePaginaGrande); ++i) {
            // 1250 twips a line: a line of 18 points and room to write under it.
            stampante.CurrentX(1000);
            stampante.CurrentY(2200.0 + 1250.0 * static_cast<double>(i - inizio));
            stampante.Print(scheda.RigheVisualizzate[static_cast<std::size_t>(righe[i])], ACapo::Si);
        }
        PiePagina(stampante, scheda, piePagina);
        stampante.CurrentX(7000);
        stampante.CurrentY(15700);
        stampante.Print("pagina " + std::to_string(pagina + 1) + " di " + std::to_string(pagine), ACapo::Si);
    }
}

} // namespace

EsitoStampa StampaScheda(Stampante &stampante, const StatoScheda &scheda, const std::string &piePagina)
{
    return StampaSchede(stampante, std::span(&scheda, 1), piePagina);
}

EsitoStampa StampaSchede(Stampante &stampante, std::span<const StatoScheda> schede, const std::string &piePagina,
                         Caratteri caratteri)
{
    if (schede.empty()) {
        return EsitoStampa();
    }
    const std::optional<std::string> font = CercaFontCourier(stampante);
    if (!font) {
        return EsitoStampa(EsitoStampa::Tipo::MancaCourier);
    }
    return EseguiStampa(stampante, [&] {
        stampante.TitoloDocumento(schede.front().TipoScheda == StatoScheda::SchedaAlunni ? "Scheda alunni" : "Scheda docenti");
        bool prima = true;
        for (const StatoScheda &scheda : schede) {
            if (caratteri == Caratteri::Grandi) {
                PagineGrandi(stampante, scheda, *font, piePagina, prima);
                continue;
            }
            if (!prima) {
                stampante.NewPage();
            }
            prima = false;
            Pagina(stampante, scheda, *font, piePagina);
        }
        return stampante.EndDoc();
    });
}

} // namespace lumivex
