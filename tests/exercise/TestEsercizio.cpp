#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "support/Finti.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lumivex {
namespace {

using prove::OrologioFinto;
using prove::SorgenteFinta;

constexpr int Cancella = SchermoOperativo::TastoCancella;
constexpr int Verifica = SchermoOperativo::TastoVerifica;
constexpr int Avanti = SchermoOperativo::TastoAvanti;
constexpr int Esco = SchermoOperativo::TastoEsco;

class EsercizioInCorso : public ::testing::Test {
protected:
    Modulo2 m;
    SorgenteFinta casuale;
    OrologioFinto orologio;
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

    const SchermoOperativo &s() const { return e.Schermo(); }
    const std::string &Riga() const { return m.ElencoOperazioni.at(static_cast<std::size_t>(m.NumOperazioni)); }
    std::string Coda() const { return Riga().substr(Riga().find("(R.")); }
    const std::string &Nascosto() const { return s().lblNumero[1].Caption; }

    void AttendiProblemaAperto()
    {
        EXPECT_EQ(s().InPrimoPiano, Pannello::Tastierino);
        EXPECT_TRUE(s().Abilitato(Pannello::Tastierino));
        EXPECT_FALSE(s().Abilitato(Pannello::Aiuto));
        for (int tasto = 0; tasto <= Verifica; ++tasto) {
            EXPECT_TRUE(s().TastoAbilitato[static_cast<std::size_t>(tasto)]) << tasto;
        }
        EXPECT_FALSE(s().TastoAbilitato[Avanti]);
        EXPECT_FALSE(s().TastoAbilitato[Esco]);
        EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Tastierino, 1}));
    }

    void AttendiProblemaRisolto()
    {
        EXPECT_EQ(s().InPrimoPiano, Pannello::Tastierino);
        for (int tasto = 0; tasto <= Verifica; ++tasto) {
            EXPECT_FALSE(s().TastoAbilitato[static_cast<std::size_t>(tasto)]) << tasto;
        }
        EXPECT_TRUE(s().TastoAbilitato[Avanti]);
        EXPECT_TRUE(s().TastoAbilitato[Esco]);
        EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Tastierino, Avanti}));
    }
};

TEST_F(EsercizioInCorso, IlCaricamentoMostraIlPrimoProblema)
{
    EXPECT_EQ(m.NumOperazioni, 1);
    EXPECT_EQ(m.AvviiEsercizio, 1);
    EXPECT_EQ(s().LblOperazione.Caption, "1");
    EXPECT_EQ(s().lblRisEsatte.Caption, "");
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_EQ(s().lblNumero[0].Testo, ColoreTermine);
    EXPECT_EQ(s().lblNumero[1].Testo, ColoreTermineNascosto);
    EXPECT_EQ(s().CroceVisibile, (std::array<bool, 4>{}));
    EXPECT_EQ(Coda(), "(R.");
    AttendiProblemaAperto();
}

// The two endings the report prints, blanks included.
TEST_F(EsercizioInCorso, LaRigaRegistraRisposteSegniEAiuto)
{
    Rispondi("43");
    EXPECT_EQ(s().LblEsito.Caption, "ERRATO");
    EXPECT_EQ(s().lblRisErrate.Caption, "1");
    EXPECT_TRUE(s().CroceVisibile[1]);
    EXPECT_EQ(s().InPrimoPiano, Pannello::Aiuto);
    EXPECT_FALSE(s().Abilitato(Pannello::Tastierino));
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Aiuto, 0}));

    e.NoNo();
    AttendiProblemaAperto();
    EXPECT_EQ(Nascosto(), "?");
    EXPECT_EQ(s().CroceVisibile[1], false);
    EXPECT_EQ(s().LblEsito.Caption, "");
    Scrivi("1");
    EXPECT_EQ(Nascosto(), "1") << "after a refusal a digit starts a fresh answer";
    e.EseguiTasto(Cancella);
    Rispondi("18");
    EXPECT_EQ(Coda(), "(R.43* 18  ");
    EXPECT_EQ(s().LblEsito.Caption, "ESATTO");
    EXPECT_EQ(m.RisposteEsatte, 1);
    EXPECT_EQ(m.RisposteErrate, 1);
    AttendiProblemaRisolto();

    Avanza();
    Rispondi("43");
    e.SiSi();
    EXPECT_EQ(Coda(), "(R.43*  18\u00B0");
    EXPECT_EQ(s().lblCorrezione.Caption, " 18");
    EXPECT_EQ(s().CorrezioneSottoTermine, 2);
    EXPECT_EQ(s().LblEsito.Caption, "");
    EXPECT_EQ(m.RisposteEsatte, 1) << "help changes no score";
    EXPECT_EQ(m.RisposteErrate, 2);
    AttendiProblemaRisolto();
}

TEST_F(EsercizioInCorso, LaRispostaSiScriveESiCancella)
{
    e.EseguiTasto(Avanti);
    e.EseguiTasto(Esco);
    EXPECT_EQ(m.NumOperazioni, 1) << "Avanti is not offered while the problem is open";
    EXPECT_FALSE(s().ChiusuraRichiesta);
    Scrivi("12345");
    EXPECT_EQ(m.Risposta, "1234") << "a fifth digit is dropped";
    EXPECT_EQ(Nascosto(), "1234");
    e.EseguiTasto(Cancella);
    EXPECT_EQ(Nascosto(), "123");
    e.EseguiTasto(Cancella);
    e.EseguiTasto(Cancella);
    e.EseguiTasto(Cancella);
    EXPECT_EQ(m.Risposta, "?");
    EXPECT_EQ(Nascosto(), "?");
    e.EseguiTasto(Cancella);
    EXPECT_EQ(m.Risposta, "?") << "Cancella on an empty answer";
    Scrivi("7");
    EXPECT_EQ(m.Risposta, "7");
}

TEST_F(EsercizioInCorso, VerificaSenzaRispostaEUnErrore)
{
    e.EseguiTasto(Verifica);
    EXPECT_EQ(Coda(), "(R.* ");
    EXPECT_EQ(m.RisposteErrate, 1);
    e.NoNo();
    Rispondi("018");
    EXPECT_EQ(Coda(), "(R.* 018* ") << "compared as text: 018 is not 18";
}

TEST_F(EsercizioInCorso, TreRifiutiPortanoAllIntervento)
{
    Rispondi("1");
    e.NoNo();
    Rispondi("2");
    e.NoNo();
    Rispondi("3");
    e.NoNo();
    EXPECT_EQ(s().InPrimoPiano, Pannello::Intervento);
    EXPECT_FALSE(s().Abilitato(Pannello::Tastierino)) << "the third refusal must not reopen the keypad";
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Intervento, 0}));
    EXPECT_EQ(m.RisposteErrate, 3);
    EXPECT_EQ(m.RifiutiAiuto, 0);

    Scrivi("18");
    e.EseguiTasto(Verifica);
    e.NoNo();
    EXPECT_EQ(Coda(), "(R.1* 2* 3* ") << "keys and refusals while the intervention waits change nothing";

    e.SiSi();
    EXPECT_EQ(Coda(), "(R.1* 2* 3*  18\u00B0");
    AttendiProblemaRisolto();
    e.SiSi();
    EXPECT_EQ(Coda(), "(R.1* 2* 3*  18\u00B0") << "a second OK is not another help";
}

TEST_F(EsercizioInCorso, IlRisoltoAccettaSoloAvantiEdEsco)
{
    Rispondi("18");
    Scrivi("5");
    e.EseguiTasto(Cancella);
    e.EseguiTasto(Verifica);
    e.NoNo();
    e.SiSi();
    EXPECT_EQ(Coda(), "(R.18  ");
    EXPECT_EQ(m.RisposteEsatte, 1);
    EXPECT_FALSE(s().ChiusuraRichiesta);
    e.EseguiTasto(Esco);
    EXPECT_TRUE(s().ChiusuraRichiesta);
    e.EseguiTasto(-1);
    e.EseguiTasto(14);
}

TEST_F(EsercizioInCorso, ITempiSiSommanoEIlTettoValeSoloPerLeEtichette)
{
    orologio.Ora = 36000.0F;
    Ricomincia();
    orologio.Ora = 36150.7F;
    Rispondi("43");
    EXPECT_EQ(s().LblTempoParziale.Caption, "99");
    EXPECT_EQ(m.StrTempoParziale, " 150");
    orologio.Ora = 36160.0F;
    e.SiSi();
    EXPECT_EQ(m.StrTempoParziale, " 160") << "help is timed from when the problem was shown";
    EXPECT_EQ(m.StrTempoTotale, " 310");
    EXPECT_EQ(s().LblTempoTotale.Caption, " 310");

    orologio.Ora = 37000.0F;
    Avanza();
    orologio.Ora = 37099.0F;
    Rispondi("18");
    EXPECT_EQ(s().LblTempoParziale.Caption, " 99");
    EXPECT_EQ(m.StrTempoTotale, " 409");

    orologio.Ora = 38000.0F;
    Avanza();
    orologio.Ora = 38600.0F;
    Rispondi("18");
    EXPECT_EQ(m.StrTempoTotale, " 1009");
    EXPECT_EQ(s().LblTempoTotale.Caption, "999");
    EXPECT_FLOAT_EQ(ValoreNumerico(m.TempoTotale), 1009.0F);
}

TEST_F(EsercizioInCorso, UnaRispostaACavalloDellaMezzanotteNonEMaiNegativa)
{
    orologio.Ora = 86395.5F;
    Ricomincia();
    orologio.Ora = 12.0F;
    Rispondi("43");
    EXPECT_EQ(m.StrTempoParziale, " 16");
    orologio.Ora = 20.0F;
    e.SiSi();
    EXPECT_EQ(m.StrTempoParziale, " 24");
    EXPECT_EQ(m.StrTempoTotale, " 40");
}

// Every exercise numbers its problems 1 to 20, the second one included.
TEST_F(EsercizioInCorso, OgniEsercizioContaDaUnoAVenti)
{
    for (int esercizio = 1; esercizio <= 3; ++esercizio) {
        SCOPED_TRACE(esercizio);
        if (esercizio > 1) {
            Ricomincia();
        }
        EXPECT_EQ(s().LblOperazione.Caption, "1");
        for (int problema = 2; problema <= Esercizio::OperazioniPerEsercizio; ++problema) {
            Rispondi("18");
            Avanza();
        }
        EXPECT_EQ(s().LblOperazione.Caption, "20");
    }
    EXPECT_EQ(m.AvviiEsercizio, 3);
}

TEST_F(EsercizioInCorso, IlContatoreDegliAvviiAlLimiteNonRompeLEsercizio)
{
    m.AvviiEsercizio = std::numeric_limits<std::int16_t>::max();
    EXPECT_NO_THROW(Ricomincia());
    EXPECT_EQ(m.AvviiEsercizio, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(s().LblOperazione.Caption, "1");
    EXPECT_EQ(m.NumOperazioni, 1);
    EXPECT_EQ(Coda(), "(R.");
}

TEST_F(EsercizioInCorso, IlNuovoEsercizioAzzeraSoloLeSueVariabili)
{
    Rispondi("43");
    e.SiSi();
    m.ElencoOperazioni[21] = "riga di una scheda";
    m.NomeAlunno = "MARIO";
    m.TestoLivello = "livello";
    Ricomincia();
    EXPECT_EQ(m.RisposteErrate, 0);
    EXPECT_EQ(m.NumOperazioni, 1);
    EXPECT_EQ(m.StrTempoTotale, "");
    EXPECT_EQ(s().lblRisErrate.Caption, "");
    EXPECT_EQ(s().lblCorrezione.Caption, "");
    EXPECT_EQ(m.ElencoOperazioni[21], "riga di una scheda");
    EXPECT_EQ(m.NomeAlunno, "MARIO");
    EXPECT_EQ(m.TestoLivello, "livello");
    EXPECT_EQ(m.NumeroMin, 10);
}

// A whole exercise: right answers, wrong ones, help accepted, help refused
// and the intervention, then the notice and no 21st problem.
TEST_F(EsercizioInCorso, UnEsercizioCompletoDiVentiProblemi)
{
    std::array<std::string, 21> code;
    for (int problema = 1; problema <= 20; ++problema) {
        switch (problema % 4) {
        case 0:
            Rispondi("18");
            code[static_cast<std::size_t>(problema)] = "(R.18  ";
            break;
        case 1:
            Rispondi("43");
            e.SiSi();
            code[static_cast<std::size_t>(problema)] = "(R.43*  18\u00B0";
            break;
        case 2:
            Rispondi("43");
            e.NoNo();
            Rispondi("18");
            code[static_cast<std::size_t>(problema)] = "(R.43* 18  ";
            break;
        default:
            for (const char *sbagliata : {"1", "2", "3"}) {
                Rispondi(sbagliata);
                e.NoNo();
            }
            e.SiSi();
            code[static_cast<std::size_t>(problema)] = "(R.1* 2* 3*  18\u00B0";
            break;
        }
        if (problema < 20) {
            EXPECT_FALSE(e.Concluso());
            Avanza();
        }
    }
    EXPECT_TRUE(e.Concluso());
    EXPECT_EQ(s().InPrimoPiano, Pannello::Avviso);
    EXPECT_FALSE(s().Abilitato(Pannello::Tastierino));
    EXPECT_EQ(s().FuocoRichiesto, (Fuoco{Pannello::Avviso, 0}));
    EXPECT_EQ(m.NumOperazioni, 20);
    EXPECT_EQ(m.RisposteEsatte, 10);
    EXPECT_EQ(m.RisposteErrate, 5 + 5 + 15);
    EXPECT_EQ(s().lblRisEsatte.Caption, "10");
    EXPECT_EQ(s().lblRisErrate.Caption, "25");
    EXPECT_EQ(s().LblOperazione.Caption, "20");
    for (int riga = 1; riga <= 20; ++riga) {
        SCOPED_TRACE(riga);
        const std::string &testo = m.ElencoOperazioni[static_cast<std::size_t>(riga)];
        EXPECT_EQ(testo.substr(0, 35), "  36 -  ... =   30 -   12          ");
        EXPECT_EQ(testo.substr(35), code[static_cast<std::size_t>(riga)]);
    }

    e.EseguiTasto(Avanti);
    e.EseguiTasto(1);
    e.SiSi();
    EXPECT_EQ(m.NumOperazioni, 20) << "no 21st problem after the notice";
    EXPECT_TRUE(m.ElencoOperazioni[21].empty());

    Ricomincia();
    EXPECT_FALSE(e.Concluso());
    EXPECT_EQ(m.NumOperazioni, 1);
    EXPECT_TRUE(m.ElencoOperazioni[2].empty());
}

} // namespace
} // namespace lumivex
