// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Esercizio.h"

#include "exercise/Conversioni.h"
#include "exercise/Interi16.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/Valutazione.h"

#include <cmath>

namespace lumivex {

namespace {

constexpr int MassimoCifre = 4;
constexpr int RifiutiPrimaDellIntervento = 3;
constexpr float TettoTempoParziale = 99.0F;
constexpr float TettoTempoTotale = 999.0F;
constexpr const char *Esatto = "ESATTO";
constexpr const char *Errato = "ERRATO";
constexpr const char *SegnoAiuto = "\u00B0";

} // namespace

Esercizio::Esercizio(Modulo2 &modulo, SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , orologio_(orologio)
    , generatore_(modulo, schermo_, casuale, orologio)
{
}

void Esercizio::Carica()
{
    NuovoEsercizio();
    NascondiCroci();
}

void Esercizio::NuovoEsercizio()
{
    // Counts resets only; every exercise numbers its problems from 1, so at
    // the top of the range it simply stops counting.
    IncrementaSaturando16(m_.AvviiEsercizio);
    Riparti();
}

void Esercizio::FinestraMostrata()
{
    visto_ = true;
    if (!misurata_) {
        generatore_.AvviaCronometro();
    }
    AnnunciaSeVisto();
}

void Esercizio::CambioLivello()
{
    if (visto_ || (m_.NumeroMin == minimoEsercizio_ && m_.NumeroMax == massimoEsercizio_)) {
        return;
    }
    // Not a new exercise for the pupil, who never saw the old one: the reset
    // counter stays as it is.
    Riparti();
}

void Esercizio::Riparti()
{
    minimoEsercizio_ = m_.NumeroMin;
    massimoEsercizio_ = m_.NumeroMax;
    m_.RisposteEsatte = 0;
    m_.RisposteErrate = 0;
    m_.NumOperazioni = 0;
    m_.ProgressivoOperazione = 0;
    m_.RifiutiAiuto = 0;
    m_.TempoParziale = std::int16_t{0};
    m_.TempoTotale = std::int16_t{0};
    for (int riga = 1; riga <= Modulo2::OperazioniPerEsercizio; ++riga) {
        m_.ElencoOperazioni.at(static_cast<std::size_t>(riga)).clear();
    }
    m_.StrTempoTotale.clear();
    schermo_.LblOperazione.Caption.clear();
    schermo_.lblRisEsatte.Caption.clear();
    schermo_.lblRisErrate.Caption.clear();
    schermo_.LblTempoParziale.Caption.clear();
    schermo_.LblTempoTotale.Caption.clear();
    annunciato_ = false;
    NuovaOperazione();
    AnnunciaSeVisto();
}

// An exercise starts for the register when the pupil sees it: one drawn in
// the hidden window and drawn again for another range never happened.
void Esercizio::AnnunciaSeVisto()
{
    if (!visto_ || annunciato_) {
        return;
    }
    annunciato_ = true;
    if (m_.Osservatore != nullptr) {
        m_.Osservatore->EsercizioIniziato(minimoEsercizio_, massimoEsercizio_);
    }
}

void Esercizio::ProblemaSistemato(bool aiuto, bool intervento)
{
    if (m_.Osservatore == nullptr) {
        return;
    }
    ProblemaConcluso p;
    p.Progressivo = m_.NumOperazioni;
    p.Termini = {m_.Num1, m_.Num2, m_.Num3, m_.Num4};
    p.Nascosto = m_.TermineNascosto;
    p.Soluzione = m_.Soluzione;
    p.Risposte = risposte_;
    p.Aiuto = aiuto;
    p.Intervento = intervento;
    p.Secondi = static_cast<int>(ValoreNumerico(m_.TempoParziale));
    m_.Osservatore->ProblemaRisolto(p);
}

void Esercizio::NuovaOperazione()
{
    for (auto &termine : schermo_.lblNumero) {
        termine.Testo = ColoreTermine;
    }
    NascondiCroci();
    schermo_.lblCorrezione.Caption.clear();
    schermo_.LblEsito.Caption.clear();
    schermo_.LblTempoParziale.Caption.clear();
    m_.Risposta.clear();
    m_.StrSoluzione.clear();
    risposte_.clear();
    TastierinoProblema();
    m_.RifiutiAiuto = 0;
    misurata_ = false;
    Incrementa16(m_.ProgressivoOperazione);
    schermo_.LblOperazione.Caption = TestoSemplice(m_.ProgressivoOperazione);
    generatore_.Genera1();
    generatore_.AllineaNumeri();
    generatore_.Visualizza1();
    generatore_.ChiudiRiga();
    MostraPannello(Pannello::Tastierino);
}

void Esercizio::EseguiTasto(int indice)
{
    if (indice < 0 || indice >= SchermoOperativo::NumeroTasti || !schermo_.Abilitato(Pannello::Tastierino)
        || !schermo_.TastoAbilitato[static_cast<std::size_t>(indice)]) {
        return;
    }
    const auto &nascosto = schermo_.lblNumero.at(static_cast<std::size_t>(m_.TermineNascosto - 1));
    if (indice <= 9) {
        if (nascosto.Caption == SchermoOperativo::Incognita) {
            m_.Risposta.clear();
        }
        m_.Risposta += static_cast<char>('0' + indice);
        if (m_.Risposta.size() > MassimoCifre) {
            m_.Risposta.resize(MassimoCifre);
        }
        MostraRisposta();
        return;
    }
    switch (indice) {
    case SchermoOperativo::TastoCancella:
        if (!m_.Risposta.empty()) {
            m_.Risposta.pop_back();
        }
        if (m_.Risposta.empty()) {
            m_.Risposta = SchermoOperativo::Incognita;
        }
        MostraRisposta();
        break;
    case SchermoOperativo::TastoVerifica:
        VerificaRisposta();
        break;
    case SchermoOperativo::TastoAvanti:
        NuovaOperazione();
        break;
    default:
        schermo_.ChiusuraRichiesta = true;
        break;
    }
}

void Esercizio::VerificaRisposta()
{
    const bool esatta = SenzaSpazi(m_.Risposta) == SenzaSpazi(m_.StrSoluzione);
    if (esatta) {
        Incrementa16(m_.RisposteEsatte);
        schermo_.lblRisEsatte.Caption = TestoSemplice(m_.RisposteEsatte);
        m_.Contrassegno = "  ";
        schermo_.LblEsito.Caption = Esatto;
    } else {
        Incrementa16(m_.RisposteErrate);
        MostraCroce();
        schermo_.lblRisErrate.Caption = TestoSemplice(m_.RisposteErrate);
        m_.Contrassegno = "* ";
        schermo_.LblEsito.Caption = Errato;
    }
    AggiornaTempi();
    RigaCorrente() += m_.Risposta + m_.Contrassegno;
    // "?" is the empty term, not a digit the pupil typed.
    const std::string_view digitato = SenzaSpazi(m_.Risposta);
    risposte_.push_back({digitato == SchermoOperativo::Incognita ? std::string() : std::string(digitato), esatta});
    if (esatta) {
        TastierinoRisolto();
        ProblemaSistemato(false, false);
        FineEsercizio();
    } else {
        MostraPannello(Pannello::Aiuto);
        RichiediFuoco(Pannello::Aiuto, 0);
    }
}

void Esercizio::AggiornaTempi()
{
    m_.OraFine = orologio_.SecondiDaMezzanotte();
    // Measured on the monotonic clock: the time of day jumps at midnight,
    // with daylight saving and at every correction of the clock.
    const double trascorso = orologio_.SecondiMonotoni() - generatore_.InizioRisposta();
    misurata_ = true;
    const auto parziale = static_cast<float>(std::floor(trascorso));
    const float totale = parziale + ValoreNumerico(m_.TempoTotale);
    m_.TempoParziale = parziale;
    m_.StrTempoParziale = TestoConSegno(m_.TempoParziale);
    m_.TempoTotale = totale;
    m_.StrTempoTotale = TestoConSegno(m_.TempoTotale);
    schermo_.LblTempoParziale.Caption = parziale > TettoTempoParziale ? "99" : m_.StrTempoParziale;
    schermo_.LblTempoTotale.Caption = totale > TettoTempoTotale ? "999" : m_.StrTempoTotale;
}

void Esercizio::SiSi()
{
    if (!schermo_.Abilitato(Pannello::Aiuto) && !schermo_.Abilitato(Pannello::Intervento)) {
        return;
    }
    const bool intervento = schermo_.Abilitato(Pannello::Intervento);
    AggiornaTempi();
    RigaCorrente() += m_.StrSoluzione + SegnoAiuto;
    schermo_.lblRisErrate.Caption = TestoSemplice(m_.RisposteErrate);
    schermo_.LblOperazione.Caption = TestoSemplice(m_.ProgressivoOperazione);
    schermo_.lblCorrezione.Caption = m_.StrSoluzione;
    schermo_.CorrezioneSottoTermine = m_.TermineNascosto;
    schermo_.LblEsito.Caption.clear();
    MostraPannello(Pannello::Tastierino);
    TastierinoRisolto();
    ProblemaSistemato(!intervento, intervento);
    FineEsercizio();
}

void Esercizio::NoNo()
{
    if (!schermo_.Abilitato(Pannello::Aiuto)) {
        return;
    }
    Incrementa16(m_.RifiutiAiuto);
    if (m_.RifiutiAiuto < RifiutiPrimaDellIntervento) {
        NascondiCroci();
        MostraPannello(Pannello::Tastierino);
        // The refused answer is gone, as at the start of the problem: it must
        // not come back through "Cancella" nor be logged again by "Verifica".
        m_.Risposta.clear();
        schermo_.ImpostaTermine(m_.TermineNascosto, SchermoOperativo::Incognita);
        TastierinoProblema();
        schermo_.LblEsito.Caption.clear();
    } else {
        m_.RifiutiAiuto = 0;
        MostraPannello(Pannello::Intervento);
        RichiediFuoco(Pannello::Intervento, 0);
    }
}

void Esercizio::FineEsercizio()
{
    if (m_.NumOperazioni < Modulo2::OperazioniPerEsercizio) {
        return;
    }
    MostraPannello(Pannello::Avviso);
    RichiediFuoco(Pannello::Avviso, 0);
    if (m_.Osservatore != nullptr) {
        m_.Osservatore->EsercizioFinito({m_.RisposteEsatte, m_.RisposteErrate,
                                         static_cast<int>(ValoreNumerico(m_.TempoTotale)), GiudizioValutazione(m_)});
    }
}

void Esercizio::NascondiCroci()
{
    schermo_.CroceVisibile.fill(false);
}

void Esercizio::MostraCroce()
{
    schermo_.CroceVisibile.at(static_cast<std::size_t>(m_.TermineNascosto - 1)) = true;
}

void Esercizio::DisattivaPannelli()
{
    schermo_.PannelloAbilitato.fill(false);
}

void Esercizio::MostraPannello(Pannello pannello)
{
    DisattivaPannelli();
    schermo_.PannelloAbilitato[static_cast<std::size_t>(pannello)] = true;
    schermo_.InPrimoPiano = pannello;
}

void Esercizio::TastierinoProblema()
{
    for (int tasto = 0; tasto <= SchermoOperativo::TastoVerifica; ++tasto) {
        schermo_.TastoAbilitato[static_cast<std::size_t>(tasto)] = true;
    }
    schermo_.TastoAbilitato[SchermoOperativo::TastoAvanti] = false;
    schermo_.TastoAbilitato[SchermoOperativo::TastoEsco] = false;
    RichiediFuoco(Pannello::Tastierino, 1);
}

void Esercizio::TastierinoRisolto()
{
    for (int tasto = 0; tasto <= SchermoOperativo::TastoVerifica; ++tasto) {
        schermo_.TastoAbilitato[static_cast<std::size_t>(tasto)] = false;
    }
    schermo_.TastoAbilitato[SchermoOperativo::TastoAvanti] = true;
    schermo_.TastoAbilitato[SchermoOperativo::TastoEsco] = true;
    RichiediFuoco(Pannello::Tastierino, SchermoOperativo::TastoAvanti);
}

void Esercizio::RichiediFuoco(Pannello gruppo, int elemento)
{
    schermo_.FuocoRichiesto = Fuoco{gruppo, elemento};
    ++schermo_.RichiesteFuoco;
}

void Esercizio::MostraRisposta()
{
    schermo_.ImpostaTermine(m_.TermineNascosto, m_.Risposta);
}

std::string &Esercizio::RigaCorrente()
{
    return m_.ElencoOperazioni.at(static_cast<std::size_t>(m_.NumOperazioni));
}

} // namespace lumivex
