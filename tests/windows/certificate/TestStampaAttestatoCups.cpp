// The certificate printed for real: through a private CUPS server's queue
// and through the PDF printer, read back from the page that comes out.
#include "exercise/Modulo2.h"
#include "printing/LetturaPdf.h"
#include "printing/StampanteQt.h"
#include "support/Finti.h"
#include "support/cups/ServerCupsPrivato.h"
#include "windows/certificate/FrmAttestato.h"
#include "windows/common/RegistroFinestre.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>
#include <memory>
#include <optional>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

// A picture background no page has by itself, so the printed picture can be
// found on the page.
const QColor SfondoDiProva(255, 255, 150);
// The printable area of the test queues and of the PDF printer begins a
// quarter inch from the sheet's edge.
constexpr double Margine = 18.0;
constexpr int Dpi = 144;

struct Ambiente {
    Ambiente()
    {
        modulo.RisposteEsatte = 18;
        modulo.NumOperazioni = 20;
        modulo.NomeAlunno = "ANNA";
        registro.Registra<FrmAttestato>([this] {
            return std::make_unique<FrmAttestato>(modulo, stampante, orologio, registro, [] {},
                                                  QStringLiteral("Esercitazione"));
        });
    }

    Modulo2 modulo;
    prove::OrologioFinto orologio;
    std::optional<QString> fileScelto;
    int domande = 0;
    StampanteQt stampante{[this](const QString &) {
        ++domande;
        return fileScelto;
    }};
    RegistroFinestre registro{[] {}};
};

bool Disegnato(const FrmAttestato &finestra)
{
    return QTest::qWaitFor([&finestra] { return finestra.DisegnoCompleto(); }, 5000);
}

void Stampa(const FrmAttestato &finestra)
{
    QTest::mouseClick(finestra.findChild<QPushButton *>(QStringLiteral("Option5_0")), Qt::LeftButton);
}

bool Simile(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 16 && qAbs(a.green() - b.green()) < 16 && qAbs(a.blue() - b.blue()) < 16;
}

// The page holds the certificate's picture, at its own size, with its
// top-left corner 1000 twips (50 pt) right and 100 twips (5 pt) down from
// the printable area's corner, and the picture's red lines inside it.
void VerificaPagina(const QString &file, const QImage &attestato)
{
    QCOMPARE(prove::PagineDelPdf(file).Pagine, 1);
    const QImage pagina = prove::ImmagineDelPdf(file, Dpi);
    QVERIFY(!pagina.isNull());
    QRect sfondo;
    int rossi = 0;
    for (int y = 0; y < pagina.height(); ++y) {
        for (int x = 0; x < pagina.width(); ++x) {
            const QColor colore = pagina.pixelColor(x, y);
            if (Simile(colore, SfondoDiProva)) {
                sfondo |= QRect(x, y, 1, 1);
            } else if (colore.red() > 200 && colore.green() < 80 && colore.blue() < 80) {
                ++rossi;
            }
        }
    }
    const double pixelPerPunto = Dpi / 72.0;
    const double schermo = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    QVERIFY(qAbs(sfondo.left() - (Margine + 50.0) * pixelPerPunto) <= 2);
    QVERIFY(qAbs(sfondo.top() - (Margine + 5.0) * pixelPerPunto) <= 2);
    QVERIFY(qAbs(sfondo.width() - attestato.width() / schermo * Dpi) <= 2);
    QVERIFY(qAbs(sfondo.height() - attestato.height() / schermo * Dpi) <= 2);
    QVERIFY(rossi > 0);
}

} // namespace

class TestStampaAttestatoCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void unaPaginaDallaStampanteCorrente();
    void laStampantePdfEIlSuoAnnullamento();
};

void TestStampaAttestatoCups::initTestCase()
{
    QPalette tavolozza = QApplication::palette();
    tavolozza.setColor(QPalette::Base, SfondoDiProva);
    QApplication::setPalette(tavolozza);
}

// Catches: the picture misplaced, scaled or cut on the printed page, the
// job going to another printer than the current one, a page per line.
void TestStampaAttestatoCups::unaPaginaDallaStampanteCorrente()
{
    Ambiente a;
    a.stampante.Printer({"Alfa"});
    const int prima = Server->StatoLavori("Alfa").Completati;
    FrmAttestato &finestra = a.registro.MostraIngrandita<FrmAttestato>();
    QVERIFY(Disegnato(finestra));
    Stampa(finestra);
    QVERIFY2(Server->AttendiLavori("Alfa", prima + 1), Server->RegistroErrori().c_str());
    QVERIFY(finestra.findChildren<QMessageBox *>().isEmpty());
    VerificaPagina(QString::fromStdString(Server->FileDiCoda("Alfa").string()), finestra.Immagine());
}

// Catches: a cancelled save shown as a fault, or the PDF printer left out.
void TestStampaAttestatoCups::laStampantePdfEIlSuoAnnullamento()
{
    Ambiente a;
    a.stampante.Printer({StampanteQt::NomeStampantePdf});
    FrmAttestato &finestra = a.registro.MostraIngrandita<FrmAttestato>();
    QVERIFY(Disegnato(finestra));
    Stampa(finestra);
    QCOMPARE(a.domande, 1);
    QVERIFY(finestra.findChildren<QMessageBox *>().isEmpty());

    QTemporaryDir cartella;
    a.fileScelto = cartella.filePath(QStringLiteral("attestato.pdf"));
    Stampa(finestra);
    QCOMPARE(a.domande, 2);
    QVERIFY(finestra.findChildren<QMessageBox *>().isEmpty());
    QVERIFY(QFileInfo::exists(*a.fileScelto));
    VerificaPagina(*a.fileScelto, finestra.Immagine());
}

int main(int argc, char **argv)
{
    // The print system reads CUPS_SERVER once: the server comes first.
    std::optional<prove::ServerCupsPrivato> server;
    try {
        server.emplace();
    } catch (const std::exception &errore) {
        std::cerr << "Cannot start the private CUPS server: " << errore.what() << '\n';
        return 1;
    }
    Server = &*server;
    QApplication applicazione(argc, argv);
    TestStampaAttestatoCups prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "TestStampaAttestatoCups.moc"
