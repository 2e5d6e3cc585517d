// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/GuastoStampa.h"
#include "printing/Stampante.h"

#include <optional>
#include <string>
#include <vector>

namespace lumivex::prove {

// A printer that writes down every operation asked of it, in order, in a
// form close to how the program would say it:
//   "FontName Courier", "CurrentY 2400", "Print \"testo\"" (line end),
//   "Print \"testo\";" (no line end), "Print" (empty line), "NewPage", "EndDoc".
// The test sets its printers and fonts, and can make one operation fail.
class StampanteRegistratrice final : public Stampante {
public:
    mutable std::vector<std::string> Operazioni;
    std::vector<std::string> Stampanti{"Alfa", "Beta", "Gamma"};
    std::string Corrente = "Beta";
    std::vector<std::string> ElencoFont{"Arial", "Courier New", "Times New Roman"};
    // The first operation whose record starts with this text throws
    // ErroreStampa with this fault, its record as the system's detail.
    std::optional<std::string> GuastoSu;
    GuastoStampa Guasto = GuastoStampa::PaginaRifiutata;
    // How EndDoc says an open document ended, on the current printer.
    FineDocumento::Fine Fine = FineDocumento::Fine::Inviato;

    // The printable area ScaleWidth and ScaleHeight answer: A4 with quarter-inch margins.
    double LarghezzaArea = 11185.0;
    double AltezzaArea = 16118.0;

    // Each text printed, with the font it was printed in.
    struct TestoStampato {
        std::string Testo;
        std::string Font;
        double Punti = 0.0;
        bool Grassetto = false;
        friend bool operator==(const TestoStampato &, const TestoStampato &) = default;
    };
    std::vector<TestoStampato> Testi;

    // Documents ended by EndDoc, each as the operations that drew it.
    std::vector<std::vector<std::string>> DocumentiInviati;
    bool DocumentoAperto() const { return aperto_; }

    std::vector<Dispositivo> Printers() const override;
    std::string DeviceName(const Dispositivo &dispositivo) const override;
    Dispositivo Printer() const override;
    void Printer(const Dispositivo &dispositivo) override;

    int FontCount() const override;
    std::string Fonts(int indice) const override;
    void FontName(const std::string &nome) override;
    void FontSize(double punti) override;
    void FontBold(bool grassetto) override;

    void CurrentX(double twip) override;
    void CurrentY(double twip) override;
    double CurrentX() const override;
    double CurrentY() const override;
    double ScaleWidth() override;
    double ScaleHeight() override;

    void Print(const std::string &testo, ACapo aCapo) override;
    void Print() override;
    void PaintPicture(const QImage &immagine, double x, double y, double larghezza, double altezza) override;
    void NewPage() override;
    FineDocumento EndDoc() override;
    void KillDoc() noexcept override;

    void TitoloDocumento(const std::string &titolo) override;

private:
    void Registra(const std::string &operazione) const;
    void Disegna(const std::string &operazione);
    void Chiudi();

    bool aperto_ = false;
    std::vector<std::string> documento_;
    double x_ = 0.0;
    double y_ = 0.0;
    double punti_ = 10.0;
    std::string font_;
    bool grassetto_ = false;
};

} // namespace lumivex::prove
