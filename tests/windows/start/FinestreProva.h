// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Navigazione.h"
#include "exercise/Modulo2.h"
#include "worksheets/StatoScheda.h"
#include "support/Finti.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "windows/about/frmAutore.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/exercise/FrmOperativo.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/report/FrmStampaEsercizio.h"
#include "windows/start/FrmInizio.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <string>

namespace lumivex::prove {

using namespace Qt::StringLiterals;

// The windows as main() wires them, with a scripted clock and random source
// and a printer that only records. The first problem drawn is 36 - ? = 30 - 12.
struct Programma {
    Programma()
    {
        stato.NumeroMin = 10;
        stato.NumeroMax = 40;
        casuale.Problema(10, 40, {36, 18, 30, 12}, 2);
        RegistraFinestre(registro, stato, schede, casuale, orologio, stampante);
    }

    // Shown maximized and active, as the program shows it.
    template <class T>
    T &Apri()
    {
        T &finestra = registro.MostraIngrandita<T>();
        finestra.activateWindow();
        if (!QTest::qWaitForWindowActive(&finestra))
            qFatal("%s non si attiva", T::staticMetaObject.className());
        return finestra;
    }

    Modulo2 stato;
    StatoScheda schede;
    SorgenteFinta casuale;
    OrologioFinto orologio;
    StampanteRegistratrice stampante;
    int fine = 0;              // times the program was told to end
    int caricateAllaFine = -1; // windows still loaded when it last was
    RegistroFinestre registro{[this] { ++fine; caricateAllaFine = registro.FinestreCaricate(); }};
};

template <class T = QWidget>
T *Figlio(const QWidget &w, const QString &nome)
{
    T *trovato = w.findChild<T *>(nome);
    if (trovato == nullptr)
        qFatal("Manca %s", qPrintable(nome));
    return trovato;
}

inline QPushButton *Pulsante(const QWidget &w, const QString &nome) { return Figlio<QPushButton>(w, nome); }
inline QPushButton *Tasto(const QWidget &w, int i) { return Pulsante(w, u"Option2_%1"_s.arg(i)); }
inline QString Testo(const QWidget &w, const QString &nome) { return Figlio<QLabel>(w, nome)->text(); }
inline QString ConFuoco(const QWidget &w) { return w.focusWidget() != nullptr ? w.focusWidget()->objectName() : QString(); }

// Through the window, so the program's own focus routing picks the receiver.
inline void Premi(QWidget &w, Qt::Key tasto, Qt::KeyboardModifiers modo = Qt::NoModifier)
{
    QTest::keyClick(w.windowHandle(), tasto, modo);
}

inline void Scrivi(QWidget &w, int numero, Qt::KeyboardModifiers modo = Qt::NoModifier)
{
    for (const char cifra : std::to_string(numero))
        Premi(w, static_cast<Qt::Key>(Qt::Key_0 + (cifra - '0')), modo);
}

} // namespace lumivex::prove
