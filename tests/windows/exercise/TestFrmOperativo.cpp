// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/finestre/FinestreProva.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QHash>

#include <algorithm>
#include <random>

using namespace lumivex;
using namespace lumivex::prove;

static const QStringList Pannelli{u"fraTastierino"_s, u"fraAiuto"_s, u"fraAvviso"_s, u"fraIntervento"_s};

class TestFrmOperativo : public QObject {
    Q_OBJECT

private slots:
    void esercizioInteroDaTastiera();
    void tastierinoEAccessibilita();
    void ridimensionamento();
    void doppioClicSulTastierino();
    void avvisoSottoIlClicAbituale();
    void tastiEClicCasualiNonRomponoNulla();
    void tempoDallaComparsaDelProblema();
};

void TestFrmOperativo::esercizioInteroDaTastiera()
{
    // Catches: the focus routing between keypad, help panel, intervention and
    // notice going astray at any step; a helped, refused or intervened answer
    // logged or counted wrongly; the notice without the focus on "Stampa".
    Programma p;
    FrmOperativo &w = p.Apri<FrmOperativo>();
    for (int n = 1; n <= 20; ++n) {
        QCOMPARE(ConFuoco(w), u"Option2_1"_s);
        const int soluzione = p.stato.Soluzione;
        const Qt::KeyboardModifiers modo = n % 2 == 0 ? Qt::KeypadModifier : Qt::NoModifier;
        std::string attese;
        // A wrong answer, then these keys on the help panel.
        const auto sbaglia = [&](std::initializer_list<Qt::Key> tasti) {
            Scrivi(w, soluzione + 1, modo);
            Premi(w, Qt::Key_Return);
            for (const Qt::Key tasto : tasti)
                Premi(w, tasto);
            attese += std::to_string(soluzione + 1) + "* ";
        };
        if (n == 3) {
            sbaglia({Qt::Key_Return}); // "Sì" has the focus
        } else if (n == 7) {
            for (int rifiuto = 0; rifiuto < 3; ++rifiuto)
                sbaglia({Qt::Key_2, Qt::Key_Return});
            QCOMPARE(ConFuoco(w), u"optOK"_s);
            Premi(w, Qt::Key_Return);
        } else {
            if (n == 5)
                sbaglia({Qt::Key_N, Qt::Key_Return});
            Scrivi(w, soluzione, modo);
            Premi(w, Qt::Key_Return);
        }
        attese += n == 3 || n == 7 ? " " + std::to_string(soluzione) + "\u00B0" : std::to_string(soluzione) + "  ";
        const std::string &riga = p.stato.ElencoOperazioni.at(static_cast<std::size_t>(n));
        QVERIFY2(riga.ends_with("(R." + attese), riga.c_str()); // what verification and help logged
        if (n < 20) {
            QCOMPARE(ConFuoco(w), u"Option2_12"_s);
            Premi(w, Qt::Key_Return);
        }
    }
    QCOMPARE(Testo(w, u"lblRisEsatte"_s), u"18"_s);
    QCOMPARE(Testo(w, u"lblRisErrate"_s), u"5"_s);
    QCOMPARE(ConFuoco(w), u"optAvviso_0"_s);
    Premi(w, Qt::Key_Return);
    QVERIFY(p.registro.Caricata<FrmStampaEsercizio>());
}

void TestFrmOperativo::tastierinoEAccessibilita()
{
    // Catches: a spoken name that is not the caption, a counter read as a
    // bare number (or nothing when zero), or the hidden term read
    // as its "?" instead of saying it is the term to find; the accessibility Press (clicked() without a mouse press) or a
    // right-button press not acting, or acting twice; a held key acting again;
    // BaseTasto not telling the numeric pad from the main row; the focus left
    // on a digit (Enter would type it again); 'A' or Space landing on a
    // disabled key; Backspace not shown at once.
    Programma p;
    FrmOperativo &w = p.Apri<FrmOperativo>();
    // A counter says what it counts: the heading over it and its number.
    const QHash<QString, QString> contatori{{u"LblOperazione"_s, u"Operazioni: 1"_s},
                                            {u"lblRisEsatte"_s, u"Risposte esatte: 0"_s},
                                            {u"lblRisErrate"_s, u"Risposte errate: 0"_s},
                                            {u"LblTempoParziale"_s, u"Tempo parziale: 0"_s},
                                            {u"LblTempoTotale"_s, u"Tempo totale: 0"_s}};
    for (QWidget *c : w.findChildren<QWidget *>()) { // labels and buttons
        if (const QVariant testo = c->property("text"); testo.isValid())
            QCOMPARE(QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name),
                     contatori.contains(c->objectName()) ? contatori.value(c->objectName())
                     : testo.toString() == u"?"_s       ? u"Termine da trovare"_s
                                                         : testo.toString());
    }
    const auto risposta = [&w] { return Testo(w, u"lblNumero2"_s); };

    QAccessible::queryAccessibleInterface(Tasto(w, 1))->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QTest::qWait(300); // a second, late press would show by now
    QCOMPARE(risposta(), u"1"_s);
    QTest::mouseClick(Tasto(w, 8), Qt::RightButton);
    QCOMPARE(risposta(), u"18"_s);
    Premi(w, Qt::Key_Backspace);
    QCOMPARE(risposta(), u"1"_s);
    for (const bool ripetuto : {false, true, true, true}) // "8" held down: auto-repeats, then the release
        QTest::simulateEvent(w.windowHandle(), true, Qt::Key_8, Qt::NoModifier, u"8"_s, ripetuto);
    QTest::simulateEvent(w.windowHandle(), false, Qt::Key_8, Qt::NoModifier, u"8"_s, false);
    QCOMPARE(risposta(), u"18"_s);
    QCOMPARE(ValoreNumerico(p.stato.BaseTasto), 48.0F);
    Premi(w, Qt::Key_A);
    QCOMPARE(ConFuoco(w), u"Option2_11"_s);
    Premi(w, Qt::Key_Space); // past "Avanti" and "Esco", round to "0"
    QCOMPARE(ConFuoco(w), u"Option2_0"_s);
    Premi(w, Qt::Key_8, Qt::KeypadModifier);
    Premi(w, Qt::Key_Backspace);
    QCOMPARE(ValoreNumerico(p.stato.BaseTasto), 96.0F);
    QCOMPARE(ConFuoco(w), u"Option2_11"_s);
}

void TestFrmOperativo::ridimensionamento()
{
    // Catches: crosses left where the labels were or drawn on the wrong
    // diagonal; panels drifting apart; a resize, or a 0 x 0 client area, that
    // does not come back to the load layout.
    Programma p;
    FrmOperativo &w = p.registro.Carica<FrmOperativo>();
    QWidget *area = w.centralWidget();
    const QSize caricamento = area->size();
    QList<std::pair<QWidget *, QRect>> geometrie;
    for (QWidget *c : area->findChildren<QWidget *>()) {
        if (!c->objectName().startsWith(u"Line"_s)) // the crosses follow the labels
            geometrie.append({c, c->geometry()});
    }
    w.show();
    Scrivi(w, 5);
    Premi(w, Qt::Key_Return); // wrong: crosses on the hidden term

    const auto ridimensiona = [&, bordo = w.size() - caricamento](QSize client) {
        w.resize(client + bordo);
        QVERIFY(QTest::qWaitFor([&] { return area->size() == client; }, 2000));
        for (int k = 1; k <= 4; ++k) {
            const QRect termine = Figlio(w, u"lblNumero%1"_s.arg(k))->geometry();
            QCOMPARE(Figlio(w, u"Line1_%1"_s.arg(k - 1))->geometry(), termine);
            QCOMPARE(Figlio(w, u"Line2_%1"_s.arg(k - 1))->geometry(), termine);
        }
        for (const QString &pannello : Pannelli)
            QCOMPARE(Figlio(w, pannello)->pos(), Figlio(w, u"lblRiferimento"_s)->pos());
    };
    // Each stroke is its own diagonal: red in its top-left corner or not.
    const auto rossoInAlto = [&](const QString &linea) {
        const QColor angolo = Figlio(w, linea)->grab().toImage().pixelColor(2, 2);
        return angolo.red() > 200 && angolo.green() < 80;
    };

    ridimensiona(QSize(1500, 820));
    QVERIFY(Figlio(w, u"Line1_1"_s)->isVisible() && rossoInAlto(u"Line1_1"_s) && !rossoInAlto(u"Line2_1"_s));
    area->resize(0, 0); // QMainWindow's layout never hands out 0 x 0
    ridimensiona(caricamento);
    for (const auto &[controllo, geometria] : geometrie)
        QVERIFY2(controllo->geometry() == geometria, qPrintable(controllo->objectName()));
}

void TestFrmOperativo::doppioClicSulTastierino()
{
    // Catches: the second of two quick clicks, which Qt delivers as a double
    // click, lost: "5" twice shows "5", "Cancella" twice removes one digit.
    Programma p;
    FrmOperativo &w = p.Apri<FrmOperativo>();
    const auto doppioClic = [&w](int tasto) {
        const QPushButton *pulsante = Tasto(w, tasto);
        QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, pulsante->mapTo(&w, pulsante->rect().center()));
    };
    doppioClic(5);
    QCOMPARE(Testo(w, u"lblNumero2"_s), u"55"_s);
    doppioClic(1);
    doppioClic(SchermoOperativo::TastoCancella);
    QCOMPARE(Testo(w, u"lblNumero2"_s), u"55"_s);
}

void TestFrmOperativo::avvisoSottoIlClicAbituale()
{
    // Catches: "Ricomincia" lying where "Avanti" was, or where the command
    // that settled the last problem was, so the pupil's next habitual click
    // (or the second half of a double click) wipes the finished exercise;
    // a resize moving the notice's options off those places.
    Programma p;
    FrmOperativo &w = p.registro.Carica<FrmOperativo>();
    QWidget *area = w.centralWidget();
    const QSize progetto = area->size();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (int n = 1; n <= 20; ++n) {
        Scrivi(w, p.stato.Soluzione);
        Premi(w, Qt::Key_Return);
        if (n < 20)
            Premi(w, Qt::Key_Return);
    }
    QVERIFY(Figlio(w, u"fraAvviso"_s)->isEnabled());
    const auto posto = [area](const QString &nome) {
        const QWidget *c = Figlio(*area, nome);
        return QRect(c->mapTo(area, QPoint()), c->size());
    };
    for (const QSize client : {QSize(1920, 1080) - (w.size() - area->size()), progetto}) {
        w.resize(client + (w.size() - area->size()));
        QVERIFY(QTest::qWaitFor([&] { return area->size() == client; }, 2000));
        const QRect avanti = posto(u"Option2_12"_s);
        QVERIFY(posto(u"optAvviso_0"_s).contains(avanti));
        QCOMPARE(area->childAt(avanti.center()), Figlio(*area, u"optAvviso_0"_s));
        for (const QString &ultimo : {u"Option2_11"_s, u"Option2_12"_s, u"Option2_13"_s, u"Option3_0"_s, u"optOK"_s})
            QVERIFY2(!posto(u"optAvviso_1"_s).intersects(posto(ultimo)), qPrintable(ultimo));
    }

    // Two clicks where "Avanti" was: the report, and the exercise kept.
    const QPushButton *avanti = Tasto(w, SchermoOperativo::TastoAvanti);
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, avanti->mapTo(&w, avanti->rect().center()));
    QVERIFY(p.registro.Caricata<FrmStampaEsercizio>());
    QCOMPARE(p.stato.NumOperazioni, 20);
    QVERIFY(Figlio(w, u"fraAvviso"_s)->isEnabled());

    // "Ricomincia" chosen on purpose still starts again.
    QTest::mouseClick(Pulsante(w, u"optAvviso_1"_s), Qt::LeftButton);
    QVERIFY(Figlio(w, u"fraTastierino"_s)->isEnabled());
}

void TestFrmOperativo::tastiEClicCasualiNonRomponoNulla()
{
    // Catches: an order of keys and clicks nobody thought of leaving two
    // panels usable at once, more than twenty problems, or a crash under the
    // sanitizers.
    Programma p;
    FrmOperativo *w = &p.Apri<FrmOperativo>();
    const QList tasti{Qt::Key_0, Qt::Key_5, Qt::Key_9, Qt::Key_C, Qt::Key_V, Qt::Key_A, Qt::Key_E,
                      Qt::Key_S, Qt::Key_N, Qt::Key_Return, Qt::Key_Space, Qt::Key_Backspace};
    std::mt19937 generatore(20260712);
    const auto caso = [&generatore](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n - 1)(generatore); };
    bool avvisoRaggiunto = false;
    for (int evento = 0; evento <= 600; ++evento) {
        if (!p.registro.Caricata<FrmOperativo>()) // "Esco" unloaded it; "Vai" loads it again
            w = &p.Apri<FrmOperativo>();
        avvisoRaggiunto = avvisoRaggiunto || Figlio(*w, u"fraAvviso"_s)->isEnabled();
        QVERIFY(p.stato.NumOperazioni <= 20);
        QCOMPARE(std::ranges::count_if(Pannelli, [&](const QString &f) { return Figlio(*w, f)->isEnabled(); }), 1);
        QList<QPushButton *> pulsanti = w->findChildren<QPushButton *>();
        pulsanti.removeOne(Tasto(*w, 13)); // "Esco" by key only, or an exercise would seldom end
        if (const qsizetype mossa = caso(3); mossa == 0) {
            Premi(*w, tasti.at(caso(tasti.size())), caso(3) == 0 ? Qt::KeypadModifier : Qt::NoModifier);
        } else if (mossa == 1) {
            QTest::mouseClick(pulsanti.at(caso(pulsanti.size())), caso(4) == 0 ? Qt::RightButton : Qt::LeftButton);
        } else { // a pupil who knows the answer
            Scrivi(*w, p.stato.Soluzione);
            Premi(*w, Qt::Key_Return);
        }
    }
    // Otherwise the run never saw the notice and proves less than it seems.
    QVERIFY(avvisoRaggiunto);
}

void TestFrmOperativo::tempoDallaComparsaDelProblema()
{
    // Catches: the first answer timed from the window's load (the range
    // choice), the time before "Vai" counted as answering; a minimise and
    // restore starting the time of an open problem again.
    Programma p;
    p.registro.Carica<FrmOperativo>();
    p.orologio.Avanza(100.0);
    FrmOperativo &w = p.Apri<FrmOperativo>();
    p.orologio.Avanza(4.0);
    Scrivi(w, p.stato.Soluzione);
    Premi(w, Qt::Key_Return);
    QCOMPARE(Testo(w, u"LblTempoParziale"_s), u" 4"_s);

    Premi(w, Qt::Key_Return); // "Avanti"
    p.orologio.Avanza(10.0);
    w.showMinimized();
    QVERIFY(w.isMinimized());
    p.Apri<FrmOperativo>();
    p.orologio.Avanza(2.0);
    Scrivi(w, p.stato.Soluzione);
    Premi(w, Qt::Key_Return);
    QCOMPARE(Testo(w, u"LblTempoParziale"_s), u" 12"_s);
    QCOMPARE(Testo(w, u"LblTempoTotale"_s), u" 16"_s);
}

QTEST_MAIN(TestFrmOperativo)
#include "TestFrmOperativo.moc"
