// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/finestre/FinestreProva.h"

#include "app/Navigazione.h"

#include <string>

namespace lumivex::prove {

Programma::Programma() : Programma(registratrice) {}

Programma::Programma(Stampante &propria)
    : stampante(propria)
{
    stato.NumeroMin = 10;
    stato.NumeroMax = 40;
    casuale.Problema(10, 40, {36, 18, 30, 12}, 2);
    RegistraFinestre(registro, stato, schede, casuale, orologio, stampante);
}

QStringList Programma::Caricate() const
{
    QStringList nomi;
    const auto segna = [&nomi](bool caricata, const QString &nome) {
        if (caricata)
            nomi.append(nome);
    };
    segna(registro.Caricata<frmAutore>(), u"frmAutore"_s);
    segna(registro.Caricata<FrmInizio>(), u"FrmInizio"_s);
    segna(registro.Caricata<FrmOperativo>(), u"FrmOperativo"_s);
    segna(registro.Caricata<frmSceltaStampante>(), u"frmSceltaStampante"_s);
    segna(registro.Caricata<FrmStampaEsercizio>(), u"FrmStampaEsercizio"_s);
    segna(registro.Caricata<FrmStampaSchedeBig>(), u"FrmStampaSchedeBig"_s);
    segna(registro.Caricata<frmNome>(), u"frmNome"_s);
    segna(registro.Caricata<FrmAttestato>(), u"FrmAttestato"_s);
    return nomi;
}

QPushButton *Pulsante(const QWidget &w, const QString &nome)
{
    return Figlio<QPushButton>(w, nome);
}

QPushButton *Tasto(const QWidget &w, int i)
{
    return Pulsante(w, u"Option2_%1"_s.arg(i));
}

QString Testo(const QWidget &w, const QString &nome)
{
    return Figlio<QLabel>(w, nome)->text();
}

QString ConFuoco(const QWidget &w)
{
    return w.focusWidget() != nullptr ? w.focusWidget()->objectName() : QString();
}

void Premi(QWidget &w, Qt::Key tasto, Qt::KeyboardModifiers modo)
{
    QTest::keyClick(w.windowHandle(), tasto, modo);
}

void Scrivi(QWidget &w, int numero, Qt::KeyboardModifiers modo)
{
    for (const char cifra : std::to_string(numero))
        Premi(w, static_cast<Qt::Key>(Qt::Key_0 + (cifra - '0')), modo);
}

} // namespace lumivex::prove
