#include "printing/StampanteQt.h"

#include "printing/CodaCups.h"
#include "printing/ElencoIncompleto.h"
#include "printing/ErroreStampa.h"
#include "printing/MessaggiStampa.h"
#include "printing/StampaAnnullata.h"
#include "printing/StampaInPausa.h"
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
// the folder to tell the user which.
std::string MessaggioSalvataggio(const QString &percorso, QFileDevice::FileError errore)
{
    const QFileInfo file(percorso);
    const QFileInfo cartella(file.absolutePath());
    const std::string nome = AStd(percorso);
    const std::string nomeCartella = AStd(QDir::toNativeSeparators(cartella.filePath()));
    if (!cartella.exists()) {
        return MessaggiStampa::PdfCartellaInesistente(nome, nomeCartella);
    }
    if (!cartella.isDir()) {
        return MessaggiStampa::PdfNonCartella(nome, nomeCartella);
    }
    if (file.isDir()) {
        return MessaggiStampa::PdfEUnaCartella(nome);
    }
    if (!cartella.isWritable()) {
        return MessaggiStampa::PdfCartellaProtetta(nome, nomeCartella);
    }
    if (file.exists() && !file.isWritable()) {
        return MessaggiStampa::PdfFileProtetto(nome);
    }
    if (errore == QFileDevice::ResourceError) {
        return MessaggiStampa::PdfDiscoPieno(nome);
    }
    return MessaggiStampa::PdfNonScritto(nome);
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

void StampanteQt::ImpostaSceltaFilePdf(SceltaFilePdf sceltaFilePdf)
{
    sceltaFilePdf_ = std::move(sceltaFilePdf);
}

std::vector<Dispositivo> StampanteQt::Printers() const
{
    std::vector<Dispositivo> elenco;
    try {
        for (std::string &nome : CodaCups::Elenca().Stampanti) {
            elenco.push_back({std::move(nome)});
        }
    } catch (const ErroreStampa &) {
        throw ElencoIncompleto(MessaggiStampa::ElencoSenzaServizio(), {Dispositivo{NomeStampantePdf}});
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
        Guasto(MessaggiStampa::CambioDuranteLaStampa());
    }
    // The PDF printer needs no print system: it stays a choice when that is silent.
    if (dispositivo.Nome != NomeStampantePdf) {
        const std::vector<Dispositivo> elenco = Printers();
        if (std::find(elenco.begin(), elenco.end(), dispositivo) == elenco.end()) {
            throw ErroreStampa(MessaggiStampa::StampanteNonInstallata(dispositivo.Nome));
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
        throw ErroreStampa(MessaggiStampa::CarattereInesistente(indice));
    }
    return fonts_[static_cast<std::size_t>(indice)];
}

void StampanteQt::FontName(const std::string &nome)
{
    if (nome.empty()) {
        Guasto(MessaggiStampa::NomeCarattereMancante());
    }
    nomeFont_ = nome;
}

void StampanteQt::FontSize(double punti)
{
    if (!std::isfinite(punti) || punti <= 0.0 || punti > 1000.0) {
        Guasto(MessaggiStampa::DimensioneCarattereErrata());
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
        Guasto(MessaggiStampa::PosizioneErrata());
    }
    x_ = twip;
}

void StampanteQt::CurrentY(double twip)
{
    if (!PosizioneValida(twip)) {
        Guasto(MessaggiStampa::PosizioneErrata());
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
        Guasto(MessaggiStampa::ImmagineVuota());
    }
    if (!PosizioneValida(x) || !PosizioneValida(y) || !PosizioneValida(larghezza) || !PosizioneValida(altezza)
        || larghezza <= 0.0 || altezza <= 0.0) {
        Guasto(MessaggiStampa::PosizioneErrata());
    }
    Documento &documento = DocumentoAperto();
    const double unita = documento.unitaPerTwip;
    documento.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    documento.painter.drawImage(QRectF(x * unita, y * unita, larghezza * unita, altezza * unita), immagine);
}

void StampanteQt::EndDoc()
{
    if (!documento_) {
        return;
    }
    // From here the document is over whatever happens: a failure below
    // leaves nothing for the next one to carry.
    const std::unique_ptr<Documento> documento = std::move(documento_);
    x_ = 0.0;
    y_ = 0.0;
    if (!documento->painter.end() || !documento->file.flush() || documento->file.size() == 0) {
        throw ErroreStampa(MessaggiStampa::PaginaNonPreparata());
    }
    if (documento->stampante.Nome == NomeStampantePdf) {
        SalvaPdf(documento->file, documento->titolo);
        return;
    }
    // The page goes by value: a send given up on must not read a file
    // that is gone by then.
    if (!documento->file.seek(0)) {
        throw ErroreStampa(MessaggiStampa::PaginaNonPreparata());
    }
    const QByteArray pagina = documento->file.readAll();
    if (pagina.isEmpty()) {
        throw ErroreStampa(MessaggiStampa::PaginaNonPreparata());
    }
    if (CodaCups::Invia(documento->stampante.Nome, pagina.toStdString(), documento->titolo)
        == CodaCups::Consegna::InPausa) {
        throw StampaInPausa(documento->stampante.Nome);
    }
}

void StampanteQt::SalvaPdf(QFile &pagina, const std::string &titolo)
{
    if (!sceltaFilePdf_) {
        throw ErroreStampa(MessaggiStampa::PdfSenzaDestinazione());
    }
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (cartella.isEmpty()) {
        cartella = QDir::homePath();
    }
    const QString proposta = QDir(cartella).filePath(NomeFile(titolo) + QStringLiteral(".pdf"));
    const std::optional<QString> scelto = sceltaFilePdf_(proposta);
    if (!scelto || scelto->isEmpty()) {
        throw StampaAnnullata();
    }
    if (!pagina.seek(0)) {
        throw ErroreStampa(MessaggiStampa::PaginaNonPreparataPdf());
    }
    // QSaveFile replaces the file only once all of it is written.
    QSaveFile destinazione(*scelto);
    if (!destinazione.open(QIODevice::WriteOnly) || destinazione.write(pagina.readAll()) < 0
        || !destinazione.commit()) {
        throw ErroreStampa(MessaggioSalvataggio(*scelto, destinazione.error()));
    }
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
        throw ErroreStampa(MessaggiStampa::CartellaTemporaneaNonScrivibile());
    }
    documento->pdf = std::make_unique<QPdfWriter>(&documento->file);
    documento->pdf->setResolution(RisoluzionePagina);
    documento->pdf->setPageLayout(pagina);
    documento->pdf->setTitle(DaStd(titolo_));
    documento->pdf->setCreator(QStringLiteral("Lumivex"));
    if (!documento->painter.begin(documento->pdf.get())) {
        throw ErroreStampa(MessaggiStampa::PaginaNonPreparata());
    }
    documento->unitaPerTwip = RisoluzionePagina / TwipPerPollice;
    documento_ = std::move(documento);
    return *documento_;
}

void StampanteQt::Guasto(const std::string &messaggio)
{
    KillDoc();
    throw ErroreStampa(messaggio);
}

} // namespace lumivex
