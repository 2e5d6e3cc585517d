// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/OsservatoreConInvio.h"

#include "record/InvioServer.h"

namespace lumivex::registro {

void OsservatoreConInvio::EsercizioIniziato(std::int16_t minimo, std::int16_t massimo)
{
    scrittore_.EsercizioIniziato(minimo, massimo);
}

void OsservatoreConInvio::ProblemaRisolto(const ProblemaConcluso &problema)
{
    scrittore_.ProblemaRisolto(problema);
    invio_.Sollecita();
}

void OsservatoreConInvio::EsercizioFinito(const EsitoEsercizio &esito)
{
    scrittore_.EsercizioFinito(esito);
    invio_.Sollecita();
}

void OsservatoreConInvio::NomeConfermato(const std::string &nome)
{
    scrittore_.NomeConfermato(nome);
    invio_.Sollecita();
}

} // namespace lumivex::registro
