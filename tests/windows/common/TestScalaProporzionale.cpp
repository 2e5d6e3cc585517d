#include "windows/common/ScalaProporzionale.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <map>

using lumivex::ScalaProporzionale;

namespace {

// Laid out as Designer leaves a form, at 400 x 300: a frame with a label
// inside, a hidden label, a combo box, a line and a cross marked as a line.
struct Modulo {
    explicit Modulo(QWidget &area)
    {
        area.resize(400, 300);
        cornice = Crea<QFrame>(area, {40, 30, 200, 150});
        interna = Crea<QLabel>(*cornice, {20, 15, 100, 60});
        croce = Crea<QWidget>(*cornice, {0, 0, 50, 50});
        ScalaProporzionale::SegnaComeLinea(*croce);
        nascosta = Crea<QLabel>(area, {300, 200, 50, 40});
        nascosta->hide();
        combo = Crea<QComboBox>(area, {10, 260, 80, 24});
        Crea<QFrame>(area, {10, 10, 100, 3})->setFrameShape(QFrame::HLine);
        QFont grande = interna->font();
        grande.setPointSize(72);
        interna->setFont(grande);
        for (QWidget *w : area.findChildren<QWidget *>())
            progetto[w] = w->geometry();
    }

    template <class W>
    static W *Crea(QWidget &genitore, QRect posto)
    {
        auto *w = new W(&genitore);
        w->setGeometry(posto);
        return w;
    }

    void AlProgetto() const
    {
        for (const auto &[w, posto] : progetto)
            QCOMPARE(w->geometry(), posto);
    }

    QFrame *cornice;
    QLabel *interna;
    QWidget *croce;
    QLabel *nascosta;
    QComboBox *combo;
    std::map<QWidget *, QRect> progetto;
};

} // namespace

class TestScalaProporzionale : public QObject {
    Q_OBJECT

private slots:
    void rapportiSullAreaClient();
    void scalaEPoiTornaAlProgetto();
    void areaVuotaEPoiRitorno();
    void finestraPrincipaleSenzaBarraDeiMenu();
};

void TestScalaProporzionale::rapportiSullAreaClient()
{
    QWidget finestra;
    Modulo m(finestra);
    ScalaProporzionale scala;
    scala.RegistraProporzioni(finestra);
    // Every widget counts, combo box and lines included.
    const auto &p = scala.ProporzioniControlli();
    QCOMPARE(p.size(), std::size_t{6});
    QCOMPARE(p[0].Sinistra, 0.1F);
    QCOMPARE(p[0].Larghezza, 0.5F);
    // Inside the frame: the position in the frame over the window's size.
    QCOMPARE(p[1].Sinistra, 0.05F);
    QCOMPARE(p[1].Alto, 0.05F);
    QCOMPARE(p[1].Larghezza, 0.25F);
    QCOMPARE(p[1].Altezza, 0.2F);
}

void TestScalaProporzionale::scalaEPoiTornaAlProgetto()
{
    QWidget finestra;
    Modulo m(finestra);
    ScalaProporzionale scala;
    scala.RegistraProporzioni(finestra);

    finestra.resize(800, 600);
    scala.ApplicaProporzioni();
    QCOMPARE(m.cornice->geometry(), QRect(80, 60, 400, 300));
    QCOMPARE(m.interna->geometry(), QRect(40, 30, 200, 120));
    QCOMPARE(m.nascosta->geometry(), QRect(600, 400, 100, 80));
    QCOMPARE(m.interna->font().pointSize(), 72);
    QCOMPARE(m.combo->geometry(), m.progetto[m.combo]);
    QCOMPARE(m.croce->geometry(), m.progetto[m.croce]);

    // Odd sizes on the way must not drift.
    for (const QSize passo : {QSize(1013, 707), QSize(333, 211), QSize(400, 300)}) {
        finestra.resize(passo);
        scala.ApplicaProporzioni();
    }
    m.AlProgetto();
}

void TestScalaProporzionale::areaVuotaEPoiRitorno()
{
    QWidget finestra;
    Modulo m(finestra);
    ScalaProporzionale scala;
    scala.RegistraProporzioni(finestra);
    finestra.resize(0, 0);
    scala.ApplicaProporzioni();
    for (QWidget *w : std::initializer_list<QWidget *>{m.cornice, m.interna, m.nascosta})
        QCOMPARE(w->geometry(), QRect(0, 0, 0, 0));
    finestra.resize(400, 300);
    scala.ApplicaProporzioni();
    m.AlProgetto();

    // Recorded on an empty area, every ratio stays 0.
    ScalaProporzionale vuota;
    finestra.resize(0, 0);
    vuota.RegistraProporzioni(finestra);
    for (const lumivex::Proporzioni &p : vuota.ProporzioniControlli())
        QVERIFY(p.Larghezza == 0.0F && p.Altezza == 0.0F && p.Alto == 0.0F && p.Sinistra == 0.0F);
}

void TestScalaProporzionale::finestraPrincipaleSenzaBarraDeiMenu()
{
    QMainWindow finestra;
    finestra.menuBar()->addMenu(QStringLiteral("Stampa schede"));
    auto *centrale = new QWidget(&finestra);
    finestra.setCentralWidget(centrale);
    Modulo m(*centrale);
    finestra.resize(400, 300 + finestra.menuBar()->sizeHint().height());
    // Only the main window's layout may give the central widget its size.
    centrale->resize(10, 10);

    // Recorded before the window is first shown, as a load does.
    ScalaProporzionale scala;
    scala.RegistraProporzioni(finestra);
    QCOMPARE(scala.ProporzioniControlli()[0].Altezza, 0.5F);

    // Once shown, resizes scale on their own.
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    finestra.resize(800, 600 + finestra.menuBar()->height());
    QTRY_COMPARE(m.cornice->geometry(), QRect(80, 60, 400, 300));
}

QTEST_MAIN(TestScalaProporzionale)
#include "TestScalaProporzionale.moc"
