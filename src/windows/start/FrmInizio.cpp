// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/start/FrmInizio.h"

#include "ui_FrmInizio.h"

#include "exercise/Modulo2.h"
#include "qt/ImmagineGrezza.h"
#include "qt/Testo.h"

#include <QCloseEvent>
#include <QPixmap>

#include <array>

namespace lumivex {

namespace {


struct Livello {
    std::int16_t minimo;
    std::int16_t massimo;
    const char *testo;
};

constexpr std::array<Livello, 3> Livelli{{
    {10, 40, "Numero massimo compreso tra 10 e  40"},
    {30, 70, "Numero massimo compreso tra 30 e 70"},
    {50, 90, "Numero massimo compreso tra 50 e 90"},
}};

} // namespace

FrmInizio::FrmInizio(Modulo2 &modulo)
    : m_(modulo)
    , ui_(std::make_unique<Ui::FrmInizio>())
{
    ui_->setupUi(this);
    ui_->Image1->setPixmap(QPixmap::fromImage(ImmagineGrezza(QStringLiteral(":/immagini/Image1"))));
    ui_->Label7->setText(QStringLiteral("Ver. " LUMIVEX_VERSIONE));
    scala_.RegistraProporzioni(*this);
    option2_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option2"), ColoriCiano,
                                                3, [this](int indice) { SceltaLivello(indice); });
    option3_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option3"), ColoriCiano,
                                                2, [this](int indice) { EseguiComando(indice); });
    connect(ui_->frmStampaSchede, &QAction::triggered, this, &FrmInizio::RichiestaSchede);
    connect(ui_->mnuAutore, &QAction::triggered, this, &FrmInizio::RichiestaAutore);
    ui_->Option2_0->setFocus(Qt::OtherFocusReason);
}

FrmInizio::~FrmInizio() = default;

QString FrmInizio::TipoEsercizio() const
{
    return ui_->Label2->text();
}

void FrmInizio::closeEvent(QCloseEvent *evento)
{
    emit RichiestaUscita();
    QMainWindow::closeEvent(evento);
}

void FrmInizio::SceltaLivello(int indice)
{
    if (indice >= 0 && indice < static_cast<int>(Livelli.size())) {
        const Livello &livello = Livelli[static_cast<std::size_t>(indice)];
        m_.NumeroMin = livello.minimo;
        m_.NumeroMax = livello.massimo;
        m_.TestoLivello = livello.testo;
    }
    const QString testo = DaStd(m_.TestoLivello);
    ui_->Label6->setText(testo);
    // The first choice loads the exercise window, hidden, with its first
    // problem drawn in the range just set; until "Vai" shows it, a later
    // choice draws that exercise again.
    emit LivelloScelto(testo);
    ui_->Frame3->setEnabled(true);
    option3_->SpostaFuoco(0);
}

void FrmInizio::EseguiComando(int indice)
{
    if (indice == 0) {
        emit RichiestaEsercizio();
    } else {
        emit RichiestaUscita();
    }
}

} // namespace lumivex
