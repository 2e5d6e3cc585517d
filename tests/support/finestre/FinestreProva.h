// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Modulo2.h"
#include "support/Finti.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "windows/about/frmAutore.h"
#include "windows/certificate/FrmAttestato.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/exercise/FrmOperativo.h"
#include "windows/name/frmNome.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/register/FrmRegistro.h"
#include "windows/report/FrmStampaEsercizio.h"
#include "windows/start/FrmInizio.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"
#include "worksheets/StatoScheda.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>

namespace lumivex::prove {

using namespace Qt::StringLiterals;

// The windows as main() wires them, with a scripted clock and random source,
// printing on a printer that only records or on the test's own (a real one).
// The first problem drawn is 36 - ? = 30 - 12.
struct Programma {
    Programma();
    explicit Programma(Stampante &propria);

    // Which of the program's windows are loaded, in ChiudiTutto's order and
    // then the two it leaves.
    QStringList Caricate() const;

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
    StampanteRegistratrice registratrice;
    Stampante &stampante;
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

QPushButton *Pulsante(const QWidget &w, const QString &nome);
QPushButton *Tasto(const QWidget &w, int i);
QString Testo(const QWidget &w, const QString &nome);
QString ConFuoco(const QWidget &w);

// Through the window, so the program's own focus routing picks the receiver.
void Premi(QWidget &w, Qt::Key tasto, Qt::KeyboardModifiers modo = Qt::NoModifier);
void Scrivi(QWidget &w, int numero, Qt::KeyboardModifiers modo = Qt::NoModifier);

} // namespace lumivex::prove
