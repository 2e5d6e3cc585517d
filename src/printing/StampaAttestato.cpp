// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StampaAttestato.h"

#include "printing/EseguiStampa.h"

#include <algorithm>

namespace lumivex {

namespace {

constexpr double Sinistra = 1000.0;
constexpr double Alto = 100.0;
constexpr double TwipPerPollice = 1440.0;
constexpr double MetriPerPollice = 0.0254;

} // namespace

EsitoStampa StampaAttestato(Stampante &stampante, const QImage &attestato)
{
    return EseguiStampa(stampante, [&] {
        stampante.TitoloDocumento("Attestato");
        // The empty line opens the job; the picture is placed absolutely.
        stampante.Print();
        // Its own size is its pixels at the resolution it was drawn at; a
        // large screen makes a picture wider than any sheet, and a cut
        // certificate is worth nothing.
        const double pollici = attestato.dotsPerMeterX() * MetriPerPollice;
        const QSizeF pixel = attestato.deviceIndependentSize();
        const double larghezza = pixel.width() / pollici * TwipPerPollice;
        const double altezza = pixel.height() / pollici * TwipPerPollice;
        const double riduzione = std::min({1.0, (stampante.ScaleWidth() - Sinistra) / larghezza,
                                           (stampante.ScaleHeight() - Alto) / altezza});
        stampante.PaintPicture(attestato, Sinistra, Alto, larghezza * riduzione, altezza * riduzione);
        return stampante.EndDoc();
    });
}

} // namespace lumivex
