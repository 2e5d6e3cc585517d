// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard and the mouse as a person uses them on an X server, where a
// held key repeats and a quick second click is a double click.
#include "support/finestre/FinestreProva.h"

#include "windows/name/frmNome.h"

#include "windows/x11/EventiX.h"

#include <QGuiApplication>

using namespace lumivex;
using namespace lumivex::prove;

class TestInputReale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tastierinoConTastiTenutiEDoppioClic();
    void nomeConLetteraTenuta();

private:
    [[nodiscard]] bool X(const QString &comandi) { return eventi_.Invia(comandi); }
    [[nodiscard]] static bool Attiva(QWidget &finestra) { return EventiX::Attiva(finestra); }

    EventiX eventi_;
};

void TestInputReale::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == u"xcb"_s, "serve un server X (xvfb-run)");
    qApp->installEventFilter(&eventi_);
}

// Catches: real X input on the keypad (held keys, quick presses, double
// clicks) acting too often or too seldom.
void TestInputReale::tastierinoConTastiTenutiEDoppioClic()
{
    Programma p;
    FrmOperativo &w = p.registro.Mostra<FrmOperativo>();
    QVERIFY(Attiva(w));
    const auto risposta = [&w] { return Testo(w, u"lblNumero2"_s); };

    // Catches: a held digit typed again by repeats Qt does not flag.
    QVERIFY(X(u"keydown 7 sleep 1.5 keyup 7"_s));
    QCOMPARE(risposta(), u"7"_s);
    // Catches: a quick real second press taken for a repeat.
    QVERIFY(X(u"key BackSpace 2 2"_s));
    QCOMPARE(risposta(), u"22"_s);

    // Catches: the second of two clicks a quarter of a second apart, which
    // comes as a double click, lost.
    QVERIFY(X(u"key BackSpace BackSpace"_s));
    const QPushButton *cinque = Tasto(w, 5);
    const QPoint centro = cinque->mapToGlobal(cinque->rect().center());
    QVERIFY(X(u"mousemove --sync %1 %2 click --repeat 2 --delay 250 1"_s.arg(centro.x()).arg(centro.y())));
    QCOMPARE(risposta(), u"55"_s);

    // Catches: Enter held on "Verifica" verifying, then its repeats running
    // "Avanti", which took the focus, and typing into the next problem.
    QVERIFY(X(u"key BackSpace BackSpace 1 8"_s));
    QCOMPARE(ConFuoco(w), u"Option2_11"_s);
    QVERIFY(X(u"keydown Return sleep 1.5 keyup Return"_s));
    QCOMPARE(Testo(w, u"lblRisEsatte"_s), u"1"_s);
    QCOMPARE(Testo(w, u"LblOperazione"_s), u"1"_s);
    QCOMPARE(ConFuoco(w), u"Option2_12"_s);
}

void TestInputReale::nomeConLetteraTenuta()
{
    // Catches: a held letter giving "MMMM"; the next real letter swallowed.
    Modulo2 modulo;
    frmNome finestra(modulo);
    finestra.show();
    QVERIFY(Attiva(finestra));
    QVERIFY(X(u"keydown m sleep 1.5 keyup m key a"_s));
    QCOMPARE(Testo(finestra, u"lblNome"_s), u"MA"_s);
}

QTEST_MAIN(TestInputReale)
#include "TestInputReale.moc"
