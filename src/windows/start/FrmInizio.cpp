// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/start/FrmInizio.h"

#include "ui_FrmInizio.h"

#include "exercise/Modulo2.h"
#include "qt/ImmagineGrezza.h"
#include "qt/Testo.h"

#include <QCloseEvent>

namespace lumivex {

FrmInizio::FrmInizio(Modulo2 &modulo)
    : m_(modulo)
    , ui_(std::make_unique<Ui::FrmInizio>())
{
    ui_->setupUi(this);
    figura_ = std::make_unique<FiguraAnticipata>(*ui_->Image1, ImmagineGrezza(QStringLiteral(":/immagini/Image1")));
    ui_->Label2->setText(DaStd(m_.TipoEsercizio));
    ui_->Label7->setText(QStringLiteral("Ver. " LUMIVEX_VERSIONE));
    scala_.RegistraProporzioni(*this);
    option2_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option2"), ColoriCiano,
                                                3, [this](int indice) { SceltaLivello(indice); });
    option3_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option3"), ColoriCiano,
                                                2, [this](int indice) { EseguiComando(indice); });
    connect(ui_->frmStampaSchede, &QAction::triggered, this, &FrmInizio::RichiestaSchede);
    connect(ui_->mnuRegistro, &QAction::triggered, this, &FrmInizio::RichiestaRegistro);
    connect(ui_->mnuAutore, &QAction::triggered, this, &FrmInizio::RichiestaAutore);
    ui_->Option2_0->setFocus(Qt::OtherFocusReason);
}

FrmInizio::~FrmInizio() = default;

QString FrmInizio::TipoEsercizio() const
{
    return DaStd(m_.TipoEsercizio);
}

void FrmInizio::closeEvent(QCloseEvent *evento)
{
    emit RichiestaUscita();
    QMainWindow::closeEvent(evento);
}

void FrmInizio::SceltaLivello(int indice)
{
    m_.SceltaLivello(indice);
    const QString testo = DaStd(m_.TestoLivello);
    ui_->Label6->setText(testo);
    // The first choice loads the exercise window, hidden, with its first
    // problem drawn in the range just set; until "Vai" shows it, a later
    // choice draws that exercise again.
    emit LivelloScelto(testo);
    ui_->Frame3->setEnabled(true);
    option3_->SpostaFuoco(Vai);
}

void FrmInizio::EseguiComando(int indice)
{
    if (indice == Vai) {
        emit RichiestaEsercizio();
    } else {
        emit RichiestaUscita();
    }
}

} // namespace lumivex
