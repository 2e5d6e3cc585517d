// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/DlgPassword.h"

#include "windows/register/PasswordDocente.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lumivex::registro {

namespace {

constexpr int LunghezzaMinima = 4;

} // namespace

DlgPassword::DlgPassword(PasswordDocente &password, QWidget *genitore)
    : QDialog(genitore)
    , password_(password)
    , nuova_(!password.Impostata())
    , lblMessaggio_(new QLabel(this))
    , txtPassword_(new QLineEdit(this))
    , txtConferma_(new QLineEdit(this))
    , attesa_(new QTimer(this))
{
    setObjectName(QStringLiteral("DlgPassword"));
    setWindowTitle(QStringLiteral("Registro"));
    setModal(true);
    lblMessaggio_->setObjectName(QStringLiteral("lblMessaggio"));
    lblMessaggio_->setWordWrap(true);
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtConferma_->setObjectName(QStringLiteral("txtConferma"));
    for (QLineEdit *campo : {txtPassword_, txtConferma_})
        campo->setEchoMode(QLineEdit::Password);

    auto *campi = new QFormLayout;
    campi->addRow(QStringLiteral("Password dell'insegnante:"), txtPassword_);
    if (nuova_) {
        campi->addRow(QStringLiteral("Ripeti la password:"), txtConferma_);
        lblMessaggio_->setText(QStringLiteral("Il registro non ha ancora una password: scegline una (almeno %1 "
                                              "caratteri) e scrivila due volte. Non farla conoscere agli alunni.")
                                   .arg(LunghezzaMinima));
    } else {
        txtConferma_->hide();
        lblMessaggio_->setText(QStringLiteral("Scrivi la password dell'insegnante."));
    }
    auto *pulsanti = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOk_ = pulsanti->button(QDialogButtonBox::Ok);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    cmdOk_->setText(QStringLiteral("Apri"));
    pulsanti->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdAnnulla"));
    pulsanti->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &DlgPassword::Conferma);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colonna = new QVBoxLayout(this);
    colonna->addWidget(lblMessaggio_);
    colonna->addLayout(campi);
    colonna->addWidget(pulsanti);

    // The lock's countdown, and the button back when it ends.
    attesa_->setInterval(1000);
    connect(attesa_, &QTimer::timeout, this, &DlgPassword::MostraBlocco);
    MostraBlocco();
}

void DlgPassword::MostraBlocco()
{
    const int secondi = password_.SecondiAlloSblocco();
    cmdOk_->setEnabled(secondi == 0);
    txtPassword_->setEnabled(secondi == 0);
    if (secondi > 0) {
        lblMessaggio_->setText(
            QStringLiteral("Troppi tentativi sbagliati: il registro è bloccato. Riprova fra %1 secondi.").arg(secondi));
        attesa_->start();
    } else if (attesa_->isActive()) {
        attesa_->stop();
        lblMessaggio_->setText(QStringLiteral("Scrivi la password dell'insegnante."));
        txtPassword_->setFocus();
    }
}

void DlgPassword::Conferma()
{
    const QString scritta = txtPassword_->text();
    if (nuova_) {
        if (scritta.size() < LunghezzaMinima) {
            lblMessaggio_->setText(
                QStringLiteral("La password deve avere almeno %1 caratteri.").arg(LunghezzaMinima));
        } else if (scritta != txtConferma_->text()) {
            lblMessaggio_->setText(QStringLiteral("Le due password non sono uguali: scrivile di nuovo."));
        } else if (!password_.Imposta(scritta)) {
            lblMessaggio_->setText(QStringLiteral("Non riesco a salvare la password nel registro."));
        } else {
            accept();
            return;
        }
        txtPassword_->clear();
        txtConferma_->clear();
        txtPassword_->setFocus();
        return;
    }
    txtPassword_->clear();
    switch (password_.Verifica(scritta)) {
    case PasswordDocente::Esito::Giusta:
        accept();
        return;
    case PasswordDocente::Esito::Sbagliata:
        lblMessaggio_->setText(QStringLiteral("Password sbagliata."));
        break;
    case PasswordDocente::Esito::Bloccata:
        break;
    case PasswordDocente::Esito::Guasto:
        lblMessaggio_->setText(QStringLiteral("Il registro non si può leggere."));
        break;
    }
    MostraBlocco();
}

} // namespace lumivex::registro
