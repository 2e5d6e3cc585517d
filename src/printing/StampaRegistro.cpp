// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StampaRegistro.h"

#include "printing/EseguiStampa.h"
#include "printing/FontCourier.h"

namespace lumivex {

namespace {

constexpr double Margine = 1000;
constexpr double Interlinea = 280;

void Testata(Stampante &stampante, const PaginaAlunno &pagina)
{
    stampante.CurrentX(Margine);
    stampante.CurrentY(Margine);
    stampante.FontSize(16);
    stampante.FontBold(true);
    stampante.Print("Registro di " + pagina.Nome, ACapo::Si);
    stampante.FontSize(10);
    stampante.FontBold(false);
}

void Riga(Stampante &stampante, const std::string &testo, double &y)
{
    stampante.CurrentX(Margine);
    stampante.CurrentY(y);
    stampante.Print(testo, ACapo::Si);
    y += Interlinea;
}

} // namespace

EsitoStampa StampaPaginaAlunno(Stampante &stampante, const PaginaAlunno &pagina)
{
    const std::optional<std::string> font = CercaFontCourier(stampante);
    if (!font) {
        return EsitoStampa(EsitoStampa::Tipo::MancaCourier);
    }
    return EseguiStampa(stampante, [&] {
        stampante.TitoloDocumento("Registro " + pagina.Nome);
        stampante.FontName(*font);
        Testata(stampante, pagina);
        double y = Margine + 600;
        for (const std::string &riga : pagina.Riepilogo) {
            Riga(stampante, riga, y);
        }
        y += Interlinea;
        const double fondo = stampante.ScaleHeight() - Margine;
        stampante.FontBold(true);
        Riga(stampante, pagina.Intestazione, y);
        stampante.FontBold(false);
        for (const std::string &esercizio : pagina.Esercizi) {
            if (y + Interlinea > fondo) {
                stampante.NewPage();
                Testata(stampante, pagina);
                y = Margine + 600;
                stampante.FontBold(true);
                Riga(stampante, pagina.Intestazione, y);
                stampante.FontBold(false);
            }
            Riga(stampante, esercizio, y);
        }
        return stampante.EndDoc();
    });
}

} // namespace lumivex
