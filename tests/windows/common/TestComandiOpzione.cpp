#include "windows/common/ComandiOpzione.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

using lumivex::ComandiOpzione;
using Azioni = std::vector<int>;

namespace {

const QColor Fuoco(128, 255, 255);
const QColor Normale(192, 255, 255);

// Cmd_0 and Cmd_1 on the window, Cmd_2 and Cmd_3 inside a frame. The array
// is declared last, so it goes first.
struct Finestra {
    explicit Finestra(int ultimaCifra = 4)
    {
        cornice->setGeometry(0, 80, 200, 80);
        for (int i = 0; i < 4; ++i) {
            auto *pulsante = new QPushButton(QStringLiteral("Comando %1").arg(i), i < 2 ? &widget : cornice);
            pulsante->setObjectName(QStringLiteral("Cmd_%1").arg(i));
            pulsante->setGeometry(0, 40 * (i % 2), 100, 30);
        }
        comandi = std::make_unique<ComandiOpzione>(ComandiOpzione::Elementi(widget, u"Cmd"), Fuoco, Normale,
                                                   ultimaCifra, [this](int i) { eseguiti.push_back(i); });
        widget.show();
        widget.activateWindow();
    }

    QPushButton *Pulsante(int i) const { return comandi->Elemento(i); }
    int ConFuoco() const { return comandi->IndiceConFuoco(); }

    QWidget widget;
    QFrame *cornice = new QFrame(&widget);
    Azioni eseguiti;
    std::unique_ptr<ComandiOpzione> comandi;
};

// To the focus widget, as the keyboard would.
void Tasto(int tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget *>(nullptr), static_cast<Qt::Key>(tasto), modificatori);
}

void InviaTasto(QEvent::Type tipo, int tasto, bool ripetuto)
{
    QKeyEvent evento(tipo, tasto, Qt::NoModifier, QString(), ripetuto);
    QCoreApplication::sendEvent(QApplication::focusWidget(), &evento);
}

} // namespace

class TestComandiOpzione : public QObject {
    Q_OBJECT

private slots:
    void spazioSaltaIDisabilitatiERicomincia();
    void cifreELettereSpostanoIlFuoco();
    void tastiCheNonPortanoANulla();
    void invioEseguiUnaVoltaAncheTenuto();
    void rilascioSuAltroGruppoNonBloccaLaPressioneSuccessiva();
    void mouseCodiceEAccessibilitaEseguonoUnaVolta();
    void coloriDelFuoco();
    void gestoreTastiProprio();
    void sopravviveAiSuoiPulsanti();
};

void TestComandiOpzione::spazioSaltaIDisabilitatiERicomincia()
{
    Finestra f;
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.Pulsante(1)->setEnabled(false);
    f.Pulsante(3)->hide();
    f.comandi->SpostaFuoco(0);
    Tasto(Qt::Key_Space);
    QCOMPARE(f.ConFuoco(), 2);
    Tasto(Qt::Key_Space);
    QCOMPARE(f.ConFuoco(), 0);
    // "Esci" alone, "Vai" in a disabled frame: Space stays put.
    f.cornice->setEnabled(false);
    Tasto(Qt::Key_Space);
    QCOMPARE(f.ConFuoco(), 0);
    QVERIFY(f.eseguiti.empty());
}

void TestComandiOpzione::cifreELettereSpostanoIlFuoco()
{
    Finestra f(3);
    f.comandi->AssociaTasto(Qt::Key_S, 3);
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.comandi->SpostaFuoco(0);
    for (const auto riga : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
        for (const int cifra : {3, 2, 1}) {
            Tasto(Qt::Key_0 + cifra, riga);
            QCOMPARE(f.ConFuoco(), cifra - 1);
        }
    }
    Tasto(Qt::Key_S, Qt::ShiftModifier);
    QCOMPARE(f.ConFuoco(), 3);
    QVERIFY(f.eseguiti.empty());
}

void TestComandiOpzione::tastiCheNonPortanoANulla()
{
    // Digits 1..5 listed on four buttons: 5 lies beyond the array, 6 and 0
    // are not listed, 3 and 4 aim into a disabled frame.
    Finestra f(5);
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.cornice->setEnabled(false);
    f.comandi->SpostaFuoco(1);
    for (const int tasto : {Qt::Key_5, Qt::Key_6, Qt::Key_0, Qt::Key_3, Qt::Key_4, Qt::Key_Down, Qt::Key_Right,
                            Qt::Key_Up, Qt::Key_Left, Qt::Key_X, Qt::Key_Escape, Qt::Key_Backspace})
        Tasto(tasto);
    Tasto(Qt::Key_3, Qt::KeypadModifier);
    QCOMPARE(f.ConFuoco(), 1);
    QVERIFY(f.eseguiti.empty());
}

void TestComandiOpzione::invioEseguiUnaVoltaAncheTenuto()
{
    Finestra f;
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.comandi->SpostaFuoco(2);
    Tasto(Qt::Key_Enter, Qt::KeypadModifier);
    f.comandi->SpostaFuoco(1);
    InviaTasto(QEvent::KeyPress, Qt::Key_Return, false);
    // X11 sends each repeat as a release and a press, both flagged.
    for (int i = 0; i < 3; ++i) {
        InviaTasto(QEvent::KeyRelease, Qt::Key_Return, true);
        InviaTasto(QEvent::KeyPress, Qt::Key_Return, true);
    }
    InviaTasto(QEvent::KeyRelease, Qt::Key_Return, false);
    QCOMPARE(f.eseguiti, (Azioni{2, 1}));

    InviaTasto(QEvent::KeyPress, Qt::Key_Space, false);
    InviaTasto(QEvent::KeyPress, Qt::Key_Space, true);
    QCOMPARE(f.ConFuoco(), 2);
}

void TestComandiOpzione::rilascioSuAltroGruppoNonBloccaLaPressioneSuccessiva()
{
    // Enter on a range button (Cmd_0, Cmd_1) moves the focus to "Vai", in
    // another array (Cmd_2, Cmd_3).
    Finestra f;
    Azioni azioniB;
    const QList<QPushButton *> pulsanti = ComandiOpzione::Elementi(f.widget, u"Cmd");
    f.comandi.reset();
    ComandiOpzione b(pulsanti.mid(2), Fuoco, Normale, 2, [&](int i) { azioniB.push_back(i); });
    ComandiOpzione a(pulsanti.mid(0, 2), Fuoco, Normale, 2, [&](int i) {
        f.eseguiti.push_back(i);
        b.SpostaFuoco(0);
    });
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));

    a.SpostaFuoco(1);
    InviaTasto(QEvent::KeyPress, Qt::Key_Return, false);
    QCOMPARE(b.IndiceConFuoco(), 0);
    // Still held, its repeats land on the other array: one keystroke, one command.
    InviaTasto(QEvent::KeyRelease, Qt::Key_Return, true);
    InviaTasto(QEvent::KeyPress, Qt::Key_Return, true);
    InviaTasto(QEvent::KeyRelease, Qt::Key_Return, false);
    QVERIFY(azioniB.empty());

    a.SpostaFuoco(1);
    InviaTasto(QEvent::KeyPress, Qt::Key_Return, false);
    QCOMPARE(f.eseguiti, (Azioni{1, 1}));
}

void TestComandiOpzione::mouseCodiceEAccessibilitaEseguonoUnaVolta()
{
    Finestra f;
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    QPushButton *pulsante = f.Pulsante(2);
    for (const Qt::MouseButton tasto : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        const auto prima = f.eseguiti.size();
        QTest::mousePress(pulsante, tasto);
        QCOMPARE(f.eseguiti.size(), prima + 1);
        QTest::mouseRelease(pulsante, tasto);
        QCOMPARE(f.eseguiti.size(), prima + 1);
        QVERIFY(!pulsante->isDown() && !pulsante->isChecked());
    }
    QCOMPARE(f.ConFuoco(), 2);

    f.Pulsante(1)->click();
    QAccessibleInterface *accessibile = QAccessible::queryAccessibleInterface(f.Pulsante(3));
    QCOMPARE(accessibile->text(QAccessible::Name), QStringLiteral("Comando 3"));
    accessibile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(f.eseguiti, (Azioni{2, 2, 2, 1, 3}));
    QTest::qWait(200);
    QCOMPARE(f.eseguiti.size(), std::size_t{5});

    // Filters see mouse events on disabled buttons too.
    f.Pulsante(0)->setEnabled(false);
    f.cornice->setEnabled(false);
    QTest::mouseClick(f.Pulsante(0), Qt::LeftButton);
    QTest::mouseClick(f.Pulsante(2), Qt::RightButton);
    QCOMPARE(f.eseguiti.size(), std::size_t{5});
}

void TestComandiOpzione::coloriDelFuoco()
{
    Finestra f;
    QCOMPARE(f.Pulsante(3)->palette().color(QPalette::Button), Normale);
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.comandi->SpostaFuoco(1);
    QCOMPARE(f.Pulsante(1)->palette().color(QPalette::Button), Fuoco);
    Tasto(Qt::Key_Space);
    QCOMPARE(f.Pulsante(1)->palette().color(QPalette::Button), Normale);
    QCOMPARE(f.Pulsante(2)->palette().color(QPalette::Button), Fuoco);
}

void TestComandiOpzione::gestoreTastiProprio()
{
    // The exercise keypad: digits are typed, not jumped to; the row is told.
    Finestra f(4);
    std::vector<std::tuple<int, int, bool>> ricevuti;
    f.comandi->ImpostaGestoreTasti([&](int indice, int tasto, bool tastierino) {
        ricevuti.emplace_back(indice, tasto, tastierino);
        return tasto >= Qt::Key_0 && tasto <= Qt::Key_9;
    });
    QVERIFY(QTest::qWaitForWindowActive(&f.widget));
    f.comandi->SpostaFuoco(0);
    Tasto(Qt::Key_3, Qt::KeypadModifier);
    Tasto(Qt::Key_2);
    QCOMPARE(f.ConFuoco(), 0);
    // Keys it leaves alone follow the array's own rules.
    Tasto(Qt::Key_Space);
    Tasto(Qt::Key_Return);
    QCOMPARE(f.eseguiti, Azioni{1});
    InviaTasto(QEvent::KeyPress, Qt::Key_4, true);
    using R = std::tuple<int, int, bool>;
    QCOMPARE(ricevuti, (std::vector<R>{R{0, Qt::Key_3, true}, R{0, Qt::Key_2, false}, R{0, Qt::Key_Space, false},
                                       R{1, Qt::Key_Return, false}}));
}

void TestComandiOpzione::sopravviveAiSuoiPulsanti()
{
    // Parented to the window, the array outlives its buttons, and the
    // focused one loses its focus on the way out: the sanitizer build
    // catches any touch of a half-destroyed button.
    auto *f = new Finestra;
    QVERIFY(QTest::qWaitForWindowActive(&f->widget));
    ComandiOpzione *comandi = f->comandi.release();
    comandi->setParent(&f->widget);
    comandi->SpostaFuoco(1);
    delete f;
}

QTEST_MAIN(TestComandiOpzione)
#include "TestComandiOpzione.moc"
