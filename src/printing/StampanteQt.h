// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/GuastoStampa.h"
#include "printing/Stampante.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumivex {

// The printing service over Qt and the system's print system (CUPS on
// Linux). The program makes one, after the QGuiApplication, and every print
// path shares it, so the printer chosen once serves the whole run.
//
// Besides the installed printers it offers, last, a printer that saves the
// page as an A4 PDF file: it is there even on a machine with no printer.
class StampanteQt final : public Stampante {
public:
    // Asked at EndDoc where the PDF printer saves the page, with a proposed
    // path; no answer (or an empty one) cancels the print.
    using SceltaFilePdf = std::function<std::optional<QString>(const QString &percorsoProposto)>;

    static constexpr const char *NomeStampantePdf = "Salva come PDF";

    explicit StampanteQt(SceltaFilePdf sceltaFilePdf);
    ~StampanteQt() override;
    StampanteQt(const StampanteQt &) = delete;
    StampanteQt &operator=(const StampanteQt &) = delete;

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
    struct Documento;

    Documento &DocumentoAperto();
    void ScriviRiga(const QString &testo, ACapo aCapo);
    FineDocumento SalvaPdf(QFile &pagina, const std::string &titolo);
    [[noreturn]] void Guasto(GuastoStampa guasto);

    SceltaFilePdf sceltaFilePdf_;
    std::optional<Dispositivo> scelta_;
    mutable std::optional<Dispositivo> predefinita_;
    mutable std::vector<std::string> fonts_;
    std::string nomeFont_ = "Arial";
    double puntiFont_ = 10.0;
    bool grassetto_ = false;
    double x_ = 0.0;
    double y_ = 0.0;
    std::string titolo_ = "Lumivex";
    std::unique_ptr<Documento> documento_;
};

} // namespace lumivex
