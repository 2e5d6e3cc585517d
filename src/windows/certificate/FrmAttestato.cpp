// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/certificate/FrmAttestato.h"

#include "ui_FrmAttestato.h"

#include "exercise/Conversioni.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/Valutazione.h"
#include "printing/StampaAttestato.h"
#include "qt/Testo.h"
#include "windows/common/Accessibilita.h"
#include "windows/common/Messaggio.h"
#include "windows/common/RegistroFinestre.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <cmath>
#include <utility>

namespace lumivex {

namespace {

// Designer keeps whole points only.
constexpr qreal PuntiFinestra = 8.25;
constexpr double PolliciPerMetro = 1.0 / 0.0254;

constexpr QRgb Rosso = qRgb(255, 0, 0);
constexpr QRgb Nero = qRgb(0, 0, 0);

struct AspettoRiga {
    int punti;
    bool grassetto;
    QRgb colore;
    int righeVuoteDopo;
};

// Lines 1 to 10 of the certificate, in order.
constexpr std::array<AspettoRiga, 10> Aspetti{{
    {20, true, Rosso, 0},
    {20, true, Nero, 1},
    {20, true, Rosso, 1},
    {12, false, Nero, 1},
    {12, false, Nero, 1},
    {14, false, Nero, 1},
    {14, false, Nero, 1},
    {14, true, Rosso, 1},
    {12, false, Nero, 3},
    {12, false, Nero, 0},
}};
constexpr int RigheVuoteIniziali = 5;

// First letter in capitals, the rest in small letters. An empty name stays
// empty.
std::string Capitalizza(const std::string &nome)
{
    const QString testo = DaStd(nome);
    if (testo.isEmpty()) {
        return nome;
    }
    return AStd(testo.left(1).toUpper() + testo.mid(1).toLower());
}

} // namespace

FrmAttestato::FrmAttestato(Modulo2 &modulo, Stampante &stampante, Orologio &orologio, QString tipoEsercizio)
    : m_(modulo)
    , stampante_(stampante)
    , tipoEsercizio_(std::move(tipoEsercizio))
    , ui_(std::make_unique<Ui::FrmAttestato>())
{
    // The title stays the form's; a reader announces a window by its name.
    ImpostaRuoloLetto(*this, QAccessible::Window);
    ui_->setupUi(this);
    QFont carattere = font();
    carattere.setPointSizeF(PuntiFinestra);
    setFont(carattere);
    // A certificate is a sheet of paper: white, whatever the desktop theme.
    QPalette carta = ui_->Picture1->palette();
    carta.setColor(QPalette::Window, Qt::white);
    ui_->Picture1->setPalette(carta);
    ui_->Picture1->setAutoFillBackground(true);

    scala_.RegistraProporzioni(*this);
    option5_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option5"), ColoriArancio,
                                                3, [this](int indice) { EseguiComando(indice); });

    m_.ImpostaNomeAlunno(Capitalizza(m_.NomeAlunno));
    stampabile_ = CalcolaValutazione(m_);
    data_ = DaStd(orologio.DataBreve());
    // The drawing is pixels to a screen reader: it hears the certificate's
    // words from its name.
    ui_->Picture1->setAccessibleName(QStringLiteral("Diploma di merito di %1, giudizio %2, data %3")
                                         .arg(DaStd(m_.NomeAlunno), DaStd(m_.Valutazione), data_));
    if (!stampabile_) {
        ui_->Option5_0->setText(QStringLiteral("ATTESTATO NON STAMPABILE"));
        ui_->Option5_0->setEnabled(false);
    }
    if (!option5_->SpostaFuoco(ComandoStampa)) {
        option5_->SpostaFuoco(ComandoChiudi);
    }

    // The drawing runs once the registry holds the window, so that a command
    // chosen between two lines can unload it.
    QMetaObject::invokeMethod(this, &FrmAttestato::DisegnaAttestato, Qt::QueuedConnection);
}

FrmAttestato::~FrmAttestato() = default;

void FrmAttestato::closeEvent(QCloseEvent *evento)
{
    scaricata_ = true;
    QWidget::closeEvent(evento);
}

void FrmAttestato::EseguiComando(int indice)
{
    switch (indice) {
    case ComandoStampa:
        if (!stampabile_) {
            return;
        }
        // Half a certificate is never printed.
        if (!completo_) {
            stampaRichiesta_ = true;
            return;
        }
        Stampa();
        break;
    case ComandoChiudi:
        close();
        break;
    case ComandoFineSessione:
        emit RichiestaFineSessione();
        break;
    default:
        break;
    }
}

QString FrmAttestato::TestoRiga(int riga) const
{
    switch (riga) {
    case 1:
        return QStringLiteral("DIPLOMA DI MERITO");
    case 2:
        return QStringLiteral("RILASCIATO A");
    case 3:
        return DaStd(m_.NomeAlunno);
    case 4:
        return QStringLiteral("per aver eseguito");
    case 5:
        return QStringLiteral("  ") + tipoEsercizio_;
    case 7:
        return QStringLiteral("con la valutazione di");
    case 8:
        return DaStd(m_.Valutazione);
    case 9:
        return DaStd("con " + TestoSemplice(m_.RisposteEsatte) + " risposte esatte su "
                     + TestoSemplice(m_.NumOperazioni) + " richieste");
    case 10:
        return QStringLiteral("Data  ") + data_;
    default:
        return {};
    }
}

// Returns as soon as a line finds the window unloaded: from then on it may
// already be deleted, and nothing of it is touched.
void FrmAttestato::DisegnaAttestato()
{
    QFont carattere = ui_->Picture1->font();
    RigheVuote(RigheVuoteIniziali, carattere);
    carattere.setFamily(QStringLiteral("arial"));
    for (std::size_t i = 0; i < Aspetti.size(); ++i) {
        const AspettoRiga &aspetto = Aspetti[i];
        carattere.setPointSize(aspetto.punti);
        carattere.setBold(aspetto.grassetto);
        if (!RigaCentrata(TestoRiga(static_cast<int>(i) + 1), carattere, QColor::fromRgb(aspetto.colore))) {
            return;
        }
        RigheVuote(aspetto.righeVuoteDopo, carattere);
    }
    completo_ = true;
    if (stampaRichiesta_) {
        stampaRichiesta_ = false;
        Stampa();
    }
}

bool FrmAttestato::RigaCentrata(const QString &testo, const QFont &carattere, const QColor &colore)
{
    if (scaricata_) {
        return false;
    }
    // The first line shows the window maximized, so every line is centred
    // on the picture's maximized width.
    if (immagine_.isNull() && (!isVisible() || !isMaximized())) {
        RegistroFinestre::MostraFinestraIngrandita(*this);
    }
    const QPointer<FrmAttestato> vivo(this);
    QCoreApplication::processEvents();
    if (!vivo || scaricata_) {
        return false;
    }
    if (immagine_.isNull()) {
        PreparaImmagine();
    }

    const QFontMetricsF metriche(carattere, &immagine_);
    const QPointF posizione(immagine_.deviceIndependentSize().width() / 2.0 - metriche.horizontalAdvance(testo) / 2.0, y_);
    {
        QPainter pittore(&immagine_);
        pittore.setFont(carattere);
        pittore.setPen(colore);
        pittore.drawText(posizione + QPointF(0.0, metriche.ascent()), testo);
    }
    righe_.push_back({testo, carattere, colore, posizione});
    y_ += metriche.lineSpacing();
    ui_->Picture1->setPixmap(QPixmap::fromImage(immagine_));
    return true;
}

void FrmAttestato::RigheVuote(int quante, const QFont &carattere)
{
    const QFontMetricsF metriche(carattere, ui_->Picture1);
    y_ += quante * metriche.lineSpacing();
}

// The picture keeps what is drawn at the size it has when the first line
// comes, at the screen's resolution, as printing expects. On a high-density
// screen it holds the screen's own pixels, so the lines stay sharp there and
// on paper; its size in points stays the same.
void FrmAttestato::PreparaImmagine()
{
    QLabel &picture = *ui_->Picture1;
    const qreal densita = picture.devicePixelRatioF();
    const QSize punti = picture.contentsRect().size().expandedTo(QSize(1, 1));
    immagine_ = QImage((QSizeF(punti) * densita).toSize(), QImage::Format_RGB32);
    immagine_.setDevicePixelRatio(densita);
    // The resolution of the points, not of the pixels: lines are drawn in
    // points at the window's font sizes, and printing measures in points.
    immagine_.setDotsPerMeterX(static_cast<int>(std::lround(picture.logicalDpiX() * PolliciPerMetro)));
    immagine_.setDotsPerMeterY(static_cast<int>(std::lround(picture.logicalDpiY() * PolliciPerMetro)));
    immagine_.fill(Qt::white);
}

void FrmAttestato::Stampa()
{
    MostraEsitoStampa(this, StampaAttestato(stampante_, immagine_));
}

} // namespace lumivex
