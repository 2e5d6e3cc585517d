// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/StampanteQt.h"

#include "printing/CodaCups.h"
#include "printing/ElencoIncompleto.h"
#include "printing/ErroreStampa.h"
#include "qt/Testo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace lumivex {

namespace {

constexpr double TwipPerPollice = 1440.0;
// Dots per inch of the page Qt draws: fine enough that no position is rounded visibly.
constexpr int RisoluzionePagina = 1200;
// Beyond this a position is a mistake, not a place on any sheet.
constexpr double PosizioneMassima = 1.0e7;

// The PDF printer's sheet: A4 with the quarter-inch margin most printers
// cannot print in, so the saved page looks as it would on paper.
QPageLayout PaginaPdf()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                       QPageLayout::Point);
}

std::vector<std::string> FontUtilizzabili()
{
    QStringList nomi = QFontDatabase::families();
    // The program asks for these faces by name; the font system answers
    // with metric-compatible faces installed under other names. They count
    // only when what they resolve to keeps the columns aligned.
    for (const QString &nome : {QStringLiteral("Courier New"), QStringLiteral("Courier")}) {
        if (!nomi.contains(nome) && QFontInfo(QFont(nome)).fixedPitch()) {
            nomi.append(nome);
        }
    }
    std::stable_sort(nomi.begin(), nomi.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    std::vector<std::string> elenco;
    elenco.reserve(static_cast<std::size_t>(nomi.size()));
    for (const QString &nome : nomi) {
        elenco.push_back(AStd(nome));
    }
    return elenco;
}

bool PosizioneValida(double twip)
{
    return std::isfinite(twip) && std::abs(twip) <= PosizioneMassima;
}

// QSaveFile reports a missing folder and a forbidden one alike: look at
// the folder to tell which.
ErroreStampa ErroreSalvataggio(const QString &percorso, const QSaveFile &salvataggio)
{
    const QFileInfo file(percorso);
    const QFileInfo cartella(file.absolutePath());
    DettaglioStampa dettaglio = DettaglioStampa::DelSistema(AStd(salvataggio.errorString()));
    dettaglio.File = AStd(percorso);
    dettaglio.Cartella = AStd(QDir::toNativeSeparators(cartella.filePath()));
    if (!cartella.exists()) {
        return ErroreStampa(GuastoStampa::PdfCartellaInesistente, dettaglio);
    }
    if (!cartella.isDir()) {
        return ErroreStampa(GuastoStampa::PdfNonCartella, dettaglio);
    }
    if (file.isDir()) {
        return ErroreStampa(GuastoStampa::PdfEUnaCartella, dettaglio);
    }
    if (!cartella.isWritable()) {
        return ErroreStampa(GuastoStampa::PdfCartellaProtetta, dettaglio);
    }
    if (file.exists() && !file.isWritable()) {
        return ErroreStampa(GuastoStampa::PdfFileProtetto, dettaglio);
    }
    if (salvataggio.error() == QFileDevice::ResourceError) {
        return ErroreStampa(GuastoStampa::PdfDiscoPieno, dettaglio);
    }
    return ErroreStampa(GuastoStampa::PdfNonScritto, dettaglio);
}

// The printer's sheet as it tells it; the PDF printer's when it does not.
QPageLayout PaginaDi(const std::optional<CodaCups::Foglio> &foglio)
{
    if (!foglio) {
        return PaginaPdf();
    }
    constexpr double MmPerCentesimo = 0.01;
    return QPageLayout(QPageSize(QSizeF(foglio->Larghezza * MmPerCentesimo, foglio->Altezza * MmPerCentesimo),
                                 QPageSize::Millimeter),
                       QPageLayout::Portrait,
                       QMarginsF(foglio->Sinistra * MmPerCentesimo, foglio->Sopra * MmPerCentesimo,
                                 foglio->Destra * MmPerCentesimo, foglio->Sotto * MmPerCentesimo),
                       QPageLayout::Millimeter);
}

QString NomeFile(const std::string &titolo)
{
    QString nome = DaStd(titolo);
    nome.replace(QLatin1Char('/'), QLatin1Char('-'));
    return nome.isEmpty() ? QStringLiteral("Stampa") : nome;
}

} // namespace

// The page being drawn. It goes into a PDF file of ours, laid out as the
// printer's sheet; only EndDoc hands that file on, so a document dropped
// half-way leaves nothing behind.
struct StampanteQt::Documento {
    Dispositivo stampante;
    std::string titolo;
    QTemporaryFile file;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter; // last: it ends before the file goes
    double unitaPerTwip = 1.0;
};

StampanteQt::StampanteQt(SceltaFilePdf sceltaFilePdf) : sceltaFilePdf_(std::move(sceltaFilePdf)) {}

StampanteQt::~StampanteQt()
{
    KillDoc();
}

std::vector<Dispositivo> StampanteQt::Printers() const
{
    std::vector<Dispositivo> elenco;
    try {
        for (std::string &nome : CodaCups::Elenca().Stampanti) {
            elenco.push_back({std::move(nome)});
        }
    } catch (const ErroreStampa &errore) {
        throw ElencoIncompleto(errore.Dettaglio(), {Dispositivo{NomeStampantePdf}});
    }
    elenco.push_back({NomeStampantePdf});
    return elenco;
}

std::string StampanteQt::DeviceName(const Dispositivo &dispositivo) const
{
    return dispositivo.Nome;
}

Dispositivo StampanteQt::Printer() const
{
    if (scelta_) {
        return *scelta_;
    }
    // The system's default is taken once and kept, as a choice would be;
    // while there is no real printer the PDF printer stands in, and a
    // printer installed later still becomes the default. A print system
    // that does not answer throws: the PDF printer is then a choice for the
    // user, never a silent stand-in.
    if (!predefinita_) {
        CodaCups::Elenco elenco = CodaCups::Elenca();
        if (elenco.Predefinita) {
            predefinita_ = Dispositivo{std::move(*elenco.Predefinita)};
        } else if (!elenco.Stampanti.empty()) {
            predefinita_ = Dispositivo{std::move(elenco.Stampanti.front())};
        }
    }
    return predefinita_ ? *predefinita_ : Dispositivo{NomeStampantePdf};
}

void StampanteQt::Printer(const Dispositivo &dispositivo)
{
    if (documento_) {
        Guasto(GuastoStampa::CambioDuranteLaStampa);
    }
    // The PDF printer needs no print system: it stays a choice when that is silent.
    if (dispositivo.Nome != NomeStampantePdf) {
        const std::vector<Dispositivo> elenco = Printers();
        if (std::find(elenco.begin(), elenco.end(), dispositivo) == elenco.end()) {
            throw ErroreStampa(GuastoStampa::StampanteNonInstallata, DettaglioStampa::DellaStampante(dispositivo.Nome));
        }
    }
    scelta_ = dispositivo;
}

int StampanteQt::FontCount() const
{
    fonts_ = FontUtilizzabili();
    return static_cast<int>(fonts_.size());
}

std::string StampanteQt::Fonts(int indice) const
{
    if (fonts_.empty()) {
        fonts_ = FontUtilizzabili();
    }
    if (indice < 0 || static_cast<std::size_t>(indice) >= fonts_.size()) {
        DettaglioStampa dettaglio;
        dettaglio.Indice = indice;
        throw ErroreStampa(GuastoStampa::CarattereInesistente, dettaglio);
    }
    return fonts_[static_cast<std::size_t>(indice)];
}

void StampanteQt::FontName(const std::string &nome)
{
    if (nome.empty()) {
        Guasto(GuastoStampa::NomeCarattereMancante);
    }
    nomeFont_ = nome;
}

void StampanteQt::FontSize(double punti)
{
    if (!std::isfinite(punti) || punti <= 0.0 || punti > 1000.0) {
        Guasto(GuastoStampa::DimensioneCarattereErrata);
    }
    puntiFont_ = punti;
}

void StampanteQt::FontBold(bool grassetto)
{
    grassetto_ = grassetto;
}

void StampanteQt::CurrentX(double twip)
{
    if (!PosizioneValida(twip)) {
        Guasto(GuastoStampa::PosizioneErrata);
    }
    x_ = twip;
}

void StampanteQt::CurrentY(double twip)
{
    if (!PosizioneValida(twip)) {
        Guasto(GuastoStampa::PosizioneErrata);
    }
    y_ = twip;
}

double StampanteQt::CurrentX() const
{
    return x_;
}

double StampanteQt::CurrentY() const
{
    return y_;
}

double StampanteQt::ScaleWidth()
{
    return DocumentoAperto().pdf->pageLayout().paintRect(QPageLayout::Inch).width() * TwipPerPollice;
}

double StampanteQt::ScaleHeight()
{
    return DocumentoAperto().pdf->pageLayout().paintRect(QPageLayout::Inch).height() * TwipPerPollice;
}

void StampanteQt::Print(const std::string &testo, ACapo aCapo)
{
    ScriviRiga(DaStd(testo), aCapo);
}

void StampanteQt::Print()
{
    ScriviRiga(QString(), ACapo::Si);
}

void StampanteQt::ScriviRiga(const QString &testo, ACapo aCapo)
{
    Documento &documento = DocumentoAperto();
    QFont font(DaStd(nomeFont_));
    font.setPointSizeF(puntiFont_);
    font.setBold(grassetto_);
    documento.painter.setFont(font);
    const QFontMetricsF metriche(documento.painter.font(), documento.painter.device());
    const double unita = documento.unitaPerTwip;
    if (!testo.isEmpty()) {
        // Qt places text by its baseline; the program means its top.
        documento.painter.drawText(QPointF(x_ * unita, y_ * unita + metriche.ascent()), testo);
    }
    if (aCapo == ACapo::Si) {
        x_ = 0.0;
        y_ += metriche.lineSpacing() / unita;
    } else {
        x_ += metriche.horizontalAdvance(testo) / unita;
    }
}

void StampanteQt::PaintPicture(const QImage &immagine, double x, double y, double larghezza, double altezza)
{
    if (immagine.isNull()) {
        Guasto(GuastoStampa::ImmagineVuota);
    }
    if (!PosizioneValida(x) || !PosizioneValida(y) || !PosizioneValida(larghezza) || !PosizioneValida(altezza)
        || larghezza <= 0.0 || altezza <= 0.0) {
        Guasto(GuastoStampa::PosizioneErrata);
    }
    Documento &documento = DocumentoAperto();
    const double unita = documento.unitaPerTwip;
    documento.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    documento.painter.drawImage(QRectF(x * unita, y * unita, larghezza * unita, altezza * unita), immagine);
}

void StampanteQt::NewPage()
{
    Documento &documento = DocumentoAperto();
    if (!documento.pdf->newPage()) {
        Guasto(GuastoStampa::PaginaNonPreparata);
    }
    x_ = 0.0;
    y_ = 0.0;
}

FineDocumento StampanteQt::EndDoc()
{
    if (!documento_) {
        return {};
    }
    // From here the document is over whatever happens: a failure below
    // leaves nothing for the next one to carry.
    const std::unique_ptr<Documento> documento = std::move(documento_);
    x_ = 0.0;
    y_ = 0.0;
    if (!documento->painter.end() || !documento->file.flush() || documento->file.size() == 0) {
        throw ErroreStampa(GuastoStampa::PaginaNonPreparata, DettaglioStampa::DellaStampante(documento->stampante.Nome,
                                                           AStd(documento->file.errorString())));
    }
    if (documento->stampante.Nome == NomeStampantePdf) {
        return SalvaPdf(documento->file, documento->titolo);
    }
    // The page goes by value: a send given up on must not read a file
    // that is gone by then.
    const QByteArray pagina = documento->file.seek(0) ? documento->file.readAll() : QByteArray();
    if (pagina.isEmpty()) {
        throw ErroreStampa(GuastoStampa::PaginaNonPreparata, DettaglioStampa::DellaStampante(documento->stampante.Nome,
                                                           AStd(documento->file.errorString())));
    }
    const bool inPausa = CodaCups::Invia(documento->stampante.Nome, pagina.toStdString(), documento->titolo)
                         == CodaCups::Consegna::InPausa;
    return {inPausa ? FineDocumento::Fine::InPausa : FineDocumento::Fine::Inviato, documento->stampante.Nome};
}

FineDocumento StampanteQt::SalvaPdf(QFile &pagina, const std::string &titolo)
{
    if (!sceltaFilePdf_) {
        throw ErroreStampa(GuastoStampa::PdfSenzaDestinazione);
    }
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (cartella.isEmpty()) {
        cartella = QDir::homePath();
    }
    const QString proposta = QDir(cartella).filePath(NomeFile(titolo) + QStringLiteral(".pdf"));
    const std::optional<QString> scelto = sceltaFilePdf_(proposta);
    if (!scelto || scelto->isEmpty()) {
        return {FineDocumento::Fine::Annullato, NomeStampantePdf};
    }
    if (!pagina.seek(0)) {
        DettaglioStampa dettaglio = DettaglioStampa::DelSistema(AStd(pagina.errorString()));
        dettaglio.File = AStd(*scelto);
        throw ErroreStampa(GuastoStampa::PaginaNonPreparataPdf, dettaglio);
    }
    // QSaveFile replaces the file only once all of it is written. Unbuffered:
    // a small page kept in its buffer fails only at commit, which then still
    // puts the short file in place.
    QSaveFile destinazione(*scelto);
    const QByteArray contenuto = pagina.readAll();
    if (!destinazione.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || destinazione.write(contenuto) != contenuto.size() || !destinazione.commit()) {
        throw ErroreSalvataggio(*scelto, destinazione);
    }
    return {FineDocumento::Fine::Inviato, NomeStampantePdf};
}

void StampanteQt::KillDoc() noexcept
{
    documento_.reset();
    x_ = 0.0;
    y_ = 0.0;
}

void StampanteQt::TitoloDocumento(const std::string &titolo)
{
    titolo_ = titolo;
}

StampanteQt::Documento &StampanteQt::DocumentoAperto()
{
    if (documento_) {
        return *documento_;
    }
    const Dispositivo stampante = Printer();
    QPageLayout pagina = PaginaPdf();
    if (stampante.Nome != NomeStampantePdf) {
        // The printer's own paper and printable area.
        pagina = PaginaDi(CodaCups::FoglioDi(stampante.Nome));
    }

    auto documento = std::make_unique<Documento>();
    documento->stampante = stampante;
    documento->titolo = titolo_;
    documento->file.setFileTemplate(QDir(QDir::tempPath()).filePath(QStringLiteral("lumivex-XXXXXX.pdf")));
    if (!documento->file.open()) {
        DettaglioStampa dettaglio = DettaglioStampa::DelSistema(AStd(documento->file.errorString()));
        dettaglio.Cartella = AStd(QDir::toNativeSeparators(QDir::tempPath()));
        throw ErroreStampa(GuastoStampa::CartellaTemporaneaNonScrivibile, dettaglio);
    }
    documento->pdf = std::make_unique<QPdfWriter>(&documento->file);
    documento->pdf->setResolution(RisoluzionePagina);
    documento->pdf->setPageLayout(pagina);
    documento->pdf->setTitle(DaStd(titolo_));
    documento->pdf->setCreator(QStringLiteral("Lumivex"));
    if (!documento->painter.begin(documento->pdf.get())) {
        throw ErroreStampa(GuastoStampa::PaginaNonPreparata, DettaglioStampa::DellaStampante(stampante.Nome));
    }
    documento->unitaPerTwip = RisoluzionePagina / TwipPerPollice;
    documento_ = std::move(documento);
    return *documento_;
}

void StampanteQt::Guasto(GuastoStampa guasto)
{
    KillDoc();
    throw ErroreStampa(guasto);
}

} // namespace lumivex
