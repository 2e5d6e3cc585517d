// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/Messaggio.h"

#include "printing/EsitoStampa.h"
#include "windows/common/TestiStampa.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lumivex {

namespace {

void Mostra(QWidget *genitore, const QString &testo, QMessageBox::Icon icona)
{
    auto *scatola = new QMessageBox(icona, QCoreApplication::applicationName(), testo, QMessageBox::Ok, genitore);
    scatola->setObjectName(QStringLiteral("messaggio"));
    scatola->setAttribute(Qt::WA_DeleteOnClose);
    scatola->open();
}

} // namespace

void MostraMessaggio(QWidget *genitore, const QString &testo)
{
    Mostra(genitore, testo, QMessageBox::Warning);
}

void MostraEsitoStampa(QWidget *genitore, const EsitoStampa &esito)
{
    const QString testo = TestoEsitoStampa(esito);
    if (testo.isEmpty()) {
        return;
    }
    Mostra(genitore, testo,
           esito.Esito == EsitoStampa::Tipo::InPausa ? QMessageBox::Information : QMessageBox::Warning);
}

} // namespace lumivex
