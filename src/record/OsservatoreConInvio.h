// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/OsservatoreEsercizio.h"

namespace lumivex::registro {

class InvioServer;

// Hands every event to the register's writer, then asks the sender to try:
// what a settled problem adds goes to the school's server at once.
class OsservatoreConInvio : public OsservatoreEsercizio {
public:
    OsservatoreConInvio(OsservatoreEsercizio &scrittore, InvioServer &invio) : scrittore_(scrittore), invio_(invio) {}

    void EsercizioIniziato(std::int16_t minimo, std::int16_t massimo) override;
    void ProblemaRisolto(const ProblemaConcluso &problema) override;
    void EsercizioFinito(const EsitoEsercizio &esito) override;
    void NomeConfermato(const std::string &nome) override;

private:
    OsservatoreEsercizio &scrittore_;
    InvioServer &invio_;
};

} // namespace lumivex::registro
