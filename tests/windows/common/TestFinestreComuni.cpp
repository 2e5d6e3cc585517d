// SPDX-License-Identifier: GPL-3.0-or-later
// The parts every window is built from: command arrays, proportional
// scaling, the window registry.
#include "qt/Testo.h"
#include "windows/common/ComandiOpzione.h"
#include "windows/common/FiguraAnticipata.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/common/ScalaProporzionale.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <map>
#include <memory>
#include <vector>

using namespace lumivex;
using namespace Qt::StringLiterals;
using Azioni = std::vector<int>;

namespace {

// To the focus widget, as the keyboard would.
void Tasto(QKeyCombination tasto)
{
    QTest::keyClick(static_cast<QWidget *>(nullptr), tasto.key(), tasto.keyboardModifiers());
}

// Return pressed and released; held, as X11 sends it, each repeat is one more
// release and press, both flagged.
void Invio(int ripetizioni = 0)
{
    const int ultimo = 2 * ripetizioni + 1;
    for (int i = 0; i <= ultimo; ++i) {
        QKeyEvent evento(i % 2 ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(),
                         i > 0 && i < ultimo);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &evento);
    }
}

// A key event as the X platform plugin hands it to the window: with the
// key's scan code and the server's timestamp.
void TastoX(QWindow *finestra, QEvent::Type tipo, int tasto, quint64 tempo, bool ripetuto = false)
{
    constexpr quint32 Scansione = 36;
    QKeyEvent evento(tipo, tasto, Qt::NoModifier, Scansione, 0, 0, QString(), ripetuto);
    evento.setTimestamp(tempo);
    QCoreApplication::sendEvent(finestra, &evento);
}

// Return held from time zero: each repeat is a release and a press with one
// timestamp, flagged or not as Qt happened to pair them; then the release.
void InvioTenutoX(QWindow *finestra, quint64 inizio, std::initializer_list<bool> ripetizioniSegnate)
{
    TastoX(finestra, QEvent::KeyPress, Qt::Key_Return, inizio);
    quint64 tempo = inizio + 660;
    for (const bool segnata : ripetizioniSegnate) {
        TastoX(finestra, QEvent::KeyRelease, Qt::Key_Return, tempo, segnata);
        TastoX(finestra, QEvent::KeyPress, Qt::Key_Return, tempo, segnata);
        tempo += 40;
    }
    TastoX(finestra, QEvent::KeyRelease, Qt::Key_Return, tempo);
}

// Any window of the program: the constructor is its load work, closeEvent
// its unload work.
template <int N>
class Finestra : public QWidget {
public:
    static inline int caricamenti = 0;
    static inline int scaricamenti = 0;
    Finestra() { ++caricamenti; }

protected:
    void closeEvent(QCloseEvent *) override { ++scaricamenti; }
};

using Inizio = Finestra<0>;
using Operativo = Finestra<1>;

} // namespace

class TestFinestreComuni : public QObject {
    Q_OBJECT

private slots:
    void figuraAnticipataComeLaScalaturaDellEtichetta()
    {
        // Catches: the picture scaled ahead showing other pixels than the
        // label's own scaling (another mode, the margin or frame left out of
        // the size, a translucent picture kept as opaque), never handed to the
        // label (no time saved), or a later size scaled from an earlier scaled
        // copy rather than the original.
        auto Etichetta = [](QWidget &finestra) {
            auto *etichetta = new QLabel(&finestra);
            etichetta->setScaledContents(true);
            etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
            etichetta->setLineWidth(2);
            etichetta->setMargin(3);
            return etichetta;
        };
        for (const int alfa : {255, 90}) {
            QImage originale(37, 23, QImage::Format_ARGB32_Premultiplied);
            for (int y = 0; y < originale.height(); ++y) {
                for (int x = 0; x < originale.width(); ++x) {
                    const int a = (x + y) % 5 == 0 ? alfa : 255;
                    originale.setPixel(
                        x, y, qPremultiply(qRgba((x * 53 + y * 7) % 256, (y * 97) % 256, (x * y * 13) % 256, a)));
                }
            }
            QWidget finestra;
            finestra.setStyleSheet(u"background: #3070c0"_s);
            QLabel *attesa = Etichetta(finestra);
            attesa->setPixmap(QPixmap::fromImage(originale));
            QLabel *anticipata = Etichetta(finestra);
            FiguraAnticipata figura(*anticipata, originale);
            QCOMPARE(anticipata->pixmap().size(), originale.size());

            finestra.show();
            QVERIFY(QTest::qWaitForWindowExposed(&finestra));
            for (const QSize misura : {QSize(101, 77), QSize(40, 260), QSize(101, 77)}) {
                attesa->setGeometry(QRect({0, 0}, misura));
                anticipata->setGeometry(QRect({0, 300}, misura));
                const QImage vista = anticipata->grab().toImage();
                QCOMPARE(anticipata->pixmap().size(), FiguraAnticipata::MisuraInEtichetta(*anticipata));
                QCOMPARE(anticipata->pixmap().hasAlphaChannel(), alfa != 255);
                QCOMPARE(vista, attesa->grab().toImage());
            }
        }
    }

    // Catches: an element's command run by the wrong key, press or
    // accessibility action, or twice, or not at all.
    // Two arrays on one window: Cmd_0..Cmd_2 (digits 1..4) and Cmd_3, which
    // Cmd_1's command gives the focus to.
    void comandiDaTastiMouseEAccessibilita()
    {
        QWidget finestra;
        QList<QPushButton *> p;
        for (int i = 0; i < 4; ++i)
            p.push_back(new QPushButton(u"Cmd_%1"_s.arg(i), &finestra));
        Azioni azioniA, azioniB;
        ComandiOpzione b(p.mid(3), {Qt::cyan, Qt::white}, 1, [&](int i) { azioniB.push_back(i); });
        ComandiOpzione a(p.mid(0, 3), {Qt::cyan, Qt::white}, 4, [&](int i) {
            azioniA.push_back(i);
            if (i == 1)
                b.SpostaFuoco(0);
        });
        finestra.show();
        finestra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));

        // Space walks over the disabled Cmd_1 and wraps; digit 2 aims at it, 4
        // beyond the array, 5 is not listed.
        p[1]->setEnabled(false);
        a.SpostaFuoco(0);
        QString fuochi;
        const Qt::KeyboardModifier kp = Qt::KeypadModifier;
        const QList<QKeyCombination> tasti{Qt::Key_Space,  Qt::Key_Space,  Qt::Key_Space, Qt::Key_2,
                                           Qt::Key_4,      Qt::Key_5,      kp | Qt::Key_2, kp | Qt::Key_4,
                                           Qt::Key_1,      Qt::Key_3,      kp | Qt::Key_1, kp | Qt::Key_3};
        for (const QKeyCombination tasto : tasti) {
            Tasto(tasto);
            fuochi += QString::number(a.IndiceConFuoco());
        }
        QCOMPARE(fuochi, u"202222220202"_s);
        QVERIFY(azioniA.empty());

        p[1]->setEnabled(true);
        Tasto(Qt::KeypadModifier | Qt::Key_Enter);
        Invio(3);
        QCOMPARE(azioniA, (Azioni{2, 2}));
        Tasto(Qt::Key_2);
        Invio(3);
        QCOMPARE(b.IndiceConFuoco(), 0);
        // Its last release went to the other array: a real new press still acts.
        a.SpostaFuoco(1);
        Invio();
        QCOMPARE(azioniA, (Azioni{2, 2, 1, 1}));
        QVERIFY(azioniB.empty());

        QTest::mousePress(p[3], Qt::RightButton);
        QTest::mouseRelease(p[3], Qt::RightButton);
        QAccessibleInterface *accessibile = QAccessible::queryAccessibleInterface(p[0]);
        accessibile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(azioniA.size(), 5U);
        QTest::qWait(100);
        QCOMPARE(azioniA, (Azioni{2, 2, 1, 1, 0}));
        QCOMPARE(azioniB, Azioni{0});
    }

    // Catches: real input (double clicks, held keys) running a command too
    // often or too seldom.
    // Real input through the window: Cmd_0..Cmd_1 (digits 1..2), Cmd_1's
    // command moves the focus to Cmd_2, an array of its own.
    void doppioClicETastiTenutiComeDaX()
    {
        QWidget finestra;
        QList<QPushButton *> p;
        for (int i = 0; i < 3; ++i)
            p.push_back(new QPushButton(u"Cmd_%1"_s.arg(i), &finestra));
        p[1]->move(0, 60);
        p[2]->move(0, 120);
        Azioni azioniA, azioniB;
        ComandiOpzione b(p.mid(2), {Qt::cyan, Qt::white}, 1, [&](int i) { azioniB.push_back(i); });
        ComandiOpzione a(p.mid(0, 2), {Qt::cyan, Qt::white}, 2, [&](int i) {
            azioniA.push_back(i);
            if (i == 1)
                b.SpostaFuoco(0);
        });
        finestra.show();
        finestra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        QWindow *x = finestra.windowHandle();

        // Catches: the second press of a double click, delivered as
        // MouseButtonDblClick, dropped.
        QTest::mouseDClick(x, Qt::LeftButton, {}, p[0]->geometry().center());
        QCOMPARE(azioniA, (Azioni{0, 0}));

        // Catches: repeats Qt leaves unflagged acting again; a repeat running
        // the command of the array the first press moved the focus to.
        a.SpostaFuoco(1);
        InvioTenutoX(x, 1000, {false, true, false, false, true, false});
        QCOMPARE(azioniA, (Azioni{0, 0, 1}));
        QVERIFY(azioniB.empty());
        // Catches: a real press after the release swallowed, here on the
        // array that did not see the press.
        TastoX(x, QEvent::KeyPress, Qt::Key_Return, 2000);
        TastoX(x, QEvent::KeyRelease, Qt::Key_Return, 2090);
        QCOMPARE(azioniB, Azioni{0});

        // Catches: a release lost with the program in the background, or long
        // ago, turning the next real press into a "repeat".
        TastoX(x, QEvent::KeyPress, Qt::Key_Return, 3000);
        QApplicationStateChangeEvent sfondo(Qt::ApplicationInactive);
        QCoreApplication::sendEvent(qApp, &sfondo);
        TastoX(x, QEvent::KeyPress, Qt::Key_Return, 3100);
        TastoX(x, QEvent::KeyPress, Qt::Key_Return, 9000);
        QCOMPARE(azioniB, (Azioni{0, 0, 0, 0}));
        TastoX(x, QEvent::KeyRelease, Qt::Key_Return, 9050);

        // Catches: synthetic keys, whose clock a release and the next press may
        // share, taken for repeats.
        for (int volta = 0; volta < 3; ++volta)
            QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(azioniB.size(), 7U);
    }

    // Catches: controls out of proportion after a resize (combo boxes and
    // lines keep their height), or drifting off the design on the way back.
    // Laid out as Designer leaves a form, at 400 x 300.
    void scalaEPoiTornaAlProgetto()
    {
        QWidget finestra;
        finestra.resize(400, 300);
        auto *cornice = new QFrame(&finestra);
        auto *interna = new QLabel(cornice);
        auto *nascosta = new QLabel(&finestra);
        auto *combo = new QComboBox(&finestra);
        auto *linea = new QFrame(&finestra);
        linea->setFrameShape(QFrame::HLine);
        nascosta->hide();
        const std::map<QWidget *, QRect> progetto{{cornice, {40, 30, 200, 150}}, {interna, {20, 15, 100, 60}},
                                                  {nascosta, {300, 200, 50, 40}}, {combo, {10, 260, 80, 24}},
                                                  {linea, {10, 10, 100, 3}}};
        for (const auto &[w, posto] : progetto)
            w->setGeometry(posto);
        ScalaProporzionale scala;
        scala.RegistraProporzioni(finestra);

        finestra.resize(800, 600);
        scala.ApplicaProporzioni();
        QCOMPARE(cornice->geometry(), QRect(80, 60, 400, 300));
        QCOMPARE(interna->geometry(), QRect(40, 30, 200, 120));
        QCOMPARE(nascosta->geometry(), QRect(600, 400, 100, 80));
        QCOMPARE(combo->geometry(), progetto.at(combo));
        QCOMPARE(linea->geometry(), progetto.at(linea));

        // An empty area and odd sizes on the way back must not drift.
        for (const QSize passo : {QSize(0, 0), QSize(1013, 707), QSize(333, 211), QSize(400, 300)}) {
            finestra.resize(passo);
            scala.ApplicaProporzioni();
        }
        for (const auto &[w, posto] : progetto)
            QCOMPARE(w->geometry(), posto);
    }

    // Catches: the two colours of a pair swapped, or one of them left on a
    // button the focus has left.
    void coloriDelFuocoENormali()
    {
        QWidget finestra;
        QList<QPushButton *> p;
        for (int i = 0; i < 3; ++i)
            p.push_back(new QPushButton(u"Cmd_%1"_s.arg(i), &finestra));
        ComandiOpzione a(p, ColoriArancio, 3, [](int) {});
        finestra.show();
        finestra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&finestra));
        const auto colori = [&p] {
            QList<QColor> elenco;
            for (const QPushButton *pulsante : p)
                elenco.push_back(pulsante->palette().color(QPalette::Button));
            return elenco;
        };
        const QColor fuoco = ColoriArancio.Fuoco;
        const QColor normale = ColoriArancio.Normale;
        QVERIFY(fuoco != normale);
        a.SpostaFuoco(1);
        QCOMPARE(colori(), (QList<QColor>{normale, fuoco, normale}));
        Tasto(Qt::Key_3);
        QCOMPARE(colori(), (QList<QColor>{normale, normale, fuoco}));
    }

    // Catches: a conversion that is not UTF-8 both ways (Latin-1 or the
    // locale's), which would mangle the program's accented texts, and one
    // that stops at an embedded zero.
    void testoUtf8AndataERitorno()
    {
        const std::string italiano = "Perciò è già l'ora: 90°";
        QCOMPARE(DaStd(italiano), u"Perciò è già l'ora: 90°"_s);
        QCOMPARE(AStd(DaStd(italiano)), italiano);
        const std::string conZero("a\0b", 3);
        QCOMPARE(DaStd(conZero).size(), 3);
        QCOMPARE(AStd(DaStd(conZero)), conZero);
        QCOMPARE(AStd(QString()), std::string());
    }

    // Catches: a window built twice; the close box hiding a window without
    // unloading it; the program ending while a hidden window is loaded, or
    // not when the last one goes.
    void registroCaricaScaricaEFine()
    {
        int fine = 0;
        RegistroFinestre registro([&fine] { ++fine; });
        registro.Registra<Inizio>([] { return std::make_unique<Inizio>(); });
        registro.Registra<Operativo>([] { return std::make_unique<Operativo>(); });
        QPointer<Operativo> operativo = &registro.Carica<Operativo>();
        QVERIFY(!operativo->isVisible());
        QCOMPARE(&registro.Carica<Operativo>(), operativo);
        QPointer<Inizio> inizio = &registro.Mostra<Inizio>();
        QCOMPARE(Inizio::caricamenti + Operativo::caricamenti, 2);

        // The close box unloads; the exercise window, loaded but hidden, keeps
        // the program alive.
        QVERIFY(QTest::qWaitForWindowExposed(inizio));
        QVERIFY(inizio->close());
        QVERIFY(!registro.Caricata<Inizio>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(inizio.isNull());
        QCOMPARE(fine, 0);

        registro.Scarica<Operativo>();
        registro.Scarica<Operativo>();
        QCOMPARE(Inizio::scaricamenti + Operativo::scaricamenti, 2);
        QCOMPARE(fine, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(operativo.isNull());
    }
};

QTEST_MAIN(TestFinestreComuni)
#include "TestFinestreComuni.moc"
