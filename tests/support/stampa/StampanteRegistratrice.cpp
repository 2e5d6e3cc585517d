// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/stampa/StampanteRegistratrice.h"

#include "printing/ErroreStampa.h"

#include <sstream>

namespace lumivex::prove {

namespace {

std::string Numero(double valore)
{
    std::ostringstream testo;
    testo << valore;
    return testo.str();
}

} // namespace

void StampanteRegistratrice::Registra(const std::string &operazione) const
{
    Operazioni.push_back(operazione);
    if (GuastoSu && operazione.starts_with(*GuastoSu)) {
        throw ErroreStampa(Guasto, DettaglioStampa::DellaStampante(Corrente, "Guasto di prova su " + operazione));
    }
}

// Output and settings belong to the document: the first output opens it.
void StampanteRegistratrice::Disegna(const std::string &operazione)
{
    aperto_ = true;
    documento_.push_back(operazione);
}

std::vector<Dispositivo> StampanteRegistratrice::Printers() const
{
    Registra("Printers");
    std::vector<Dispositivo> elenco;
    for (const std::string &nome : Stampanti) {
        elenco.push_back({nome});
    }
    return elenco;
}

std::string StampanteRegistratrice::DeviceName(const Dispositivo &dispositivo) const
{
    Registra("DeviceName " + dispositivo.Nome);
    return dispositivo.Nome;
}

Dispositivo StampanteRegistratrice::Printer() const
{
    Registra("Printer");
    return {Corrente};
}

void StampanteRegistratrice::Printer(const Dispositivo &dispositivo)
{
    Registra("Printer " + dispositivo.Nome);
    Corrente = dispositivo.Nome;
}

int StampanteRegistratrice::FontCount() const
{
    Registra("FontCount");
    return static_cast<int>(ElencoFont.size());
}

std::string StampanteRegistratrice::Fonts(int indice) const
{
    Registra("Fonts " + std::to_string(indice));
    return ElencoFont.at(static_cast<std::size_t>(indice));
}

void StampanteRegistratrice::FontName(const std::string &nome)
{
    Registra("FontName " + nome);
    font_ = nome;
}

void StampanteRegistratrice::FontSize(double punti)
{
    Registra("FontSize " + Numero(punti));
    punti_ = punti;
}

void StampanteRegistratrice::FontBold(bool grassetto)
{
    Registra(std::string("FontBold ") + (grassetto ? "True" : "False"));
    grassetto_ = grassetto;
}

void StampanteRegistratrice::CurrentX(double twip)
{
    Registra("CurrentX " + Numero(twip));
    x_ = twip;
}

void StampanteRegistratrice::CurrentY(double twip)
{
    Registra("CurrentY " + Numero(twip));
    y_ = twip;
}

double StampanteRegistratrice::CurrentX() const
{
    return x_;
}

double StampanteRegistratrice::CurrentY() const
{
    return y_;
}

double StampanteRegistratrice::ScaleWidth()
{
    Registra("ScaleWidth");
    aperto_ = true;
    return LarghezzaArea;
}

double StampanteRegistratrice::ScaleHeight()
{
    Registra("ScaleHeight");
    aperto_ = true;
    return AltezzaArea;
}

void StampanteRegistratrice::Print(const std::string &testo, ACapo aCapo)
{
    const std::string operazione = "Print \"" + testo + "\"" + (aCapo == ACapo::Si ? "" : ";");
    Registra(operazione);
    Disegna(operazione);
    Testi.push_back({testo, font_, punti_, grassetto_});
    if (aCapo == ACapo::Si) {
        // One line of a font is taken as its size: enough to see the move.
        x_ = 0.0;
        y_ += punti_ * 20.0;
    }
}

void StampanteRegistratrice::Print()
{
    Registra("Print");
    Disegna("Print");
    x_ = 0.0;
    y_ += punti_ * 20.0;
}

void StampanteRegistratrice::PaintPicture(const QImage &immagine, double x, double y, double larghezza,
                                          double altezza)
{
    const std::string operazione = "PaintPicture " + std::to_string(immagine.width()) + "x"
                                   + std::to_string(immagine.height()) + " " + Numero(x) + " " + Numero(y) + " "
                                   + Numero(larghezza) + "x" + Numero(altezza);
    Registra(operazione);
    Disegna(operazione);
}

void StampanteRegistratrice::NewPage()
{
    Registra("NewPage");
    Disegna("NewPage");
    x_ = 0.0;
    y_ = 0.0;
}

FineDocumento StampanteRegistratrice::EndDoc()
{
    Registra("EndDoc");
    if (!aperto_) {
        return {};
    }
    if (Fine != FineDocumento::Fine::Annullato) {
        DocumentiInviati.push_back(documento_);
    }
    Chiudi();
    return {Fine, Corrente};
}

void StampanteRegistratrice::KillDoc() noexcept
{
    Operazioni.push_back("KillDoc");
    Chiudi();
}

void StampanteRegistratrice::Chiudi()
{
    aperto_ = false;
    documento_.clear();
    x_ = 0.0;
    y_ = 0.0;
}

void StampanteRegistratrice::TitoloDocumento(const std::string &titolo)
{
    Registra("TitoloDocumento " + titolo);
}

} // namespace lumivex::prove
