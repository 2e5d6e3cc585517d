// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/report/FrmStampaEsercizio.h"

#include "ui_FrmStampaEsercizio.h"

#include "exercise/Modulo2.h"
#include "printing/FontCourier.h"
#include "printing/StampaEsercizio.h"
#include "qt/Testo.h"
#include "windows/common/Messaggio.h"

namespace lumivex {

FrmStampaEsercizio::FrmStampaEsercizio(Modulo2 &modulo, Stampante &stampante)
    : m_(modulo)
    , stampante_(stampante)
    , ui_(std::make_unique<Ui::FrmStampaEsercizio>())
{
    ui_->setupUi(this);
    for (int riga = 1; riga <= Modulo2::OperazioniPerEsercizio; ++riga) {
        lblOp_[static_cast<std::size_t>(riga - 1)] = findChild<QLabel *>(QStringLiteral("LblOp_%1").arg(riga));
    }
    scala_.RegistraProporzioni(*this);
    option1_ = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(*this, u"Option1"), ColoriArancio,
                                                2, [this](int indice) { EseguiComando(indice); });
    connect(ui_->mnuScegli, &QAction::triggered, this, &FrmStampaEsercizio::RichiestaSceltaStampante);

    // The lines take the face the printed page will use, when there is one.
    const int righe = m_.RigheElencate();
    const std::optional<std::string> courier = CercaFontCourier(stampante_);
    if (!courier) {
        MostraEsitoStampa(this, EsitoStampa(EsitoStampa::Tipo::MancaCourier));
    } else {
        const bool courierNew = *courier == "Courier New";
        QFont carattere(DaStd(*courier), courierNew ? 9 : 10);
        carattere.setBold(courierNew);
        for (int riga = 0; riga < righe; ++riga) {
            lblOp_[static_cast<std::size_t>(riga)]->setFont(carattere);
        }
    }
    for (int riga = 1; riga <= righe; ++riga) {
        lblOp_[static_cast<std::size_t>(riga - 1)]->setText(DaStd(m_.ElencoOperazioni[static_cast<std::size_t>(riga)]));
    }
    const QString tempo =
        QStringLiteral("Tempo totale:    ") + DaStd(m_.StrTempoTotale) + QStringLiteral("   secondi");
    ui_->Label1->setText(tempo);
    ui_->Label2->setText(tempo);
}

FrmStampaEsercizio::~FrmStampaEsercizio() = default;

void FrmStampaEsercizio::EseguiComando(int indice)
{
    switch (indice) {
    case Esci:
        m_.ChiudiResoconto();
        close();
        break;
    case StampaResoconto:
        Stampa();
        break;
    case Nome:
        emit RichiestaNome();
        break;
    case Attestato:
        emit RichiestaAttestato();
        break;
    default:
        break;
    }
}

void FrmStampaEsercizio::Stampa()
{
    MostraEsitoStampa(this, StampaEsercizio(stampante_, m_));
}

} // namespace lumivex
