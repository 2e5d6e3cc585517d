// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/GeneratoreScheda.h"

#include "exercise/Conversioni.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "worksheets/LivelliScheda.h"
#include "worksheets/Prestito.h"
#include "worksheets/StatoScheda.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace lumivex {

namespace {

constexpr const char *Segno = " - ";
constexpr const char *Risposta = "     R.";

// Checked before anything is drawn or written, so a bad index leaves the
// sheet and the random sequence as they were.
std::size_t IndiceRiga(int indice)
{
    if (indice < 0 || indice > StatoScheda::UltimoIndice) {
        throw std::out_of_range("indice di riga della scheda fuori da 0..65: " + std::to_string(indice));
    }
    return static_cast<std::size_t>(indice);
}

void Allinea(const std::string &numero, std::string &spazi)
{
    switch (SenzaSpazi(numero).size()) {
    case 3:
        spazi.clear();
        break;
    case 2:
        spazi = " ";
        break;
    case 1:
        spazi = "  ";
        break;
    default:
        break;
    }
}

// floor(r × quanti) + 1 with the next draw: 1..quanti, equally likely.
std::int16_t UnoFra(SorgenteCasuale &casuale, int quanti)
{
    return static_cast<std::int16_t>(std::floor(casuale.Prossimo() * static_cast<float>(quanti)) + 1);
}

// The clock a sheet built from a code reads: its reseeds must depend on the
// code alone.
class OrologioFermo final : public Orologio {
public:
    float SecondiDaMezzanotte() override { return 0.0F; }
    double SecondiMonotoni() override { return 0.0; }
    std::string DataBreve() override { return {}; }
};

// Spreads the code, read as a number, over the source's 64 bits of state.
constexpr std::uint64_t MoltiplicatoreSeme = 0x9E3779B97F4A7C15ULL;

} // namespace

GeneratoreScheda::GeneratoreScheda(Modulo2 &modulo, StatoScheda &stato, SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , s_(stato)
    , casuale_(casuale)
    , orologio_(orologio)
{
}

bool GeneratoreScheda::SceltaLivello(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(LivelliScheda.size())) {
        return false;
    }
    const LivelloScheda &livello = LivelliScheda[static_cast<std::size_t>(indice)];
    m_.NumeroMin = livello.NumeroMin;
    m_.NumeroMax = livello.NumeroMax;
    m_.TestoLivello = livello.TestoLivello;
    return true;
}

void GeneratoreScheda::GeneraSot()
{
    IndiceRiga(s_.Indice);
    casuale_.Riseme(orologio_.SecondiDaMezzanotte());
    const Quaterna q =
        EstraiConPrestito(casuale_, m_.NumeroMin, m_.NumeroMax, s_.Appoggio, s_.OpzioniInUso.Prestito);
    s_.Num1 = q.Num1;
    s_.Num2 = q.Num2;
    s_.Num3 = q.Num3;
    s_.Num4 = q.Num4;
    s_.StrNum1 = TestoConSegno(s_.Num1);
    s_.StrNum2 = TestoConSegno(s_.Num2);
    s_.StrNum3 = TestoConSegno(s_.Num3);
    s_.StrNum4 = TestoConSegno(s_.Num4);
    s_.Segno = Segno;
    AllineaScheda();
}

void GeneratoreScheda::AllineaScheda()
{
    IndiceRiga(s_.Indice);
    Allinea(s_.StrNum1, s_.Spazi1);
    Allinea(s_.StrNum2, s_.Spazi2);
    Allinea(s_.StrNum3, s_.Spazi3);
    // The fourth term is padded like the others, so its column never
    // depends on what the exercise window last showed.
    Allinea(s_.StrNum4, s_.Spazi5);
    CostruisciRiga(s_.Indice);
}

void GeneratoreScheda::CostruisciRiga(int indice)
{
    const std::size_t i = IndiceRiga(indice);
    switch (s_.OpzioniInUso.Nascosto) {
    case TermineDaNascondere::Risultato:
        s_.TermineNascosto = 4;
        break;
    case TermineDaNascondere::UnTermine:
        s_.TermineNascosto = UnoFra(casuale_, 3);
        break;
    case TermineDaNascondere::RisultatoOTermine:
        s_.TermineNascosto = UnoFra(casuale_, 4);
        break;
    }

    std::string riga;
    switch (s_.TermineNascosto) {
    case 1:
        s_.StrSoluzione = s_.StrNum1;
        riga = " ... " + s_.Segno + s_.Spazi2 + s_.StrNum2 + " = " + s_.Spazi3 + s_.StrNum3 + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    case 2:
        s_.StrSoluzione = s_.StrNum2;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + " ... = " + s_.Spazi3 + s_.StrNum3 + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    case 3:
        s_.StrSoluzione = s_.StrNum3;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + s_.Spazi2 + s_.StrNum2 + " =  ... " + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    default:
        s_.StrSoluzione = s_.StrNum4;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + s_.Spazi2 + s_.StrNum2 + " = " + s_.Spazi3 + s_.StrNum3 + s_.Segno +
               " ... ";
        break;
    }
    riga += Risposta;
    s_.RigheDocenti[i] = riga + "    (" + s_.StrSoluzione + ")";
    s_.RigheAlunni[i] = std::move(riga);
}

void GeneratoreScheda::RiempiRighe()
{
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        const auto i = static_cast<std::size_t>(riga);
        s_.Indice = static_cast<std::int16_t>(riga);
        if (s_.OpzioniInUso.InUso(riga)) {
            GeneraSot();
        } else {
            // A line left over from a larger sheet would turn up in the
            // teacher view of this one.
            s_.RigheAlunni[i].clear();
            s_.RigheDocenti[i].clear();
        }
        s_.RigheVisualizzate[i] = s_.RigheAlunni[i];
    }
}

StatoScheda GeneratoreScheda::Costruisci(const DatiScheda &dati)
{
    StatoScheda scheda;
    scheda.Codice = CodiceScheda::Componi(dati);
    scheda.CodiciCopie = {scheda.Codice};
    scheda.OpzioniInUso = dati.Opzioni;
    scheda.TestoLivelloInUso = LivelliScheda[static_cast<std::size_t>(dati.Livello)].TestoLivello;
    Modulo2 modulo;
    std::uint64_t seme = 0;
    bool conSegni = false;
    for (const char carattere : scheda.Codice) {
        const auto cifra = CodiceScheda::Alfabeto.find(carattere);
        conSegni = conSegni || cifra == std::string_view::npos;
        seme = seme * CodiceScheda::Alfabeto.size() +
               (cifra == std::string_view::npos ? CodiceScheda::Segni.find(carattere) : cifra);
    }
    // Above every value of a code without signs, so no two codes share a
    // random sequence.
    if (conSegni) {
        seme += std::uint64_t{1} << 40;
    }
    SorgenteCasualeReale casuale(seme * MoltiplicatoreSeme);
    OrologioFermo orologio;
    GeneratoreScheda generatore(modulo, scheda, casuale, orologio);
    generatore.SceltaLivello(dati.Livello);
    generatore.RiempiRighe();
    return scheda;
}

std::uint32_t GeneratoreScheda::NuovoSeme(PrestitoScheda prestito)
{
    casuale_.Riseme(orologio_.SecondiDaMezzanotte());
    // In double: a float product could round up to the number of seeds itself.
    return static_cast<std::uint32_t>(static_cast<double>(casuale_.Prossimo()) * CodiceScheda::Semi(prestito));
}

void GeneratoreScheda::Mostra(StatoScheda scheda)
{
    // The window's choices belong to the next sheet, not to this one.
    scheda.Opzioni = s_.Opzioni;
    scheda.TipoScheda = s_.TipoScheda;
    s_ = std::move(scheda);
}

bool GeneratoreScheda::VisualizzaSchedaAlunni()
{
    const auto livello = std::find_if(LivelliScheda.begin(), LivelliScheda.end(), [this](const LivelloScheda &l) {
        return l.NumeroMin == m_.NumeroMin && l.NumeroMax == m_.NumeroMax;
    });
    if (livello == LivelliScheda.end()) {
        return false;
    }
    DatiScheda dati;
    dati.Livello = static_cast<int>(livello - LivelliScheda.begin());
    dati.Opzioni = s_.Opzioni;
    dati.Seme = NuovoSeme(dati.Opzioni.Prestito);
    Mostra(Costruisci(dati));
    return true;
}

CodiceScheda::Errore GeneratoreScheda::VisualizzaSchedaDaCodice(std::string_view codice)
{
    DatiScheda dati;
    const CodiceScheda::Errore errore = CodiceScheda::Leggi(codice, dati);
    if (errore == CodiceScheda::Errore::Nessuno) {
        // The next sheet drawn follows the range of the one shown.
        SceltaLivello(dati.Livello);
        Mostra(Costruisci(dati));
    }
    return errore;
}

void GeneratoreScheda::PreparaCopie(int copie)
{
    s_.NomiCopie.clear();
    DatiScheda dati;
    copie = std::min(copie, MassimoCopie);
    if (copie < 1 || CodiceScheda::Leggi(s_.Codice, dati) != CodiceScheda::Errore::Nessuno) {
        return;
    }
    auto &codici = s_.CodiciCopie;
    if (codici.empty() || codici.front() != s_.Codice) {
        codici = {s_.Codice};
    }
    codici.resize(std::min(codici.size(), static_cast<std::size_t>(copie)));
    while (codici.size() < static_cast<std::size_t>(copie)) {
        dati.Seme = NuovoSeme(dati.Opzioni.Prestito);
        std::string codice = CodiceScheda::Componi(dati);
        // Two pupils with the same sheet is what the copies are there to prevent.
        if (std::find(codici.begin(), codici.end(), codice) == codici.end()) {
            codici.push_back(std::move(codice));
        }
    }
}

void GeneratoreScheda::PreparaClasse(const std::vector<std::string> &nomi)
{
    PreparaCopie(static_cast<int>(nomi.size()));
    if (s_.CodiciCopie.size() == std::min(nomi.size(), static_cast<std::size_t>(MassimoCopie))) {
        s_.NomiCopie.assign(nomi.begin(), nomi.begin() + static_cast<std::ptrdiff_t>(s_.CodiciCopie.size()));
    }
}

std::vector<StatoScheda> GeneratoreScheda::Copie() const
{
    std::vector<StatoScheda> pagine{s_};
    pagine.front().Nome = NomeDellaCopia(0);
    const bool docenti = s_.RigheVisualizzate[1] == s_.RigheDocenti[1] && !s_.RigheDocenti[1].empty();
    for (std::size_t i = 1; i < s_.CodiciCopie.size(); ++i) {
        DatiScheda dati;
        if (CodiceScheda::Leggi(s_.CodiciCopie[i], dati) != CodiceScheda::Errore::Nessuno) {
            continue;
        }
        StatoScheda pagina = Costruisci(dati);
        if (docenti) {
            std::copy_n(pagina.RigheDocenti.begin(), pagina.RigheVisualizzate.size(),
                        pagina.RigheVisualizzate.begin());
        }
        pagina.TipoScheda = s_.TipoScheda;
        pagina.Nome = NomeDellaCopia(i);
        pagine.push_back(std::move(pagina));
    }
    return pagine;
}

std::vector<StatoScheda> GeneratoreScheda::PagineAlunni(int copie)
{
    s_.TipoScheda = StatoScheda::SchedaAlunni;
    PreparaCopie(copie);
    return Copie();
}

std::vector<StatoScheda> GeneratoreScheda::PagineClasse(const std::vector<std::string> &nomi)
{
    s_.TipoScheda = StatoScheda::SchedaAlunni;
    PreparaClasse(nomi);
    return Copie();
}

std::vector<StatoScheda> GeneratoreScheda::PagineDocenti()
{
    s_.TipoScheda = StatoScheda::SchedaDocenti;
    return Copie();
}

void GeneratoreScheda::ScegliOpzioni(const OpzioniScheda &opzioni)
{
    s_.Opzioni = opzioni;
}

std::string GeneratoreScheda::NomeDellaCopia(std::size_t copia) const
{
    return copia < s_.NomiCopie.size() ? s_.NomiCopie[copia] : std::string();
}

void GeneratoreScheda::VisualizzaSchedaDocenti()
{
    for (std::size_t i = 1; i <= StatoScheda::RigheScheda; ++i) {
        s_.RigheVisualizzate[i] = s_.RigheDocenti[i];
    }
}

} // namespace lumivex
