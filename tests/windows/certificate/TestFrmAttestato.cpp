// The certificate window against the recording printer: what its load
// decides, the lines it draws, its commands, also while it is still drawing.
#include "exercise/Modulo2.h"
#include "support/Finti.h"
#include "support/stampa/StampanteRegistratrice.h"
#include "windows/certificate/FrmAttestato.h"
#include "windows/common/RegistroFinestre.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>

using namespace lumivex;

namespace {

const QColor Rosso(255, 0, 0);
const QColor Nero(0, 0, 0);

struct Ambiente {
    explicit Ambiente(std::int16_t esatte = 15, std::string nome = "GIULIA")
    {
        modulo.RisposteEsatte = esatte;
        modulo.NumOperazioni = 20;
        modulo.NomeAlunno = std::move(nome);
        registro.Registra<FrmAttestato>([this] {
            return std::make_unique<FrmAttestato>(modulo, stampante, orologio, registro, [this] { ++chiusureTutto; },
                                                  QStringLiteral("Esercitazione"));
        });
    }

    // As the report window's "ATTESTATO" does.
    FrmAttestato &Apri() { return registro.MostraIngrandita<FrmAttestato>(); }

    Modulo2 modulo;
    prove::StampanteRegistratrice stampante;
    prove::OrologioFinto orologio;
    int chiusureTutto = 0;
    RegistroFinestre registro{[] {}};
};

bool Disegnato(const FrmAttestato &finestra)
{
    return QTest::qWaitFor([&finestra] { return finestra.DisegnoCompleto(); }, 5000);
}

QPushButton *Comando(const QWidget &finestra, int indice)
{
    return finestra.findChild<QPushButton *>(QStringLiteral("Option5_%1").arg(indice));
}

QLabel *Picture1(const QWidget &finestra)
{
    return finestra.findChild<QLabel *>(QStringLiteral("Picture1"));
}

// A press as the mouse makes it, queued like one.
void PostaPressione(QWidget *pulsante)
{
    const QPointF centro = QRectF(pulsante->rect()).center();
    QCoreApplication::postEvent(pulsante, new QMouseEvent(QEvent::MouseButtonPress, centro, pulsante->mapToGlobal(centro),
                                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

// Runs its action at every paint of Picture1 that shows some line: the first
// comes while the drawing is under way, between two lines.
class DuranteIlDisegno : public QObject {
public:
    DuranteIlDisegno(QLabel &picture, std::function<void()> azione) : azione_(std::move(azione))
    {
        picture.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && !static_cast<QLabel *>(oggetto)->pixmap().isNull()) {
            azione_();
        }
        return false;
    }

private:
    std::function<void()> azione_;
};

std::vector<std::string> OperazioniDiStampa(const QImage &immagine)
{
    return {"TitoloDocumento Attestato", "Print",
            "PaintPicture " + std::to_string(immagine.width()) + "x" + std::to_string(immagine.height()) + " 1000 100",
            "EndDoc"};
}

} // namespace

class TestFrmAttestato : public QObject {
    Q_OBJECT

private slots:
    void nomeCapitalizzato_data();
    void nomeCapitalizzato();
    void righeCentrateSullaLarghezzaIngrandita();
    void nonStampabileNeDaMouseNeDaTasti();
    void stampaEGuastoDiStampa();
    void comandiDuranteIlDisegno_data();
    void comandiDuranteIlDisegno();
};

void TestFrmAttestato::nomeCapitalizzato_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("GIULIA") << QStringLiteral("GIULIA") << QStringLiteral("Giulia");
    QTest::newRow("GIULIABIANCHI") << QStringLiteral("GIULIABIANCHI") << QStringLiteral("Giuliabianchi");
    QTest::newRow("A") << QStringLiteral("A") << QStringLiteral("A");
    QTest::newRow("?") << QStringLiteral("?") << QStringLiteral("?");
    QTest::newRow("vuoto") << QString() << QString();
}

// Catches: more than the first letter raised, the capitalised name not
// stored back, an empty name breaking the load or the print command.
void TestFrmAttestato::nomeCapitalizzato()
{
    QFETCH(QString, nome);
    QFETCH(QString, atteso);
    Ambiente a(15, nome.toStdString());
    FrmAttestato &finestra = a.Apri();
    QCOMPARE(QString::fromStdString(a.modulo.NomeAlunno), atteso);
    QVERIFY(Disegnato(finestra));
    QCOMPARE(finestra.Righe().size(), 10U);
    QCOMPARE(finestra.Righe()[2].Testo, atteso);
    QVERIFY(Comando(finestra, 0)->isEnabled());
}

// Catches: a wrong text, size, weight or colour on a line, a wrong number of
// empty lines, a date not from the clock, lines centred on the design width
// rather than the maximized one, a picture in the form's colour.
void TestFrmAttestato::righeCentrateSullaLarghezzaIngrandita()
{
    Ambiente a(15, "MARIO");
    FrmAttestato &finestra = a.Apri();
    QVERIFY(Disegnato(finestra));
    QCOMPARE(Comando(finestra, 0)->text(), QStringLiteral("STAMPA L'ATTESTATO"));

    struct Attesa {
        QString testo;
        int punti;
        bool grassetto;
        QColor colore;
        int vuoteDopo;
    };
    const std::vector<Attesa> attese{
        {QStringLiteral("DIPLOMA DI MERITO"), 20, true, Rosso, 0},
        {QStringLiteral("RILASCIATO A"), 20, true, Nero, 1},
        {QStringLiteral("Mario"), 20, true, Rosso, 1},
        {QStringLiteral("per aver eseguito"), 12, false, Nero, 1},
        {QStringLiteral("  Esercitazione"), 12, false, Nero, 1},
        {QString(), 14, false, Nero, 1},
        {QStringLiteral("con la valutazione di"), 14, false, Nero, 1},
        {QStringLiteral("BUONO"), 14, true, Rosso, 1},
        {QStringLiteral("con 15 risposte esatte su 20 richieste"), 12, false, Nero, 3},
        {QStringLiteral("Data  07/12/2026"), 12, false, Nero, 0},
    };
    const std::vector<FrmAttestato::Riga> &righe = finestra.Righe();
    QCOMPARE(righe.size(), attese.size());
    const QImage &immagine = finestra.Immagine();
    // Five empty lines of the picture's own font come first.
    double alto = 5 * QFontMetricsF(Picture1(finestra)->font(), &immagine).lineSpacing();
    for (std::size_t i = 0; i < attese.size(); ++i) {
        const FrmAttestato::Riga &riga = righe[i];
        QCOMPARE(riga.Testo, attese[i].testo);
        QCOMPARE(riga.Carattere.family(), QStringLiteral("arial"));
        QCOMPARE(riga.Carattere.pointSize(), attese[i].punti);
        QCOMPARE(riga.Carattere.bold(), attese[i].grassetto);
        QCOMPARE(riga.Colore, attese[i].colore);
        QVERIFY(qAbs(riga.Posizione.y() - alto) < 0.01);
        alto += (1 + attese[i].vuoteDopo) * QFontMetricsF(riga.Carattere, &immagine).lineSpacing();
    }

    QVERIFY(finestra.isMaximized());
    QCOMPARE(immagine.size(), Picture1(finestra)->size());
    QVERIFY(immagine.width() != 600);
    QCOMPARE(immagine.pixelColor(0, 0), Picture1(finestra)->palette().color(QPalette::Base));
    // The title's red ink is centred on the picture.
    int sinistra = immagine.width();
    int destra = -1;
    const int primaRiga = static_cast<int>(righe[0].Posizione.y());
    for (int y = primaRiga; y < primaRiga + 20; ++y) {
        for (int x = 0; x < immagine.width(); ++x) {
            if (immagine.pixelColor(x, y).red() > 200 && immagine.pixelColor(x, y).green() < 80) {
                sinistra = std::min(sinistra, x);
                destra = std::max(destra, x);
            }
        }
    }
    QVERIFY(destra > sinistra);
    QVERIFY(qAbs((sinistra + destra) / 2.0 - immagine.width() / 2.0) <= 3.0);
}

// Catches: a certificate below the lowest grade that can still be printed
// by mouse, digit key or Space, or that is not drawn in full.
void TestFrmAttestato::nonStampabileNeDaMouseNeDaTasti()
{
    Ambiente a(9);
    FrmAttestato &finestra = a.Apri();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    QVERIFY(Disegnato(finestra));
    QCOMPARE(Comando(finestra, 0)->text(), QStringLiteral("ATTESTATO NON STAMPABILE"));
    QCOMPARE(finestra.Righe().size(), 10U);
    QCOMPARE(finestra.Righe()[7].Testo, QStringLiteral("Non classificato"));

    QTest::mouseClick(Comando(finestra, 0), Qt::LeftButton);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_3);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_1);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), Comando(finestra, 2));
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), Comando(finestra, 1));
    QVERIFY(a.stampante.Operazioni.empty());
}

// Catches: a page without the empty line that opens it, the picture away
// from (1000, 100) or not at its own size; a fault that shows nothing or
// more than one message, closes the window, or leaves half a document.
void TestFrmAttestato::stampaEGuastoDiStampa()
{
    Ambiente a;
    a.stampante.GuastoSu = "PaintPicture";
    FrmAttestato &finestra = a.Apri();
    QVERIFY(Disegnato(finestra));
    QTest::mouseClick(Comando(finestra, 0), Qt::LeftButton);
    const QList<QMessageBox *> messaggi = finestra.findChildren<QMessageBox *>();
    QCOMPARE(messaggi.size(), 1);
    QVERIFY(messaggi.front()->text().startsWith(QStringLiteral("Guasto di prova")));
    QCOMPARE(a.stampante.Operazioni.back(), std::string("KillDoc"));
    QVERIFY(a.registro.Caricata<FrmAttestato>() && finestra.isVisible());

    messaggi.front()->accept();
    a.stampante.GuastoSu.reset();
    a.stampante.Operazioni.clear();
    QTest::mouseClick(Comando(finestra, 0), Qt::LeftButton);
    QCOMPARE(a.stampante.Operazioni, OperazioniDiStampa(finestra.Immagine()));
    QCOMPARE(a.stampante.DocumentiInviati.size(), 1U);
}

void TestFrmAttestato::comandiDuranteIlDisegno_data()
{
    QTest::addColumn<int>("comando"); // -1: the close box
    QTest::addColumn<bool>("resta");
    QTest::newRow("STAMPA L'ATTESTATO") << 0 << true;
    QTest::newRow("TORNA ALLA FINESTRA PRECEDENTE") << 1 << false;
    QTest::newRow("FINE SESSIONE") << 2 << true;
    QTest::newRow("chiusura") << -1 << false;
}

// A print is asked for between two lines, then the command runs. Catches:
// half a certificate printed, a print asked for and lost, the drawing going
// on in an unloaded window (a crash under the sanitizers, or a print from a
// window that is gone), "FINE SESSIONE" taking the certificate away.
void TestFrmAttestato::comandiDuranteIlDisegno()
{
    QFETCH(int, comando);
    QFETCH(bool, resta);
    Ambiente a;
    QPointer<FrmAttestato> finestra = &a.Apri();
    std::size_t righeAlComando = 0;
    std::size_t stampeDuranteIlDisegno = 0;
    DuranteIlDisegno durante(*Picture1(*finestra), [&] {
        if (finestra->DisegnoCompleto()) {
            return;
        }
        if (righeAlComando > 0) {
            stampeDuranteIlDisegno += a.stampante.Operazioni.size();
            return;
        }
        righeAlComando = finestra->Righe().size();
        PostaPressione(Comando(*finestra, 0));
        if (comando >= 0) {
            PostaPressione(Comando(*finestra, comando));
        } else {
            QMetaObject::invokeMethod(finestra, &QWidget::close, Qt::QueuedConnection);
        }
    });
    // In a running event loop, as in the program, an unloaded window may be
    // deleted before the drawing gets control back.
    QEventLoop ciclo;
    QTimer::singleShot(5000, &ciclo, &QEventLoop::quit);
    QObject::connect(finestra, &QObject::destroyed, &ciclo, &QEventLoop::quit);
    QTimer controllo;
    QObject::connect(&controllo, &QTimer::timeout, &ciclo, [&] {
        if (finestra && finestra->DisegnoCompleto()) {
            ciclo.quit();
        }
    });
    controllo.start(10);
    ciclo.exec();

    QVERIFY(righeAlComando > 0 && righeAlComando < 10);
    QCOMPARE(stampeDuranteIlDisegno, 0U);
    QCOMPARE(a.chiusureTutto, comando == 2 ? 1 : 0);
    if (resta) {
        QVERIFY(finestra && finestra->isVisible() && finestra->DisegnoCompleto());
        QCOMPARE(a.stampante.Operazioni, OperazioniDiStampa(finestra->Immagine()));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(finestra.isNull(), 5000);
        QVERIFY(a.stampante.Operazioni.empty());
    }
}

QTEST_MAIN(TestFrmAttestato)
#include "TestFrmAttestato.moc"
