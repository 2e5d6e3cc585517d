#include "printing/StampanteQt.h"

#include "printing/CodaCups.h"
#include "printing/ErroreStampa.h"
#include "printing/StampaAnnullata.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
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

QString Testo(const std::string &testo)
{
    return QString::fromStdString(testo);
}

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
        elenco.push_back(nome.toStdString());
    }
    return elenco;
}

bool PosizioneValida(double twip)
{
    return std::isfinite(twip) && std::abs(twip) <= PosizioneMassima;
}

std::string MessaggioSalvataggio(const QString &percorso, QFileDevice::FileError errore)
{
    const std::string dove = "Non è stato possibile salvare il PDF \"" + percorso.toStdString() + "\": ";
    switch (errore) {
    case QFileDevice::PermissionsError:
        return dove + "non hai il permesso di scrivere in quella cartella.";
    case QFileDevice::ResourceError:
        return dove + "il disco è pieno.";
    default:
        return dove + "la cartella non esiste o non vi si può scrivere.";
    }
}

QString NomeFile(const std::string &titolo)
{
    QString nome = Testo(titolo);
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
    for (const QString &nome : QPrinterInfo::availablePrinterNames()) {
        elenco.push_back({nome.toStdString()});
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
    // printer installed later still becomes the default.
    if (!predefinita_) {
        const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
        if (!predefinita.isNull()) {
            predefinita_ = Dispositivo{predefinita.printerName().toStdString()};
        } else if (const QStringList nomi = QPrinterInfo::availablePrinterNames(); !nomi.isEmpty()) {
            predefinita_ = Dispositivo{nomi.front().toStdString()};
        }
    }
    return predefinita_ ? *predefinita_ : Dispositivo{NomeStampantePdf};
}

void StampanteQt::Printer(const Dispositivo &dispositivo)
{
    if (documento_) {
        Guasto("Non si può cambiare stampante mentre si stampa una pagina: la pagina non è stata stampata.");
    }
    const std::vector<Dispositivo> elenco = Printers();
    if (std::find(elenco.begin(), elenco.end(), dispositivo) == elenco.end()) {
        throw ErroreStampa("La stampante \"" + dispositivo.Nome + "\" non è installata.");
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
        throw ErroreStampa("Il carattere numero " + std::to_string(indice) + " non esiste.");
    }
    return fonts_[static_cast<std::size_t>(indice)];
}

void StampanteQt::FontName(const std::string &nome)
{
    if (nome.empty()) {
        Guasto("Manca il nome del carattere: la pagina non è stata stampata.");
    }
    nomeFont_ = nome;
}

void StampanteQt::FontSize(double punti)
{
    if (!std::isfinite(punti) || punti <= 0.0 || punti > 1000.0) {
        Guasto("La dimensione del carattere non è valida: la pagina non è stata stampata.");
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
        Guasto("La posizione di stampa non è valida: la pagina non è stata stampata.");
    }
    x_ = twip;
}

void StampanteQt::CurrentY(double twip)
{
    if (!PosizioneValida(twip)) {
        Guasto("La posizione di stampa non è valida: la pagina non è stata stampata.");
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
    ScriviRiga(Testo(testo), aCapo);
}

void StampanteQt::Print()
{
    ScriviRiga(QString(), ACapo::Si);
}

void StampanteQt::ScriviRiga(const QString &testo, ACapo aCapo)
{
    Documento &documento = DocumentoAperto();
    QFont font(Testo(nomeFont_));
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
        Guasto("L'immagine da stampare è vuota: la pagina non è stata stampata.");
    }
    if (!PosizioneValida(x) || !PosizioneValida(y) || !PosizioneValida(larghezza) || !PosizioneValida(altezza)
        || larghezza <= 0.0 || altezza <= 0.0) {
        Guasto("La posizione di stampa non è valida: la pagina non è stata stampata.");
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
        throw ErroreStampa("Non è stato possibile preparare la pagina: la pagina non è stata stampata.");
    }
    if (documento->stampante.Nome == NomeStampantePdf) {
        SalvaPdf(documento->file, documento->titolo);
    } else {
        CodaCups::Invia(documento->stampante.Nome, QFile::encodeName(documento->file.fileName()).toStdString(),
                        documento->titolo);
    }
}

void StampanteQt::SalvaPdf(QFile &pagina, const std::string &titolo)
{
    if (!sceltaFilePdf_) {
        throw ErroreStampa("Non è stato indicato dove salvare il PDF: la pagina non è stata salvata.");
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
        throw ErroreStampa("Non è stato possibile preparare la pagina: la pagina non è stata salvata.");
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
        CodaCups::VerificaStampante(stampante.Nome);
        const QPrinterInfo informazioni = QPrinterInfo::printerInfo(Testo(stampante.Nome));
        if (informazioni.isNull()) {
            throw ErroreStampa("La stampante \"" + stampante.Nome
                               + "\" non è più installata: la pagina non è stata stampata.");
        }
        // The printer's own paper and printable area.
        pagina = QPrinter(informazioni).pageLayout();
    }

    auto documento = std::make_unique<Documento>();
    documento->stampante = stampante;
    documento->titolo = titolo_;
    documento->file.setFileTemplate(QDir(QDir::tempPath()).filePath(QStringLiteral("lumivex-XXXXXX.pdf")));
    if (!documento->file.open()) {
        throw ErroreStampa("Non è stato possibile preparare la pagina: la cartella dei file temporanei non "
                           "è scrivibile.");
    }
    documento->pdf = std::make_unique<QPdfWriter>(&documento->file);
    documento->pdf->setResolution(RisoluzionePagina);
    documento->pdf->setPageLayout(pagina);
    documento->pdf->setTitle(Testo(titolo_));
    documento->pdf->setCreator(QStringLiteral("Lumivex"));
    if (!documento->painter.begin(documento->pdf.get())) {
        throw ErroreStampa("Non è stato possibile preparare la pagina: la pagina non è stata stampata.");
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
