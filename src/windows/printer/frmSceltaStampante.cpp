// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/printer/frmSceltaStampante.h"

#include "ui_frmSceltaStampante.h"

#include "printing/ElencoIncompleto.h"
#include "printing/ErroreStampa.h"
#include "printing/Stampante.h"
#include "qt/Testo.h"
#include "windows/common/Accessibilita.h"
#include "windows/common/Centratura.h"
#include "windows/common/Messaggio.h"
#include "windows/common/TestiStampa.h"

#include <QCloseEvent>

#include <optional>

namespace lumivex {

namespace {

const QString Predefinita = QStringLiteral("La stampante predefinita è ");
const QString Scelta = QStringLiteral("La stampante scelta è ");

} // namespace

frmSceltaStampante::frmSceltaStampante(Stampante &stampante)
    : stampante_(stampante)
    , ui_(std::make_unique<Ui::frmSceltaStampante>())
{
    // The title stays the form's; a reader announces a dialog by its name.
    ImpostaRuoloLetto(*this, QAccessible::Dialog);
    ui_->setupUi(this);
    setFixedSize(size());
    connect(ui_->Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->Combo1, &QComboBox::activated, this, &frmSceltaStampante::Combo1_Click);
    // A print system that does not answer leaves the list as far as it got
    // and says so; the window stays usable to choose what is there, or to close.
    try {
        ElencaStampanti();
        MostraPredefinita();
    } catch (const ElencoIncompleto &errore) {
        MostraPredefinita();
        MostraMessaggio(this, TestoGuastoStampa(errore.Guasto(), errore.Dettaglio()));
    } catch (const ErroreStampa &errore) {
        MostraMessaggio(this, TestoGuastoStampa(errore.Guasto(), errore.Dettaglio()));
    }
}

frmSceltaStampante::~frmSceltaStampante() = default;

void frmSceltaStampante::showEvent(QShowEvent *evento)
{
    CentraSulloSchermo(*this);
    QWidget::showEvent(evento);
}

void frmSceltaStampante::ElencaStampanti()
{
    std::optional<ElencoIncompleto> incompleto;
    try {
        elenco_ = stampante_.Printers();
    } catch (const ElencoIncompleto &errore) {
        elenco_ = errore.Disponibili;
        incompleto = errore;
        ElencoParziale = true;
    }
    for (const Dispositivo &dispositivo : elenco_) {
        ui_->Combo1->addItem(DaStd(stampante_.DeviceName(dispositivo)));
    }
    ui_->Combo1->setCurrentIndex(0);
    Combo1_Click();
    if (incompleto) {
        throw *incompleto;
    }
}

void frmSceltaStampante::closeEvent(QCloseEvent *evento)
{
    // What a short list offers needs no print system, and the message told
    // the user it is what prints for now: closing on it takes it, as the
    // default named in Label1.
    if (ElencoParziale) {
        const std::string mostrato = AStd(ui_->Combo1->currentText());
        for (const Dispositivo &dispositivo : elenco_) {
            if (stampante_.DeviceName(dispositivo) == mostrato) {
                try {
                    stampante_.Printer(dispositivo);
                } catch (const ErroreStampa &errore) {
                    MostraMessaggio(this, TestoGuastoStampa(errore.Guasto(), errore.Dettaglio()));
                }
                break;
            }
        }
    }
    QWidget::closeEvent(evento);
}

void frmSceltaStampante::MostraPredefinita()
{
    // Asking a silent print system for its default would only wait again;
    // the entry shown is what closing the window makes current.
    if (ElencoParziale) {
        if (!elenco_.empty()) {
            ui_->Label1->setText(Predefinita + QLatin1Char('\n') + ui_->Combo1->currentText());
        }
        return;
    }
    ui_->Label1->setText(Predefinita + QLatin1Char('\n') + DaStd(stampante_.DeviceName(stampante_.Printer())));
}

void frmSceltaStampante::Combo1_Click()
{
    if (!SelezioneVista) {
        SelezioneVista = true;
        return;
    }
    try {
        // The list as shown: asking the print system again at every
        // selection would cost a wait each time it is silent.
        const std::string scelto = AStd(ui_->Combo1->currentText());
        for (const Dispositivo &dispositivo : elenco_) {
            if (stampante_.DeviceName(dispositivo) == scelto) {
                stampante_.Printer(dispositivo);
                break;
            }
        }
        ui_->Label2->setText(Scelta + QLatin1Char('\n') + DaStd(stampante_.DeviceName(stampante_.Printer())));
    } catch (const ErroreStampa &errore) {
        MostraMessaggio(this, TestoGuastoStampa(errore.Guasto(), errore.Dettaglio()));
    }
}

} // namespace lumivex
