#include "windows/common/ComandiOpzione.h"
#include "windows/common/RegistroFinestre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using lumivex::RegistroFinestre;

namespace {

struct Conteggi {
    int caricamenti = 0;
    int scaricamenti = 0;
    int distruzioni = 0;
};

// Any window of the program: the constructor is its load work, closeEvent
// its unload work.
template <int N>
class Finestra : public QWidget {
public:
    static inline Conteggi conteggi;
    static inline std::function<void()> allaChiusura;

    Finestra() { ++conteggi.caricamenti; }
    ~Finestra() override { ++conteggi.distruzioni; }

protected:
    void closeEvent(QCloseEvent *) override
    {
        ++conteggi.scaricamenti;
        if (allaChiusura)
            allaChiusura();
    }
};

using Inizio = Finestra<0>;
using Operativo = Finestra<1>;

// "ESCI": a command that unloads its own window.
class FinestraConEsci : public QWidget {
public:
    explicit FinestraConEsci(RegistroFinestre &registro)
        : esci(new QPushButton(QStringLiteral("ESCI"), this)),
          comandi({esci}, Qt::cyan, Qt::white, 1, [&registro](int) { registro.Scarica<FinestraConEsci>(); })
    {
    }
    QPushButton *esci;
    lumivex::ComandiOpzione comandi;
};

void Distruggi()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Programma {
    Programma()
    {
        Inizio::conteggi = {};
        Operativo::conteggi = {};
        Inizio::allaChiusura = nullptr;
        registro.Registra<Inizio>([] { return std::make_unique<Inizio>(); });
        registro.Registra<Operativo>([] { return std::make_unique<Operativo>(); });
        registro.Registra<FinestraConEsci>([this] { return std::make_unique<FinestraConEsci>(registro); });
    }
    int fine = 0;
    RegistroFinestre registro{[this] { ++fine; }};
};

} // namespace

class TestRegistroFinestre : public QObject {
    Q_OBJECT

private slots:
    void unaSolaIstanzaCaricataUnaVolta();
    void scaricareDistruggeEUltimaFinestraChiude();
    void laCrocettaScarica();
    void scaricaTuttoDallaSuaChiusura();
    void unComandoScaricaLaSuaFinestra();
    void mostraModaleEIngrandita();
};

void TestRegistroFinestre::unaSolaIstanzaCaricataUnaVolta()
{
    Programma p;
    QVERIFY(!p.registro.Caricata<Operativo>());
    QCOMPARE(p.registro.Trova<Operativo>(), nullptr);
    Operativo &prima = p.registro.Carica<Operativo>();
    // Loaded hidden: its load work has run, nothing is shown.
    QVERIFY(!prima.isVisible());
    QCOMPARE(&p.registro.Mostra<Operativo>(), &prima);
    QCOMPARE(&p.registro.Carica<Operativo>(), &prima);
    QCOMPARE(p.registro.Trova<Operativo>(), &prima);
    QVERIFY(prima.isVisible());
    QCOMPARE(Operativo::conteggi.caricamenti, 1);
}

void TestRegistroFinestre::scaricareDistruggeEUltimaFinestraChiude()
{
    Programma p;
    QPointer<Inizio> inizio = &p.registro.Mostra<Inizio>();
    p.registro.Carica<Operativo>();
    p.registro.Scarica<Inizio>();
    QCOMPARE(Inizio::conteggi.scaricamenti, 1);
    QVERIFY(!p.registro.Caricata<Inizio>());
    QVERIFY(!inizio->isVisible());
    Distruggi();
    QVERIFY(inizio.isNull());
    p.registro.Scarica<Inizio>();
    QCOMPARE(Inizio::conteggi.scaricamenti, 1);
    // The exercise window, loaded but hidden, keeps the program alive.
    QCOMPARE(p.fine, 0);

    p.registro.Carica<Inizio>();
    QCOMPARE(Inizio::conteggi.caricamenti, 2);
    p.registro.Scarica<Operativo>();
    p.registro.Scarica<Inizio>();
    QCOMPARE(p.fine, 1);
    Distruggi();
    QCOMPARE(Inizio::conteggi.distruzioni + Operativo::conteggi.distruzioni, 3);
}

void TestRegistroFinestre::laCrocettaScarica()
{
    Programma p;
    p.registro.Carica<Inizio>();
    QPointer<Operativo> finestra = &p.registro.Mostra<Operativo>();
    QVERIFY(QTest::qWaitForWindowExposed(finestra));
    QVERIFY(finestra->close());
    QCOMPARE(Operativo::conteggi.scaricamenti, 1);
    QVERIFY(!p.registro.Caricata<Operativo>());
    Distruggi();
    QVERIFY(finestra.isNull());
    QCOMPARE(p.fine, 0);
}

void TestRegistroFinestre::scaricaTuttoDallaSuaChiusura()
{
    // Closing the start window unloads itself and the others from its own
    // unload work.
    Programma p;
    Inizio::allaChiusura = [&p] {
        p.registro.Scarica<Inizio>();
        p.registro.Scarica<Operativo>();
    };
    p.registro.Mostra<Operativo>();
    QVERIFY(p.registro.Mostra<Inizio>().close());
    QCOMPARE(Inizio::conteggi.scaricamenti, 1);
    QCOMPARE(Operativo::conteggi.scaricamenti, 1);
    QCOMPARE(p.registro.FinestreCaricate(), 0);
    QCOMPARE(p.fine, 1);
}

void TestRegistroFinestre::unComandoScaricaLaSuaFinestra()
{
    Programma p;
    for (const bool conMouse : {true, false}) {
        QPointer<FinestraConEsci> finestra = &p.registro.Mostra<FinestraConEsci>();
        QVERIFY(QTest::qWaitForWindowActive(finestra));
        finestra->esci->setFocus();
        if (conMouse)
            QTest::mouseClick(finestra->esci, Qt::LeftButton);
        else
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QVERIFY(!p.registro.Caricata<FinestraConEsci>());
        Distruggi();
        QVERIFY(finestra.isNull());
    }
    QCOMPARE(p.fine, 2);
}

void TestRegistroFinestre::mostraModaleEIngrandita()
{
    Programma p;
    Inizio &inizio = p.registro.MostraIngrandita<Inizio>();
    QVERIFY(inizio.isMaximized());
    QTRY_VERIFY(inizio.frameGeometry().contains(inizio.screen()->availableGeometry()));

    Operativo &modale = p.registro.MostraModale<Operativo>();
    QCOMPARE(QApplication::activeModalWidget(), &modale);
    QTimer::singleShot(0, &modale, [&p] { p.registro.Scarica<Operativo>(); });
    QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(!p.registro.Caricata<Operativo>());
}

QTEST_MAIN(TestRegistroFinestre)
#include "TestRegistroFinestre.moc"
