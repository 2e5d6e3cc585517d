// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/CodaCups.h"

#include "printing/AttesaLimitata.h"
#include "printing/ErroreStampa.h"
#include "printing/FunzioniCups.h"
#include "printing/RegistroStampa.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace lumivex {

namespace {

// Only reached once LibreriaDisponibile() has said yes.
const FunzioniCups &Cups()
{
    return *FunzioniCupsDelSistema().Funzioni;
}

// What a call on its own thread brings back: plain data, turned into a
// fault on the window's thread.
enum class Risposta {
    Ricevuta,
    NonRisponde,
    Rifiutata, // the print system answered no: Codice says why
};

struct EsitoCups {
    Risposta Stato = Risposta::NonRisponde;
    ipp_status_t Codice = IPP_STATUS_OK;
    std::string Descrizione; // the print system's own words: they live in the calling thread only
};

int Arrenditi(http_t *, void *)
{
    return 0;
}

// A connection of the calling thread's own. Its limits let a call that was
// given up on still end by itself, however long the server stays silent.
class Collegamento {
public:
    Collegamento()
        : http_(Cups().httpConnect2(Cups().cupsServer(), Cups().ippPort(), nullptr, AF_UNSPEC,
                                    Cups().cupsEncryption(), 1, static_cast<int>(LimiteServizioStampa.count()),
                                    nullptr))
    {
        if (http_ != nullptr) {
            Cups().httpSetTimeout(http_, static_cast<double>(LimiteServizioStampa.count()) / 1000.0, Arrenditi,
                                  nullptr);
        }
    }
    ~Collegamento()
    {
        if (http_ != nullptr) {
            Cups().httpClose(http_);
        }
    }
    Collegamento(const Collegamento &) = delete;
    Collegamento &operator=(const Collegamento &) = delete;

    http_t *Http() const { return http_; }

private:
    http_t *http_;
};

// A stopped server still takes connections (the kernel queues them), so
// only an answer to a request proves it is there.
bool Risponde(http_t *http)
{
    ipp_t *risposta = Cups().cupsDoRequest(http, Cups().ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool risponde = risposta != nullptr;
    Cups().ippDelete(risposta);
    return risponde;
}

// The last request failed: was it the server, or its answer?
EsitoCups Fallimento(http_t *http)
{
    const ipp_status_t codice = Cups().cupsLastError();
    std::string descrizione = Cups().cupsLastErrorString();
    if (codice == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || !Risponde(http)) {
        return {Risposta::NonRisponde, codice, std::move(descrizione)};
    }
    return {Risposta::Rifiutata, codice, std::move(descrizione)};
}

// A print system is expected when one is named (CUPS_SERVER or the client
// configuration) or a local one is installed, running or not; otherwise the
// machine simply has none, and the PDF printer is all there is.
bool ServizioPrevisto()
{
    const char *server = std::getenv("CUPS_SERVER");
    if (server != nullptr && *server != '\0') {
        return true;
    }
    if (std::strcmp(Cups().cupsServer(), "localhost") != 0) {
        return true;
    }
    std::error_code ignorato;
    return std::filesystem::exists("/usr/sbin/cupsd", ignorato);
}

GuastoStampa GuastoDelRifiuto(ipp_status_t codice)
{
    switch (codice) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return GuastoStampa::StampanteNonPiuInstallata;
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED:
        return GuastoStampa::NonAccettaStampe;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return GuastoStampa::PermessoNegato;
    default:
        return GuastoStampa::PaginaRifiutata;
    }
}

ErroreStampa Rifiuto(const std::string &stampante, const EsitoCups &esito)
{
    DettaglioStampa dettaglio = DettaglioStampa::DellaStampante(stampante, esito.Descrizione);
    dettaglio.Codice = static_cast<int>(esito.Codice);
    return ErroreStampa(GuastoDelRifiuto(esito.Codice), std::move(dettaglio));
}

// A call that brought nothing back, or an answer from no server.
ErroreStampa Silenzio(GuastoStampa guasto, const std::string &stampante, const EsitoCups *esito)
{
    DettaglioStampa dettaglio = DettaglioStampa::DellaStampante(stampante);
    if (esito == nullptr) {
        dettaglio.Sistema = "no answer within " + std::to_string(LimiteServizioStampa.count()) + " ms";
    } else {
        dettaglio.Codice = static_cast<int>(esito->Codice);
        dettaglio.Sistema = esito->Descrizione;
    }
    return ErroreStampa(guasto, std::move(dettaglio));
}

template <typename T>
std::optional<T> Limitata(std::function<T()> chiamata)
{
    try {
        return ChiamataLimitata(std::move(chiamata));
    } catch (const std::system_error &errore) {
        // No thread to run it on.
        throw ErroreStampa(GuastoStampa::InterrogazioneImpossibile, DettaglioStampa::DelSistema(errore.what()));
    }
}

struct RispostaElenco {
    EsitoCups Esito;
    CodaCups::Elenco Elenco;
};

RispostaElenco ElencaOra()
{
    const Collegamento collegamento;
    if (collegamento.Http() == nullptr || !Risponde(collegamento.Http())) {
        return {};
    }
    RispostaElenco risposta;
    risposta.Esito.Stato = Risposta::Ricevuta;
    cups_dest_t *destinazioni = nullptr;
    const int quante = Cups().cupsGetDests2(collegamento.Http(), &destinazioni);
    for (int i = 0; i < quante; ++i) {
        std::string nome = destinazioni[i].name;
        if (destinazioni[i].instance != nullptr) {
            nome += std::string("/") + destinazioni[i].instance;
        }
        if (destinazioni[i].is_default != 0) {
            risposta.Elenco.Predefinita = nome;
        }
        risposta.Elenco.Stampanti.push_back(std::move(nome));
    }
    Cups().cupsFreeDests(quante, destinazioni);
    return risposta;
}

struct RispostaFoglio {
    EsitoCups Esito;
    std::optional<CodaCups::Foglio> Foglio;
};

RispostaFoglio FoglioOra(const std::string &stampante)
{
    const Collegamento collegamento;
    http_t *http = collegamento.Http();
    if (http == nullptr) {
        return {};
    }
    cups_dest_t *destinazione = Cups().cupsGetNamedDest(http, stampante.c_str(), nullptr);
    if (destinazione == nullptr) {
        return {Fallimento(http), {}};
    }
    RispostaFoglio risposta{{Risposta::Ricevuta, IPP_STATUS_OK, {}}, {}};
    cups_dinfo_t *informazioni = Cups().cupsCopyDestInfo(http, destinazione);
    cups_size_t foglio{};
    if (informazioni != nullptr
        && Cups().cupsGetDestMediaDefault(http, destinazione, informazioni, CUPS_MEDIA_FLAGS_DEFAULT, &foglio) != 0
        && foglio.width > 0 && foglio.length > 0) {
        risposta.Foglio =
            CodaCups::Foglio{foglio.width, foglio.length, foglio.left, foglio.right, foglio.top, foglio.bottom};
    }
    Cups().cupsFreeDestInfo(informazioni);
    Cups().cupsFreeDests(1, destinazione);
    return risposta;
}

struct RispostaInvio {
    EsitoCups Esito;
    bool PaginaPartita = false; // from here a silent server may still print it
    bool InPausa = false;
};

bool InPausa(http_t *http, const std::string &stampante)
{
    cups_dest_t *destinazione = Cups().cupsGetNamedDest(http, stampante.c_str(), nullptr);
    if (destinazione == nullptr) {
        return false;
    }
    const char *stato = Cups().cupsGetOption("printer-state", destinazione->num_options, destinazione->options);
    const bool ferma = stato != nullptr && std::atoi(stato) == IPP_PSTATE_STOPPED;
    Cups().cupsFreeDests(1, destinazione);
    return ferma;
}

RispostaInvio InviaOra(const std::string &stampante, const std::string &pdf, const std::string &titolo)
{
    const Collegamento collegamento;
    http_t *http = collegamento.Http();
    if (http == nullptr) {
        return {};
    }
    const int lavoro = Cups().cupsCreateJob(http, stampante.c_str(), titolo.c_str(), 0, nullptr);
    if (lavoro == 0) {
        qCWarning(RegistroStampa).noquote() << "CUPS refused a job on" << QString::fromStdString(stampante) << ":"
                                            << QString::fromUtf8(Cups().cupsLastErrorString());
        return {Fallimento(http), false, false};
    }
    qCInfo(RegistroStampa).noquote() << "CUPS job" << lavoro << "on" << QString::fromStdString(stampante) << ":"
                                     << QString::fromStdString(titolo) << "," << pdf.size() << "bytes";
    if (Cups().cupsStartDocument(http, stampante.c_str(), lavoro, titolo.c_str(), CUPS_FORMAT_PDF, 1)
            != HTTP_STATUS_CONTINUE
        || Cups().cupsWriteRequestData(http, pdf.data(), pdf.size()) != HTTP_STATUS_CONTINUE
        || Cups().cupsFinishDocument(http, stampante.c_str()) > IPP_STATUS_OK_CONFLICTING) {
        qCWarning(RegistroStampa).noquote() << "CUPS job" << lavoro << "on" << QString::fromStdString(stampante)
                                            << "lost its page:" << QString::fromUtf8(Cups().cupsLastErrorString());
        const EsitoCups esito = Fallimento(http);
        // A job without its page must not wait in the queue.
        Cups().cupsCancelJob2(http, stampante.c_str(), lavoro, 0);
        return {esito, true, false};
    }
    return {{Risposta::Ricevuta, IPP_STATUS_OK, {}}, true, InPausa(http, stampante)};
}

// Opens the print library on the calling thread, once, before any call that
// is waited for under a time limit.
bool LibreriaDisponibile()
{
    const CaricamentoCups &libreria = FunzioniCupsDelSistema();
    if (!libreria.Funzioni) {
        qCWarning(RegistroStampa).noquote() << "no print library:" << QString::fromStdString(libreria.Errore);
    }
    return libreria.Funzioni.has_value();
}

ErroreStampa SenzaLibreria(const std::string &stampante)
{
    return ErroreStampa(GuastoStampa::ServizioNonRisponde,
                        DettaglioStampa::DellaStampante(stampante, FunzioniCupsDelSistema().Errore));
}

} // namespace

CodaCups::Elenco CodaCups::Elenca()
{
    // Without the print library the machine has no print system to ask.
    if (!LibreriaDisponibile()) {
        return {};
    }
    const std::optional<RispostaElenco> risposta = Limitata<RispostaElenco>(ElencaOra);
    if (risposta && risposta->Esito.Stato == Risposta::Ricevuta) {
        return risposta->Elenco;
    }
    if (ServizioPrevisto()) {
        throw Silenzio(GuastoStampa::ServizioNonRisponde, {}, risposta ? &risposta->Esito : nullptr);
    }
    return {};
}

std::optional<CodaCups::Foglio> CodaCups::FoglioDi(const std::string &stampante)
{
    if (!LibreriaDisponibile()) {
        throw SenzaLibreria(stampante);
    }
    const std::optional<RispostaFoglio> risposta =
        Limitata<RispostaFoglio>([stampante] { return FoglioOra(stampante); });
    if (!risposta || risposta->Esito.Stato == Risposta::NonRisponde) {
        throw Silenzio(GuastoStampa::ServizioNonRisponde, stampante, risposta ? &risposta->Esito : nullptr);
    }
    if (risposta->Esito.Stato == Risposta::Rifiutata) {
        throw Rifiuto(stampante, risposta->Esito);
    }
    return risposta->Foglio;
}

CodaCups::Consegna CodaCups::Invia(const std::string &stampante, std::string pdf, const std::string &titolo)
{
    if (!LibreriaDisponibile()) {
        throw SenzaLibreria(stampante);
    }
    const std::optional<RispostaInvio> risposta = Limitata<RispostaInvio>(
        [stampante, pdf = std::move(pdf), titolo] { return InviaOra(stampante, pdf, titolo); });
    if (!risposta) {
        // The job may be in the queue already: say so, and never send it again.
        throw Silenzio(GuastoStampa::InvioSenzaRisposta, stampante, nullptr);
    }
    switch (risposta->Esito.Stato) {
    case Risposta::Ricevuta:
        return risposta->InPausa ? Consegna::InPausa : Consegna::Accettata;
    case Risposta::Rifiutata:
        throw Rifiuto(stampante, risposta->Esito);
    case Risposta::NonRisponde:
        break;
    }
    if (!risposta->PaginaPartita) {
        throw Silenzio(GuastoStampa::ServizioNonRisponde, stampante, &risposta->Esito);
    }
    // The page went out but its answer never came: it may have been taken.
    throw Silenzio(GuastoStampa::InvioSenzaRisposta, stampante, &risposta->Esito);
}

} // namespace lumivex
