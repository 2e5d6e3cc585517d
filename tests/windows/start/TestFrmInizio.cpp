#include "exercise/Modulo2.h"
#include "support/Finti.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "windows/about/frmAutore.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/exercise/FrmOperativo.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/report/FrmStampaEsercizio.h"
#include "windows/start/FrmInizio.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

using namespace lumivex;
using namespace Qt::StringLiterals;

namespace {

// The windows as main() wires them. The end callback notes how many windows
// were still loaded when it ran.
struct Programma {
    Programma()
    {
        registro.Registra<FrmInizio>([this] { return std::make_unique<FrmInizio>(stato, registro); });
        registro.Registra<FrmOperativo>(
            [this] { return std::make_unique<FrmOperativo>(stato, casuale, orologio, registro); });
        registro.Registra<FrmStampaEsercizio>(
            [this] { return std::make_unique<FrmStampaEsercizio>(stato, stampante, registro); });
        registro.Registra<frmSceltaStampante>(
            [this] { return std::make_unique<frmSceltaStampante>(stampante, registro); });
        registro.Registra<frmAutore>([this] { return std::make_unique<frmAutore>(registro); });
    }

    Modulo2 stato;
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    prove::StampanteRegistratrice stampante;
    int fine = 0;
    int caricateAllaFine = -1;
    RegistroFinestre registro{[this] {
        ++fine;
        caricateAllaFine = registro.FinestreCaricate();
    }};
};

template <class T>
T *Attiva(T &finestra)
{
    finestra.activateWindow();
    return QTest::qWaitForWindowActive(&finestra) ? &finestra : nullptr;
}

// As main() opens it.
FrmInizio *Apri(Programma &p)
{
    return Attiva(p.registro.MostraIngrandita<FrmInizio>());
}

template <class T = QWidget>
T *Figlio(const QWidget &w, const QString &nome)
{
    T *trovato = w.findChild<T *>(nome);
    if (trovato == nullptr)
        qFatal("Manca %s", qPrintable(nome));
    return trovato;
}

QPushButton *Pulsante(const QWidget &w, const QString &nome)
{
    return Figlio<QPushButton>(w, nome);
}

QString ConFuoco(const QWidget &w)
{
    const QWidget *fuoco = w.focusWidget();
    return fuoco != nullptr ? fuoco->objectName() : QString();
}

void Premi(QWidget &w, Qt::Key tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier)
{
    QTest::keyClick(w.windowHandle(), tasto, modificatori);
}

// Settles the current problem with the mouse, so "Esco" can be used.
void RispondiGiusto(FrmOperativo &w, const Modulo2 &s)
{
    for (const char cifra : std::to_string(s.Soluzione))
        QTest::mouseClick(Pulsante(w, u"Option2_%1"_s.arg(cifra - '0')), Qt::LeftButton);
    QTest::mouseClick(Pulsante(w, u"Option2_11"_s), Qt::LeftButton);
}

// Notes the order in which windows receive their close.
class Chiusure : public QObject {
public:
    QStringList ordine;

    void Osserva(QWidget &finestra) { finestra.installEventFilter(this); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Close)
            ordine.append(oggetto->objectName());
        return false;
    }
};

const QString Livello0 = u"Numero massimo compreso tra 10 e  40"_s;
const QString Livello2 = u"Numero massimo compreso tra 50 e 90"_s;

} // namespace

class TestFrmInizio : public QObject {
    Q_OBJECT

private slots:
    void vaiSoloDopoLaSceltaDelLivello();
    void sceltaDelLivelloEVaiDaTastiera();
    void escoTornaAllaFinestraDiInizio();
    void esciSenzaLivelloChiudeIlProgramma();
    void chiudiTuttoNelSuoOrdine();
    void chiudereLInizioChiudeIlResoconto();
    void autoreUnaSolaFinestra();
    void nomiEAzioneAccessibili();
};

void TestFrmInizio::vaiSoloDopoLaSceltaDelLivello()
{
    // Faults: "Vai" usable (by mouse, Space or digit) before a range is
    // chosen, which would open an exercise with no bounds; the exercise
    // window loaded before it is needed.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QCOMPARE(ConFuoco(*w), u"Option2_0"_s);
    QVERIFY(!Pulsante(*w, u"Option3_0"_s)->isEnabled());

    QTest::mouseClick(Pulsante(*w, u"Option3_0"_s), Qt::LeftButton);
    QTest::mouseClick(Pulsante(*w, u"Option3_0"_s), Qt::RightButton);
    Pulsante(*w, u"Option3_1"_s)->setFocus();
    Premi(*w, Qt::Key_Space);
    QCOMPARE(ConFuoco(*w), u"Option3_1"_s);
    Premi(*w, Qt::Key_1);
    Premi(*w, Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(ConFuoco(*w), u"Option3_1"_s);
    QVERIFY(!p.registro.Caricata<FrmOperativo>());
    QCOMPARE(Figlio<QLabel>(*w, u"Label6"_s)->text(), QString());
    QCOMPARE(p.fine, 0);
}

void TestFrmInizio::sceltaDelLivelloEVaiDaTastiera()
{
    // Faults: the exercise window not loaded by the choice, or loaded after
    // its first problem was drawn with the old bounds; a second choice
    // reloading it (a new problem) or not updating its Label2; "Vai" not
    // taking the focus; the exercise window shown without the focus on its
    // key "1", or the start window going away.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);

    Premi(*w, Qt::Key_3);
    Premi(*w, Qt::Key_Return);
    QCOMPARE(Figlio<QLabel>(*w, u"Label6"_s)->text(), Livello2);
    QCOMPARE(ConFuoco(*w), u"Option3_0"_s);
    auto *operativo = p.registro.Trova<FrmOperativo>();
    QVERIFY(operativo);
    QVERIFY(!operativo->isVisible());
    QCOMPARE(Figlio<QLabel>(*operativo, u"Label2"_s)->text(), Livello2);
    for (const std::int16_t termine : {p.stato.Num1, p.stato.Num2, p.stato.Num3, p.stato.Num4}) {
        QVERIFY2(termine >= 50 && termine <= 90, qPrintable(QString::number(termine)));
    }
    const std::string primoProblema = p.stato.ElencoOperazioni[1];

    QTest::mouseClick(Pulsante(*w, u"Option2_0"_s), Qt::LeftButton);
    QCOMPARE(p.stato.NumeroMin, 10);
    QCOMPARE(p.stato.NumeroMax, 40);
    QCOMPARE(QString::fromStdString(p.stato.TestoLivello), Livello0);
    QCOMPARE(Figlio<QLabel>(*w, u"Label6"_s)->text(), Livello0);
    QCOMPARE(Figlio<QLabel>(*operativo, u"Label2"_s)->text(), Livello0);
    QCOMPARE(p.registro.Trova<FrmOperativo>(), operativo);
    QCOMPARE(p.stato.ElencoOperazioni[1], primoProblema);
    QCOMPARE(ConFuoco(*w), u"Option3_0"_s);

    Premi(*w, Qt::Key_Return);
    QCOMPARE(p.registro.Trova<FrmOperativo>(), operativo);
    QVERIFY(operativo->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(operativo));
    QCOMPARE(ConFuoco(*operativo), u"Option2_1"_s);
    QVERIFY(w->isVisible());
    QVERIFY(p.registro.Caricata<FrmInizio>());
}

void TestFrmInizio::escoTornaAllaFinestraDiInizio()
{
    // Faults: "Esco" leaving the exercise window loaded, taking the start
    // window (or the program) with it, or a later "Vai" finding the old
    // exercise instead of a new one.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QTest::mouseClick(Pulsante(*w, u"Option2_0"_s), Qt::LeftButton);
    QTest::mouseClick(Pulsante(*w, u"Option3_0"_s), Qt::LeftButton);
    QPointer<FrmOperativo> operativo = p.registro.Trova<FrmOperativo>();
    QVERIFY(operativo);
    QVERIFY(Attiva(*operativo));

    RispondiGiusto(*operativo, p.stato);
    QCOMPARE(p.stato.RisposteEsatte, 1);
    QTest::mouseClick(Pulsante(*operativo, u"Option2_13"_s), Qt::LeftButton);
    QVERIFY(!p.registro.Caricata<FrmOperativo>());
    QTRY_VERIFY(operativo.isNull());
    QVERIFY(p.registro.Caricata<FrmInizio>());
    QVERIFY(w->isVisible());
    QCOMPARE(p.fine, 0);

    QTest::mouseClick(Pulsante(*w, u"Option3_0"_s), Qt::LeftButton);
    QVERIFY(p.registro.Caricata<FrmOperativo>());
    QCOMPARE(p.stato.RisposteEsatte, 0);
    QCOMPARE(p.stato.NumOperazioni, 1);
}

void TestFrmInizio::esciSenzaLivelloChiudeIlProgramma()
{
    // Fault: "Esci" before any choice leaving the program running with no
    // window, or ending it before the start window is unloaded.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QTest::mouseClick(Pulsante(*w, u"Option3_1"_s), Qt::LeftButton);
    QCOMPARE(p.fine, 1);
    QCOMPARE(p.caricateAllaFine, 0);
    QVERIFY(!p.registro.Caricata<FrmInizio>());
}

void TestFrmInizio::chiudiTuttoNelSuoOrdine()
{
    // Faults: a window left loaded (the program would never end), the
    // windows unloaded out of their order, the end announced more than once
    // or while a window is still loaded.
    Programma p;
    Chiusure chiusure;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QTest::mouseClick(Pulsante(*w, u"Option2_1"_s), Qt::LeftButton);
    p.registro.Carica<frmSceltaStampante>();
    p.registro.Carica<FrmStampaEsercizio>();
    Figlio<QAction>(*w, u"mnuAutore"_s)->trigger();
    for (QWidget *finestra : QApplication::topLevelWidgets()) {
        if (!finestra->objectName().isEmpty())
            chiusure.Osserva(*finestra);
    }
    QCOMPARE(p.registro.FinestreCaricate(), 5);

    FrmInizio::ChiudiTutto(p.registro);
    QCOMPARE(chiusure.ordine, QStringList({u"frmAutore"_s, u"FrmInizio"_s, u"FrmOperativo"_s,
                                           u"frmSceltaStampante"_s, u"FrmStampaEsercizio"_s}));
    QCOMPARE(p.registro.FinestreCaricate(), 0);
    QCOMPARE(p.fine, 1);
    QCOMPARE(p.caricateAllaFine, 0);
}

void TestFrmInizio::chiudereLInizioChiudeIlResoconto()
{
    // Fault: the start window's close box closing only itself, leaving the
    // exercise and its report open with nothing to return to.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QTest::mouseClick(Pulsante(*w, u"Option2_0"_s), Qt::LeftButton);
    QTest::mouseClick(Pulsante(*w, u"Option3_0"_s), Qt::LeftButton);
    auto *operativo = p.registro.Trova<FrmOperativo>();
    QVERIFY(operativo);
    Figlio<QAction>(*operativo, u"mnuVisualizzaEsercizio"_s)->trigger();
    QPointer<FrmStampaEsercizio> resoconto = p.registro.Trova<FrmStampaEsercizio>();
    QVERIFY(resoconto);
    QVERIFY(resoconto->isVisible());

    QVERIFY(w->close());
    QVERIFY(!p.registro.Caricata<FrmStampaEsercizio>());
    QVERIFY(!p.registro.Caricata<FrmOperativo>());
    QVERIFY(!p.registro.Caricata<FrmInizio>());
    QVERIFY(!resoconto->isVisible());
    QCOMPARE(p.fine, 1);
    QCOMPARE(p.caricateAllaFine, 0);
    QTRY_VERIFY(resoconto.isNull());
}

void TestFrmInizio::autoreUnaSolaFinestra()
{
    // Faults: a second About window (or a second start window) on a second
    // request; "C h i u d i" only hiding the box, so it stays loaded; closing
    // it taking the program down.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    QCOMPARE(&p.registro.Carica<FrmInizio>(), w);

    QAction *autore = Figlio<QAction>(*w, u"mnuAutore"_s);
    autore->trigger();
    QPointer<frmAutore> primo = p.registro.Trova<frmAutore>();
    QVERIFY(primo);
    autore->trigger();
    QCOMPARE(p.registro.Trova<frmAutore>(), primo.data());
    QVERIFY(primo->isVisible());

    QPushButton *chiudi = Pulsante(*primo, u"Command1"_s);
    QCOMPARE(chiudi->text(), u"C h i u d i"_s);
    QTest::mouseClick(chiudi, Qt::LeftButton);
    QVERIFY(!p.registro.Caricata<frmAutore>());
    QTRY_VERIFY(primo.isNull());
    QVERIFY(w->isVisible());
    QCOMPARE(p.fine, 0);
}

void TestFrmInizio::nomiEAzioneAccessibili()
{
    // Faults: a control whose spoken name is not its caption; a range
    // button whose accessibility Press (clicked() without a mouse press)
    // does not choose the range.
    Programma p;
    FrmInizio *w = Apri(p);
    QVERIFY(w);
    for (QLabel *etichetta : w->findChildren<QLabel *>())
        QCOMPARE(QAccessible::queryAccessibleInterface(etichetta)->text(QAccessible::Name), etichetta->text());
    for (QPushButton *pulsante : w->findChildren<QPushButton *>())
        QCOMPARE(QAccessible::queryAccessibleInterface(pulsante)->text(QAccessible::Name), pulsante->text());

    QAccessibleActionInterface *azione =
        QAccessible::queryAccessibleInterface(Pulsante(*w, u"Option2_2"_s))->actionInterface();
    QVERIFY(azione);
    azione->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(Figlio<QLabel>(*w, u"Label6"_s)->text(), Livello2);
    QVERIFY(p.registro.Caricata<FrmOperativo>());
    QVERIFY(Pulsante(*w, u"Option3_0"_s)->isEnabled());
}

QTEST_MAIN(TestFrmInizio)
#include "TestFrmInizio.moc"
