// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lumivex {
namespace {

constexpr int Cancella = SchermoOperativo::TastoCancella;
constexpr int Verifica = SchermoOperativo::TastoVerifica;
constexpr int Avanti = SchermoOperativo::TastoAvanti;
constexpr int Esco = SchermoOperativo::TastoEsco;
const std::string Grado = "\u00B0";

class EsercizioInCorso : public ::testing::Test {
protected:
    Modulo2 m;
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Esercizio e{m, casuale, orologio};

    void SetUp() override
    {
        m.NumeroMin = 10;
        m.NumeroMax = 40;
        ProssimoProblema();
        e.Carica();
    }

    // 36 - 18 = 30 - 12 with 18 hidden.
    void ProssimoProblema() { casuale.Problema(10, 40, {36, 18, 30, 12}, 2); }
    void Ricomincia()
    {
        ProssimoProblema();
        e.NuovoEsercizio();
    }
    void Avanza()
    {
        ProssimoProblema();
        e.EseguiTasto(Avanti);
    }
    void Scrivi(const std::string &cifre)
    {
        for (char c : cifre) {
            e.EseguiTasto(c - '0');
        }
    }
    void Rispondi(const std::string &cifre)
    {
        Scrivi(cifre);
        e.EseguiTasto(Verifica);
    }

    const SchermoOperativo &s() const { return e.Schermo(); }
    const std::string &Riga() const { return m.ElencoOperazioni.at(static_cast<std::size_t>(m.NumOperazioni)); }
    std::string Coda() const { return Riga().substr(Riga().find("(R.")); }
    const std::string &Nascosto() const { return s().lblNumero[1].Caption; }

    // Keys 0..11 open and the focus on "1", or only "Avanti"/"Esco" with the focus there.
    void AttendiTastierino(bool aperto)
    {
        EXPECT_EQ(s().InPrimoPiano, Pannello::Tastierino);
        EXPECT_TRUE(s().Abilitato(Pannello::Tastierino));
        for (int tasto = 0; tasto < SchermoOperativo::NumeroTasti; ++tasto) {
            EXPECT_EQ(s().TastoAbilitato[static_cast<std::size_t>(tasto)], aperto == (tasto <= Verifica)) << tasto;
        }
        EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Tastierino, aperto ? 1 : Avanti}));
    }
};

// Catches: the two log endings the report prints wrong by a blank or a
// mark; the cross, the help panel or the "?" after a refusal not shown.
TEST_F(EsercizioInCorso, LaRigaRegistraRisposteSegniEAiuto)
{
    EXPECT_EQ(s().LblOperazione.Caption, "1");
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_EQ(s().lblNumero[1].Testo, ColoreTermineNascosto);
    EXPECT_EQ(Coda(), "(R.");
    AttendiTastierino(true);

    Rispondi("43");
    EXPECT_EQ(s().LblEsito.Caption, "ERRATO");
    EXPECT_TRUE(s().CroceVisibile[1]);
    EXPECT_EQ(s().InPrimoPiano, Pannello::Aiuto);
    EXPECT_FALSE(s().Abilitato(Pannello::Tastierino));
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Aiuto, SchermoOperativo::AiutoSi}));

    e.NoNo();
    AttendiTastierino(true);
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_FALSE(s().CroceVisibile[1]);
    Scrivi("1");
    EXPECT_EQ(Nascosto(), "1") << "after a refusal a digit starts a fresh answer";
    e.EseguiTasto(Cancella);
    Rispondi("18");
    EXPECT_EQ(Coda(), "(R.43* 18  ");
    EXPECT_EQ(s().LblEsito.Caption, "ESATTO");
    AttendiTastierino(false);

    Avanza();
    Rispondi("43");
    e.SiSi();
    EXPECT_EQ(Coda(), "(R.43*  18" + Grado);
    EXPECT_EQ(s().lblCorrezione.Caption, " 18");
    EXPECT_EQ(s().CorrezioneSottoTermine, 2);
    EXPECT_EQ(m.RisposteEsatte, 1) << "help changes no score";
    EXPECT_EQ(m.RisposteErrate, 2);
    AttendiTastierino(false);
}

// Catches: "Avanti" or "Esco" working while a problem is open; a refusal
// counted with no help offered; an empty answer not counted as wrong; a fifth
// digit kept; "Cancella" past the "?"; answers compared as numbers.
TEST_F(EsercizioInCorso, LaRispostaSiScriveSiCancellaESiConfrontaComeTesto)
{
    e.EseguiTasto(Avanti);
    e.EseguiTasto(Esco);
    EXPECT_EQ(m.NumOperazioni, 1) << "Avanti is not offered while the problem is open";
    EXPECT_FALSE(s().ChiusuraRichiesta);

    e.NoNo();
    EXPECT_EQ(m.RisposteErrate, 0) << "a refusal with no help offered is ignored";
    e.EseguiTasto(Verifica);
    EXPECT_EQ(Coda(), "(R.* ") << "an empty answer is a wrong one";
    e.NoNo();

    Scrivi("12345");
    EXPECT_EQ(Nascosto(), "1234") << "a fifth digit is dropped";
    for (const char *atteso : {"123", "12", "1", "?", "?"}) {
        e.EseguiTasto(Cancella);
        EXPECT_EQ(Nascosto(), atteso);
        EXPECT_EQ(m.Risposta, atteso);
    }
    Rispondi("018");
    EXPECT_EQ(Coda(), "(R.* 018* ") << "compared as text: 018 is not 18";
}

// Catches: the third refusal reopening the keypad instead of calling the
// teacher; keys or refusals counting while the intervention waits.
TEST_F(EsercizioInCorso, TreRifiutiPortanoAllIntervento)
{
    for (const char *sbagliata : {"1", "2", "3"}) {
        Rispondi(sbagliata);
        e.NoNo();
    }
    EXPECT_EQ(s().InPrimoPiano, Pannello::Intervento);
    EXPECT_FALSE(s().Abilitato(Pannello::Tastierino)) << "the third refusal must not reopen the keypad";
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Intervento, 0}));
    EXPECT_EQ(m.RisposteErrate, 3);

    Rispondi("18");
    e.NoNo();
    EXPECT_EQ(Coda(), "(R.1* 2* 3* ") << "keys and refusals while the intervention waits change nothing";
    e.SiSi();
    e.SiSi();
    EXPECT_EQ(Coda(), "(R.1* 2* 3*  18" + Grado) << "one OK, one help";
    AttendiTastierino(false);
    e.EseguiTasto(Esco);
    EXPECT_TRUE(s().ChiusuraRichiesta);
}

// Catches: a problem answered after midnight timed negative or from the
// wrong day; the two-digit cap of the label applied to the logged time too.
TEST_F(EsercizioInCorso, ITempiSiSommanoAncheOltreLaMezzanotte)
{
    orologio.Ora = 36000.0F;
    Ricomincia();
    orologio.Avanza(150.75);
    Rispondi("43");
    EXPECT_EQ(s().LblTempoParziale.Caption, "99") << "the cap is on the label only";
    EXPECT_EQ(m.StrTempoParziale, " 150");
    orologio.Avanza(9.25);
    e.SiSi();
    EXPECT_EQ(m.StrTempoParziale, " 160") << "help is timed from when the problem was shown";
    EXPECT_EQ(s().LblTempoTotale.Caption, " 310");

    orologio.Avanza(840.0);
    Avanza();
    orologio.Avanza(699.0);
    Rispondi("18");
    EXPECT_EQ(m.StrTempoTotale, " 1009");
    EXPECT_EQ(s().LblTempoTotale.Caption, "999");

    orologio.Ora = 86395.5F;
    Avanza();
    orologio.Avanza(16.5);
    ASSERT_EQ(orologio.Ora, 12.0F);
    Rispondi("18");
    EXPECT_EQ(m.StrTempoParziale, " 16") << "an answer across midnight is timed like any other";
    EXPECT_EQ(m.StrTempoTotale, " 1025");
}

// Catches: answers timed on the time of day, so a clock set back (the end of
// daylight saving, a correction) is taken for midnight and adds a day, and a
// clock set forward adds the jump. OraInizio and OraFine stay times of day.
TEST_F(EsercizioInCorso, UnOrologioSpostatoNonFalsaITempi)
{
    for (const float salto : {-3600.0F, 3600.0F, -30.0F}) {
        SCOPED_TRACE(salto);
        Ricomincia();
        const float inizio = orologio.Ora;
        orologio.Avanza(20.0);
        orologio.Ora += salto;
        Rispondi("18");
        EXPECT_EQ(m.StrTempoParziale, " 20");
        EXPECT_EQ(m.StrTempoTotale, " 20");
        EXPECT_EQ(ValoreNumerico(m.OraInizio), inizio);
        EXPECT_EQ(ValoreNumerico(m.OraFine), orologio.Ora);
        orologio.Ora = 36000.0F;
    }
}

// Catches: the first problem timed from when it was drawn, at the range choice
// with the window still hidden, so the time spent on the start window counts
// as answering; a later show of the window restarting a problem already
// answered, which would drop time from the total.
TEST_F(EsercizioInCorso, IlTempoPartQuandoLaFinestraMostraIlProblema)
{
    orologio.Avanza(120.0);
    e.FinestraMostrata();
    EXPECT_TRUE(e.Visto());
    EXPECT_EQ(ValoreNumerico(m.OraInizio), orologio.Ora);
    orologio.Avanza(7.0);
    Rispondi("43");
    EXPECT_EQ(m.StrTempoParziale, " 7");

    orologio.Avanza(5.0);
    e.FinestraMostrata();
    orologio.Avanza(3.0);
    e.SiSi();
    EXPECT_EQ(m.StrTempoParziale, " 15") << "an answered problem keeps its start time";
    EXPECT_EQ(m.StrTempoTotale, " 22");

    orologio.Avanza(30.0);
    Avanza();
    orologio.Avanza(4.0);
    Rispondi("18");
    EXPECT_EQ(m.StrTempoParziale, " 4") << "a problem drawn in sight is timed from its drawing";
}

// Catches: a range chosen again before the exercise is seen leaving the first
// problem in the old range; choosing the same range, or any range once the
// pupil has seen the problem, drawing it again under the pupil's eyes; the
// unseen restart counted as an exercise of its own.
TEST_F(EsercizioInCorso, UnAltroLivelloPrimaDiVedereLEsercizioLoRidisegna)
{
    m.NumeroMin = 30;
    m.NumeroMax = 70;
    casuale.Problema(30, 70, {41, 35, 36, 30}, 2);
    e.CambioLivello();
    EXPECT_EQ(Riga(), "  41 -  ... =   36 -   30          (R.");
    EXPECT_EQ(m.NumOperazioni, 1);
    EXPECT_EQ(s().LblOperazione.Caption, "1");
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_EQ(m.AvviiEsercizio, 1);

    const std::string disegnata = Riga();
    const int risemine = casuale.Risemine;
    e.CambioLivello();
    e.FinestraMostrata();
    m.NumeroMin = 10;
    m.NumeroMax = 40;
    e.CambioLivello();
    EXPECT_EQ(casuale.Risemine, risemine) << "no problem drawn again";
    EXPECT_EQ(Riga(), disegnata);
    EXPECT_EQ(m.NumOperazioni, 1);
}

// Catches: the refused digits kept in Risposta, so "Cancella" on the "?"
// brings them back minus one and "Verifica" on the "?" logs them a second
// time as a new wrong answer.
TEST_F(EsercizioInCorso, DopoUnRifiutoLaRispostaRespintaNonTorna)
{
    Rispondi("43");
    e.NoNo();
    EXPECT_EQ(m.Risposta, "");
    e.EseguiTasto(Verifica);
    EXPECT_EQ(Coda(), "(R.43* * ") << "as \"Verifica\" at the start of a problem";
    EXPECT_EQ(m.RisposteErrate, 2);

    e.NoNo();
    e.EseguiTasto(Cancella);
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_EQ(m.Risposta, "?");
}

// Catches: an exercise after the first not numbering its problems from 1;
// a reset clearing what is not the exercise's (a worksheet's lines, the
// pupil's name); the reset counter overflowing in a long run.
TEST_F(EsercizioInCorso, OgniEsercizioRipartedaUno)
{
    m.ElencoOperazioni[21] = "riga di una scheda";
    m.NomeAlunno = "MARIO";
    for (int esercizio = 1; esercizio <= 3; ++esercizio) {
        SCOPED_TRACE(esercizio);
        if (esercizio > 1) {
            Ricomincia();
        }
        EXPECT_EQ(s().LblOperazione.Caption, "1");
        EXPECT_EQ(s().lblRisEsatte.Caption, "");
        for (int problema = 2; problema <= Modulo2::OperazioniPerEsercizio; ++problema) {
            Rispondi("18");
            Avanza();
        }
        EXPECT_EQ(s().LblOperazione.Caption, "20");
    }
    EXPECT_EQ(m.AvviiEsercizio, 3);
    EXPECT_EQ(m.ElencoOperazioni[21], "riga di una scheda");
    EXPECT_EQ(m.NomeAlunno, "MARIO");

    m.AvviiEsercizio = std::numeric_limits<std::int16_t>::max();
    EXPECT_NO_THROW(Ricomincia()) << "a long run's reset counter must not overflow";
    EXPECT_EQ(m.AvviiEsercizio, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(s().LblOperazione.Caption, "1");
}

// Catches: a whole exercise mixing right answers, help, a refusal and the
// intervention logged or counted wrongly; no notice at the end, or a 21st
// problem.
TEST_F(EsercizioInCorso, UnEsercizioCompletoDiVentiProblemi)
{
    const std::array<std::string, 4> code{"(R.18  ", "(R.43*  18" + Grado, "(R.43* 18  ", "(R.1* 2* 3*  18" + Grado};
    for (int problema = 1; problema <= 20; ++problema) {
        switch (problema % 4) {
        case 0:
            Rispondi("18");
            break;
        case 1:
            Rispondi("43");
            e.SiSi();
            break;
        case 2:
            Rispondi("43");
            e.NoNo();
            Rispondi("18");
            break;
        default:
            for (const char *sbagliata : {"1", "2", "3"}) {
                Rispondi(sbagliata);
                e.NoNo();
            }
            e.SiSi();
            break;
        }
        EXPECT_EQ(Riga(), "  36 -  ... =   30 -   12          " + code[static_cast<std::size_t>(problema % 4)]);
        EXPECT_EQ(e.Concluso(), problema == 20);
        if (problema < 20) {
            Avanza();
        }
    }
    EXPECT_EQ(s().InPrimoPiano, Pannello::Avviso);
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Avviso, SchermoOperativo::AvvisoStampa}));
    EXPECT_EQ(m.RisposteEsatte, 10);
    EXPECT_EQ(s().lblRisErrate.Caption, "25");
    EXPECT_EQ(s().LblOperazione.Caption, "20");

    e.EseguiTasto(Avanti);
    e.SiSi();
    EXPECT_EQ(m.NumOperazioni, 20) << "no 21st problem after the notice";
    EXPECT_TRUE(m.ElencoOperazioni[21].empty());
}

} // namespace
} // namespace lumivex
