// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Modulo2.h"
#include "exercise/SorgenteCasuale.h"
#include "support/Finti.h"
#include "worksheets/CodiceScheda.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/LivelliScheda.h"
#include "worksheets/StatoScheda.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumivex {
namespace {

using Errore = CodiceScheda::Errore;

DatiScheda Dati(int livello, OperazioniPerEsercizio operazioni, NumeroEsercizi esercizi,
                TermineDaNascondere nascosto, std::uint32_t seme)
{
    DatiScheda dati;
    dati.Livello = livello;
    dati.Opzioni = {operazioni, esercizi, nascosto};
    dati.Seme = seme;
    return dati;
}

struct CodiceNoto {
    DatiScheda dati;
    const char *codice;
    const char *primaRigaAlunni;
    const char *primaRigaDocenti;
};

// Catches: a change of the generator, of the random source or of the code
// layout that turns a code printed on an old sheet into another sheet.
TEST(CodiceScheda, ICodiciDiIeriDannoLeSchedeDiIeri)
{
    const std::vector<CodiceNoto> noti{
        {Dati(0, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due, TermineDaNascondere::Risultato, 0), "222222",
         "  26 -   18 =   30 -  ...      R.",
         "  26 -   18 =   30 -  ...      R.    ( 22)"},
        {Dati(1, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei, TermineDaNascondere::RisultatoOTermine, 1234), "249DQ4",
         "  68 -   44 =  ...  -   43     R.",
         "  68 -   44 =  ...  -   43     R.    ( 67)"},
        {Dati(2, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Quattro, TermineDaNascondere::UnTermine, 530168), "ZZZZ38",
         "  56 -   52 =  ...  -   61     R.",
         "  56 -   52 =  ...  -   61     R.    ( 65)"},
        {Dati(1, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Sei, TermineDaNascondere::Risultato, 77777), "6JZFBZ",
         "  67 -   51 =   58 -  ...      R.",
         "  67 -   51 =   58 -  ...      R.    ( 42)"},
        {Dati(0, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Due, TermineDaNascondere::RisultatoOTermine, 400000), "SE3MKE",
         "  32 -  ... =   28 -   11     R.",
         "  32 -  ... =   28 -   11     R.    ( 15)"},
    };
    for (const CodiceNoto &noto : noti) {
        SCOPED_TRACE(noto.codice);
        EXPECT_EQ(CodiceScheda::Componi(noto.dati), noto.codice);
        DatiScheda letti;
        ASSERT_EQ(CodiceScheda::Leggi(noto.codice, letti), Errore::Nessuno);
        const StatoScheda scheda = GeneratoreScheda::Costruisci(letti);
        EXPECT_EQ(scheda.Codice, noto.codice);
        EXPECT_EQ(scheda.RigheAlunni[1], noto.primaRigaAlunni);
        EXPECT_EQ(scheda.RigheDocenti[1], noto.primaRigaDocenti);
    }
}

// Catches: an option group, range or seed lost or mixed up on the way
// through the code; a sheet that does not follow its code's options; two
// builds of one code that differ anywhere; neighbouring seeds giving the
// same sheet.
TEST(CodiceScheda, OgniCombinazioneTornaDalCodice)
{
    std::set<std::string> codici;
    for (int livello = 0; livello < 3; ++livello) {
        for (auto operazioni : {OperazioniPerEsercizio::Cinque, OperazioniPerEsercizio::Dieci}) {
            for (auto esercizi : {NumeroEsercizi::Due, NumeroEsercizi::Quattro, NumeroEsercizi::Sei}) {
                for (auto nascosto : {TermineDaNascondere::Risultato, TermineDaNascondere::UnTermine,
                                      TermineDaNascondere::RisultatoOTermine}) {
                    for (std::uint32_t seme : {0U, 1U, 277777U, CodiceScheda::NumeroSemi - 1}) {
                        const DatiScheda dati = Dati(livello, operazioni, esercizi, nascosto, seme);
                        const std::string codice = CodiceScheda::Componi(dati);
                        SCOPED_TRACE(codice);
                        ASSERT_EQ(codice.size(), 6U);
                        codici.insert(codice);
                        DatiScheda letti;
                        ASSERT_EQ(CodiceScheda::Leggi(codice, letti), Errore::Nessuno);
                        EXPECT_EQ(letti, dati);

                        const StatoScheda scheda = GeneratoreScheda::Costruisci(letti);
                        EXPECT_EQ(scheda.OpzioniInUso, dati.Opzioni);
                        EXPECT_EQ(scheda.TestoLivelloInUso, LivelliScheda[static_cast<std::size_t>(livello)].TestoLivello);
                        for (int riga = 1; riga <= 60; ++riga) {
                            EXPECT_EQ(scheda.RigheAlunni[static_cast<std::size_t>(riga)].empty(),
                                      !dati.Opzioni.InUso(riga));
                        }
                        EXPECT_TRUE(GeneratoreScheda::Costruisci(letti) == scheda);
                    }
                }
            }
        }
    }
    EXPECT_EQ(codici.size(), 54U * 4U);

    const StatoScheda a = GeneratoreScheda::Costruisci(Dati(1, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei,
                                                            TermineDaNascondere::RisultatoOTermine, 100));
    const StatoScheda b = GeneratoreScheda::Costruisci(Dati(1, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei,
                                                            TermineDaNascondere::RisultatoOTermine, 101));
    EXPECT_NE(a.RigheAlunni, b.RigheAlunni);
}

// Catches: a code of the wrong length, with a look-alike or foreign
// character, or with any one character changed (or two neighbours swapped)
// taken for another sheet; a value past the last seed read as a sheet;
// a code typed in lower case or with blanks around refused.
TEST(CodiceScheda, ICodiciSbagliatiSonoRifiutati)
{
    const std::string buono = CodiceScheda::Componi(
        Dati(2, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Quattro, TermineDaNascondere::UnTermine, 424242));
    DatiScheda dati;
    ASSERT_EQ(CodiceScheda::Leggi(buono, dati), Errore::Nessuno);
    const DatiScheda giusti = dati;

    for (const std::string &corto : {std::string(), std::string("   "), buono.substr(0, 5), buono + "2",
                                     buono + buono}) {
        EXPECT_EQ(CodiceScheda::Leggi(corto, dati), Errore::Lunghezza) << corto;
    }
    for (std::size_t i = 0; i < buono.size(); ++i) {
        for (char simile : {'0', 'O', '1', 'I', 'L', 'o', 'l', '-'}) {
            std::string cambiato = buono;
            cambiato[i] = simile;
            EXPECT_EQ(CodiceScheda::Leggi(cambiato, dati), Errore::Carattere) << cambiato;
        }
        for (char altro : CodiceScheda::Alfabeto) {
            std::string cambiato = buono;
            if (cambiato[i] == altro) {
                continue;
            }
            cambiato[i] = altro;
            EXPECT_EQ(CodiceScheda::Leggi(cambiato, dati), Errore::Controllo) << cambiato;
        }
        if (i + 1 < buono.size() && buono[i] != buono[i + 1]) {
            std::string scambiato = buono;
            std::swap(scambiato[i], scambiato[i + 1]);
            EXPECT_EQ(CodiceScheda::Leggi(scambiato, dati), Errore::Controllo) << scambiato;
        }
    }
    EXPECT_EQ(dati, giusti) << "a refused code must leave the data alone";

    // "ZZZZZ" is past 54 × NumeroSemi: its check is right, its value no sheet.
    std::string oltre = "ZZZZZ";
    for (char c : CodiceScheda::Alfabeto) {
        if (CodiceScheda::Leggi(oltre + c, dati) != Errore::Carattere) {
            EXPECT_EQ(CodiceScheda::Leggi(oltre + c, dati), Errore::Controllo);
        }
    }
    EXPECT_THROW(CodiceScheda::Componi(Dati(0, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due,
                                            TermineDaNascondere::Risultato, CodiceScheda::NumeroSemi)),
                 std::out_of_range);
    EXPECT_THROW(CodiceScheda::Componi(Dati(3, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due,
                                            TermineDaNascondere::Risultato, 0)),
                 std::out_of_range);

    std::string minuscolo = "  " + buono + " ";
    for (char &c : minuscolo) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(CodiceScheda::Leggi(minuscolo, dati), Errore::Nessuno);
    EXPECT_EQ(dati, giusti);
}

// Catches: a borrowing choice lost, or taken for another, on the way
// through the code; a code with borrowing that reads as an old sheet of
// mixed borrowing; a seed, level or option of such a code mixed up; a seed
// past the last one accepted; a change of the layout of these codes that
// turns a printed one into another sheet.
TEST(CodiceScheda, IlPrestitoViaggiaNelCodice)
{
    std::set<std::string> codici;
    for (auto prestito : {PrestitoScheda::Senza, PrestitoScheda::Con, PrestitoScheda::Misto}) {
        for (int combinazione = 0; combinazione < 54; ++combinazione) {
            for (std::uint32_t seme : {0U, 1U, 2222U, CodiceScheda::Semi(prestito) - 1}) {
                DatiScheda dati;
                dati.Livello = combinazione / 18;
                dati.Opzioni.Operazioni =
                    combinazione / 9 % 2 == 0 ? OperazioniPerEsercizio::Cinque : OperazioniPerEsercizio::Dieci;
                dati.Opzioni.Esercizi = std::array{NumeroEsercizi::Due, NumeroEsercizi::Quattro,
                                                   NumeroEsercizi::Sei}[static_cast<std::size_t>(combinazione / 3 % 3)];
                dati.Opzioni.Nascosto =
                    std::array{TermineDaNascondere::Risultato, TermineDaNascondere::UnTermine,
                               TermineDaNascondere::RisultatoOTermine}[static_cast<std::size_t>(combinazione % 3)];
                dati.Opzioni.Prestito = prestito;
                dati.Seme = seme;
                const std::string codice = CodiceScheda::Componi(dati);
                SCOPED_TRACE(codice);
                ASSERT_EQ(codice.size(), 6U);
                EXPECT_EQ(codice.find_first_of(CodiceScheda::Segni) != std::string::npos,
                          prestito != PrestitoScheda::Misto);
                codici.insert(codice);
                DatiScheda letti;
                ASSERT_EQ(CodiceScheda::Leggi(codice, letti), Errore::Nessuno);
                EXPECT_EQ(letti, dati);
            }
        }
    }
    EXPECT_EQ(codici.size(), 3U * 54U * 4U);

    DatiScheda oltre;
    oltre.Opzioni.Prestito = PrestitoScheda::Senza;
    oltre.Seme = CodiceScheda::NumeroSemiPrestito;
    EXPECT_THROW(CodiceScheda::Componi(oltre), std::out_of_range);
    // "%%ZZZ" is past 108 × the seeds: its check is right, its value no sheet.
    for (char c : CodiceScheda::Alfabeto) {
        DatiScheda dati;
        const Errore errore = CodiceScheda::Leggi(std::string("%%ZZZ") + c, dati);
        EXPECT_TRUE(errore == Errore::Controllo) << c;
    }

    DatiScheda senza = Dati(1, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei, TermineDaNascondere::Risultato, 17);
    senza.Opzioni.Prestito = PrestitoScheda::Senza;
    DatiScheda con = Dati(2, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due, TermineDaNascondere::UnTermine, 4412);
    con.Opzioni.Prestito = PrestitoScheda::Con;
    const std::vector<CodiceNoto> noti{
        {senza, "++3YBG", "  66 -   54 =   55 -  ...      R.", "  66 -   54 =   55 -  ...      R.    ( 43)"},
        {con, "%%ZXTE", "  92 -  ... =   80 -   51     R.", "  92 -  ... =   80 -   51     R.    ( 63)"},
    };
    for (const CodiceNoto &noto : noti) {
        SCOPED_TRACE(noto.codice);
        EXPECT_EQ(CodiceScheda::Componi(noto.dati), noto.codice);
        const StatoScheda scheda = GeneratoreScheda::Costruisci(noto.dati);
        EXPECT_EQ(scheda.RigheAlunni[1], noto.primaRigaAlunni);
        EXPECT_EQ(scheda.RigheDocenti[1], noto.primaRigaDocenti);
    }
}

// Catches: one changed character or two swapped neighbours of a code with
// borrowing taken for a sheet (a sign changed into a letter making an old
// code, a sign moved out of its place, a sign changed into another).
TEST(CodiceScheda, ICodiciColPrestitoRifiutanoOgniErrore)
{
    for (auto prestito : {PrestitoScheda::Senza, PrestitoScheda::Con}) {
        for (std::uint32_t seme : {0U, 1000U, 4412U}) {
            DatiScheda dati = Dati(1, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Quattro,
                                   TermineDaNascondere::RisultatoOTermine, seme);
            dati.Opzioni.Prestito = prestito;
            const std::string buono = CodiceScheda::Componi(dati);
            SCOPED_TRACE(buono);
            DatiScheda letti;
            ASSERT_EQ(CodiceScheda::Leggi(buono, letti), Errore::Nessuno);
            std::string tutti(CodiceScheda::Alfabeto);
            tutti += CodiceScheda::Segni;
            for (std::size_t i = 0; i < buono.size(); ++i) {
                for (char altro : tutti) {
                    std::string cambiato = buono;
                    if (cambiato[i] == altro) {
                        continue;
                    }
                    cambiato[i] = altro;
                    EXPECT_EQ(CodiceScheda::Leggi(cambiato, letti), Errore::Controllo) << cambiato;
                }
                if (i + 1 < buono.size() && buono[i] != buono[i + 1]) {
                    std::string scambiato = buono;
                    std::swap(scambiato[i], scambiato[i + 1]);
                    EXPECT_EQ(CodiceScheda::Leggi(scambiato, letti), Errore::Controllo) << scambiato;
                }
            }
            EXPECT_EQ(letti, dati) << "a refused code must leave the data alone";
        }
    }
    // A sign put into an old code anywhere is no sheet either.
    const std::string vecchio = "249DQ4";
    for (std::size_t i = 0; i < vecchio.size(); ++i) {
        for (char segno : CodiceScheda::Segni) {
            std::string cambiato = vecchio;
            cambiato[i] = segno;
            DatiScheda letti;
            EXPECT_EQ(CodiceScheda::Leggi(cambiato, letti), Errore::Controllo) << cambiato;
        }
    }
}

struct Finestra {
    Modulo2 m;
    StatoScheda s;
    SorgenteCasualeReale casuale{99};
    prove::OrologioFinto orologio;
    GeneratoreScheda g{m, s, casuale, orologio};
};

// Catches: a drawn sheet that its own code does not rebuild; a sheet from a
// code taking the window's options instead of the code's, or changing the
// choices the window shows; an invalid code touching the sheet; a range
// that is no worksheet range drawing a sheet whose code lies about it.
TEST(GeneratoreCodice, LaSchedaMostrataEQuellaDelSuoCodice)
{
    Finestra f;
    f.m.NumeroMin = 10;
    f.m.NumeroMax = 50;
    EXPECT_FALSE(f.g.VisualizzaSchedaAlunni());
    EXPECT_TRUE(f.s == StatoScheda{});

    f.g.SceltaLivello(2);
    f.s.Opzioni.Esercizi = NumeroEsercizi::Quattro;
    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    const StatoScheda disegnata = f.s;
    DatiScheda dati;
    ASSERT_EQ(CodiceScheda::Leggi(disegnata.Codice, dati), Errore::Nessuno);
    EXPECT_EQ(dati.Livello, 2);
    EXPECT_EQ(dati.Opzioni, f.s.Opzioni);
    const StatoScheda ricostruita = GeneratoreScheda::Costruisci(dati);
    EXPECT_EQ(ricostruita.RigheAlunni, disegnata.RigheAlunni);
    EXPECT_EQ(ricostruita.RigheDocenti, disegnata.RigheDocenti);

    const std::string altro = CodiceScheda::Componi(
        Dati(0, OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due, TermineDaNascondere::Risultato, 7));
    f.s.TipoScheda = StatoScheda::SchedaDocenti;
    ASSERT_EQ(f.g.VisualizzaSchedaDaCodice(altro), Errore::Nessuno);
    EXPECT_EQ(f.s.Codice, altro);
    EXPECT_EQ(f.s.OpzioniInUso.Esercizi, NumeroEsercizi::Due);
    EXPECT_EQ(f.s.Opzioni.Esercizi, NumeroEsercizi::Quattro) << "the window's choice is for the next sheet";
    EXPECT_EQ(f.s.TipoScheda, StatoScheda::SchedaDocenti);
    EXPECT_EQ(f.s.TestoLivelloInUso, LivelliScheda[0].TestoLivello);
    f.g.VisualizzaSchedaDocenti();
    EXPECT_EQ(f.s.RigheVisualizzate[1], GeneratoreScheda::Costruisci(Dati(0, OperazioniPerEsercizio::Cinque,
                                                                          NumeroEsercizi::Due,
                                                                          TermineDaNascondere::Risultato, 7))
                                            .RigheDocenti[1]);

    const StatoScheda prima = f.s;
    EXPECT_EQ(f.g.VisualizzaSchedaDaCodice(altro.substr(1)), Errore::Lunghezza);
    EXPECT_TRUE(f.s == prima);
}

// Catches: copies that repeat a sheet or the one shown not first; a
// reprint drawing new sheets, so the teacher's answers no longer match;
// copies with the window's new options rather than the sheet's; a new
// sheet keeping the copies of the old one.
TEST(GeneratoreCodice, CopieDiverseStabiliEDellaStessaForma)
{
    Finestra f;
    f.g.SceltaLivello(0);
    f.orologio.Ora = 100.0F;
    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    EXPECT_EQ(f.s.CodiciCopie, std::vector<std::string>{f.s.Codice});
    f.s.Opzioni.Operazioni = OperazioniPerEsercizio::Cinque;

    f.g.PreparaCopie(40);
    const std::vector<std::string> copie = f.s.CodiciCopie;
    ASSERT_EQ(copie.size(), 40U);
    EXPECT_EQ(copie.front(), f.s.Codice);
    std::set<std::vector<std::string>> fogli;
    for (const std::string &codice : copie) {
        DatiScheda dati;
        ASSERT_EQ(CodiceScheda::Leggi(codice, dati), Errore::Nessuno);
        EXPECT_EQ(dati.Livello, 0);
        EXPECT_EQ(dati.Opzioni, f.s.OpzioniInUso);
        const StatoScheda scheda = GeneratoreScheda::Costruisci(dati);
        fogli.insert({scheda.RigheAlunni.begin(), scheda.RigheAlunni.end()});
    }
    EXPECT_EQ(fogli.size(), 40U);

    f.g.PreparaCopie(30);
    EXPECT_EQ(f.s.CodiciCopie, std::vector<std::string>(copie.begin(), copie.begin() + 30));
    f.g.PreparaCopie(31);
    EXPECT_EQ(std::vector<std::string>(f.s.CodiciCopie.begin(), f.s.CodiciCopie.begin() + 30), 
              std::vector<std::string>(copie.begin(), copie.begin() + 30));

    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    EXPECT_EQ(f.s.CodiciCopie, std::vector<std::string>{f.s.Codice});
}

// Catches: a print in the size of the other kind (the kind left over from
// the print before, or only the first page set); a teacher print that makes
// copies of its own instead of following the pupils'; options chosen in the
// window changing the sheet already shown.
TEST(GeneratoreCodice, LeStampePortanoIlLoroTipoEDocentiSegueAlunni)
{
    Finestra f;
    f.g.SceltaLivello(1);
    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    const OpzioniScheda inUso = f.s.OpzioniInUso;
    OpzioniScheda scelte;
    scelte.Esercizi = NumeroEsercizi::Due;
    f.g.ScegliOpzioni(scelte);
    EXPECT_EQ(f.s.Opzioni, scelte);
    EXPECT_EQ(f.s.OpzioniInUso, inUso);

    const auto codiciETipi = [](const std::vector<StatoScheda> &pagine) {
        std::vector<std::pair<std::string, std::int16_t>> visti;
        for (const StatoScheda &pagina : pagine) {
            visti.emplace_back(pagina.Codice, pagina.TipoScheda);
        }
        return visti;
    };
    for (int giro = 0; giro < 2; ++giro) {
        SCOPED_TRACE(giro);
        const auto alunni = codiciETipi(f.g.PagineAlunni(3));
        ASSERT_EQ(alunni.size(), 3U);
        f.g.VisualizzaSchedaDocenti();
        const auto docenti = codiciETipi(f.g.PagineDocenti());
        ASSERT_EQ(docenti.size(), 3U);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(alunni[i].first, f.s.CodiciCopie[i]);
            EXPECT_EQ(alunni[i].second, StatoScheda::SchedaAlunni);
            EXPECT_EQ(docenti[i].first, alunni[i].first);
            EXPECT_EQ(docenti[i].second, StatoScheda::SchedaDocenti);
        }
    }
}

// Catches: a sheet from a code leaving the range of another sheet in force,
// so the range shown above it and the next pupil sheet are not the code's;
// more copies than a class made from a number typed too large.
TEST(GeneratoreCodice, IlCodicePortaIlSuoLivelloEAlPiuQuarantaCopie)
{
    Finestra f;
    f.g.SceltaLivello(1);
    const std::string codice = CodiceScheda::Componi(
        Dati(0, OperazioniPerEsercizio::Dieci, NumeroEsercizi::Sei, TermineDaNascondere::RisultatoOTermine, 11));
    ASSERT_EQ(f.g.VisualizzaSchedaDaCodice(codice), Errore::Nessuno);
    EXPECT_TRUE(f.m.NumeroMin == 10 && f.m.NumeroMax == 40);
    EXPECT_EQ(f.m.TestoLivello, LivelliScheda[0].TestoLivello);
    EXPECT_EQ(f.s.TestoLivelloInUso, f.m.TestoLivello);
    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    EXPECT_EQ(f.s.TestoLivelloInUso, LivelliScheda[0].TestoLivello);

    Finestra g;
    EXPECT_EQ(g.g.VisualizzaSchedaDaCodice(codice), Errore::Nessuno);
    EXPECT_TRUE(g.g.VisualizzaSchedaAlunni()) << "a pupil sheet in a program where no range was chosen";

    f.g.PreparaCopie(41);
    EXPECT_EQ(f.s.CodiciCopie.size(), static_cast<std::size_t>(GeneratoreScheda::MassimoCopie));
    f.g.PreparaCopie(1000);
    EXPECT_EQ(f.s.CodiciCopie.size(), 40U);
}

} // namespace
} // namespace lumivex

namespace lumivex {
namespace {

// Catches: a class set whose names and sheets do not pair up in order, two
// pupils with one sheet, the teacher pages losing the names or their order,
// names left over on a print of plain copies, a class of more than forty
// making more pages than a print allows; a class without borrowing
// getting sheets with it.
TEST(GeneratoreCodice, UnaSchedaDiversaPerOgniAlunno)
{
    Finestra f;
    f.g.SceltaLivello(1);
    f.s.Opzioni.Prestito = PrestitoScheda::Senza;
    ASSERT_TRUE(f.g.VisualizzaSchedaAlunni());
    std::vector<std::string> nomi;
    for (int i = 0; i < 25; ++i) {
        nomi.push_back("Alunno " + std::to_string(i) + (i == 3 ? " D'Angelo" : i == 4 ? " Nicolò" : ""));
    }
    f.s.TipoScheda = StatoScheda::SchedaAlunni;
    f.g.PreparaClasse(nomi);
    const std::vector<StatoScheda> alunni = f.g.Copie();
    ASSERT_EQ(alunni.size(), 25U);
    std::set<std::string> codici;
    for (std::size_t i = 0; i < alunni.size(); ++i) {
        EXPECT_EQ(alunni[i].Nome, nomi[i]);
        codici.insert(alunni[i].Codice);
        EXPECT_EQ(alunni[i].OpzioniInUso.Prestito, PrestitoScheda::Senza);
    }
    EXPECT_EQ(codici.size(), 25U);

    f.g.VisualizzaSchedaDocenti();
    f.s.TipoScheda = StatoScheda::SchedaDocenti;
    const std::vector<StatoScheda> docenti = f.g.Copie();
    ASSERT_EQ(docenti.size(), 25U);
    for (std::size_t i = 0; i < docenti.size(); ++i) {
        EXPECT_EQ(docenti[i].Nome, nomi[i]);
        EXPECT_EQ(docenti[i].Codice, alunni[i].Codice);
        EXPECT_EQ(docenti[i].RigheVisualizzate[1], alunni[i].RigheDocenti[1]);
    }

    f.g.PreparaCopie(3);
    for (const StatoScheda &pagina : f.g.Copie()) {
        EXPECT_TRUE(pagina.Nome.empty());
    }
    nomi.resize(45, "Altro");
    f.g.PreparaClasse(nomi);
    EXPECT_EQ(f.g.Copie().size(), static_cast<std::size_t>(GeneratoreScheda::MassimoCopie));
}

} // namespace
} // namespace lumivex
