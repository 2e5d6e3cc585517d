// SPDX-License-Identifier: GPL-3.0-or-later
// The certificate window: what its load decides, the lines it draws, its
// commands, also while it is still drawing, against the recording printer;
// then the certificate printed through a private CUPS server's queue and a
// print fault.
#include "exercise/Modulo2.h"
#include "support/pdf/LetturaPdf.h"
#include "printing/StampanteQt.h"
#include "support/cups/ConServerCups.h"
#include "support/cups/ServerCupsPrivato.h"
#include "support/finestre/FinestreProva.h"
#include "windows/certificate/FrmAttestato.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

using namespace lumivex;
using namespace Qt::StringLiterals;

namespace {

prove::ServerCupsPrivato *Server = nullptr;
// The box of what is drawn (anything not white), in `scala` units per pixel
// of `immagine`.
QRectF Disegnato(const QImage &immagine, double scala)
{
    QRect scatola;
    for (int y = 0; y < immagine.height(); ++y) {
        for (int x = 0; x < immagine.width(); ++x) {
            const QColor c = immagine.pixelColor(x, y);
            if (c.red() < 200 || c.green() < 200 || c.blue() < 200)
                scatola |= QRect(x, y, 1, 1);
        }
    }
    return QRectF(QPointF(scatola.topLeft()) * scala, QSizeF(scatola.size()) * scala);
}

// The window shown as the report window's "ATTESTATO" does, printing on the
// recording printer unless given another printer.
struct Ambiente {
    explicit Ambiente(std::int16_t esatte, const QString &nome = u"GIULIA"_s, Stampante *altra = nullptr)
        : programma(altra ? std::make_unique<prove::Programma>(*altra) : std::make_unique<prove::Programma>())
        , modulo(programma->stato)
        , stampante(programma->registratrice)
        , registro(programma->registro)
    {
        modulo.RisposteEsatte = esatte;
        modulo.NumOperazioni = 20;
        modulo.NomeAlunno = nome.toStdString();
        finestra = &registro.MostraIngrandita<FrmAttestato>();
    }
    bool Disegnato() const { return QTest::qWaitFor([this] { return finestra->DisegnoCompleto(); }, 5000); }
    QPushButton *Comando(FrmAttestato::Comando c) const
    {
        return finestra->findChild<QPushButton *>(u"Option5_%1"_s.arg(c));
    }

    std::unique_ptr<prove::Programma> programma;
    Modulo2 &modulo;
    prove::StampanteRegistratrice &stampante;
    RegistroFinestre &registro;
    QPointer<FrmAttestato> finestra;
};

} // namespace

class TestFrmAttestato : public QObject {
    Q_OBJECT

private slots:
    // Catches: a dark desktop theme reaching the paper; a blurred picture on
    // a 2x screen.
    // A dark desktop theme must not reach the paper: where nothing is drawn
    // the picture is white, on screen and in what is printed. On a 2x screen
    // (run again with QT_SCALE_FACTOR=2) the picture holds the screen's own
    // pixels, or its lines are blurred up from half the resolution.
    void cartaBiancaENitida()
    {
        const QPalette chiara = QApplication::palette();
        QPalette scura = chiara;
        for (const QPalette::ColorRole ruolo : {QPalette::Window, QPalette::Base, QPalette::Button})
            scura.setColor(ruolo, QColor(40, 40, 40));
        QApplication::setPalette(scura);
        Ambiente a(18);
        QVERIFY(a.Disegnato());
        QApplication::setPalette(chiara);
        const QImage &immagine = a.finestra->Immagine();
        QCOMPARE(immagine.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(immagine.pixelColor(immagine.width() - 1, immagine.height() - 1), QColor(Qt::white));
        QLabel *picture = a.finestra->findChild<QLabel *>(u"Picture1"_s);
        QCOMPARE(picture->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
        const qreal densita = a.finestra->devicePixelRatioF();
        QCOMPARE(immagine.devicePixelRatio(), densita);
        QCOMPARE(immagine.size(), (QSizeF(picture->contentsRect().size()) * densita).toSize());
        // Printed, the picture keeps its size in points.
        QCOMPARE(immagine.dotsPerMeterX(), qRound(picture->logicalDpiX() / 0.0254));
    }

    // Catches: the name not capitalised, or not stored back, on line 3; a
    // wrong line, grade or date; 15 of 20 not printable.
    void righeEValutazione()
    {
        const std::vector<std::pair<QString, QString>> nomi{
            {u"GIULIA"_s, u"Giulia"_s}, {u"GIULIABIANCHI"_s, u"Giuliabianchi"_s}, {u"A"_s, u"A"_s},
            {u"?"_s, u"?"_s}, {QString(), QString()}};
        for (const auto &[nome, atteso] : nomi) {
            Ambiente a(15, nome);
            QCOMPARE(QString::fromStdString(a.modulo.NomeAlunno), atteso);
            QVERIFY(a.Disegnato());
            QStringList righe;
            for (const FrmAttestato::Riga &riga : a.finestra->Righe())
                righe << riga.Testo;
            QCOMPARE(righe.size(), 10);
            QCOMPARE(righe[2], atteso);
            QCOMPARE(righe.mid(7),
                     (QStringList{u"BUONO"_s, u"con 15 risposte esatte su 20 richieste"_s, u"Data  07/12/2026"_s}));
            QCOMPARE(a.Comando(FrmAttestato::ComandoStampa)->text(), u"STAMPA L'ATTESTATO"_s);
            QVERIFY(a.Comando(FrmAttestato::ComandoStampa)->isEnabled());
        }
    }

    // Catches: a certificate below the pass mark printed by a click or a
    // key; digits or Space stopping on the disabled command.
    void nonStampabileNeDaMouseNeDaTasti()
    {
        Ambiente a(9);
        QVERIFY(QTest::qWaitForWindowActive(a.finestra));
        QVERIFY(a.Disegnato());
        QCOMPARE(a.Comando(FrmAttestato::ComandoStampa)->text(), u"ATTESTATO NON STAMPABILE"_s);
        QVERIFY(!a.Comando(FrmAttestato::ComandoStampa)->isEnabled());
        QTest::mouseClick(a.Comando(FrmAttestato::ComandoStampa), Qt::LeftButton);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_3);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_1);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), a.Comando(FrmAttestato::ComandoFineSessione));
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), a.Comando(FrmAttestato::ComandoChiudi));
        QVERIFY(a.stampante.Operazioni.empty());
    }

    // Catches: with a print asked for between two lines, then maybe "TORNA
    // ALLA FINESTRA PRECEDENTE": half a certificate printed, a print lost,
    // the drawing going on in an unloaded window (a crash under the
    // sanitizers, or a print).
    void comandiDuranteIlDisegno()
    {
        for (const bool torna : {false, true}) {
            Ambiente a(15);
            std::size_t righeAlComando = 0;
            bool stampaDurante = false;
            // In a running event loop, as in the program, an unloaded window may
            // be deleted before the drawing gets control back.
            QEventLoop ciclo;
            QTimer controllo;
            QObject::connect(&controllo, &QTimer::timeout, &ciclo, [&] {
                if (!a.finestra || a.finestra->DisegnoCompleto()) {
                    ciclo.quit();
                } else if (righeAlComando > 0) {
                    stampaDurante = stampaDurante || !a.stampante.Operazioni.empty();
                } else if (!a.finestra->Righe().empty()) {
                    righeAlComando = a.finestra->Righe().size();
                    QTest::mousePress(a.Comando(FrmAttestato::ComandoStampa), Qt::LeftButton);
                    if (torna)
                        QTest::mousePress(a.Comando(FrmAttestato::ComandoChiudi), Qt::LeftButton);
                }
            });
            controllo.start(0);
            QTimer::singleShot(5000, &ciclo, &QEventLoop::quit);
            ciclo.exec();

            QVERIFY(righeAlComando > 0 && righeAlComando < 10);
            QVERIFY(!stampaDurante);
            if (torna)
                QTRY_VERIFY(a.finestra.isNull());
            else
                QVERIFY(a.finestra->DisegnoCompleto());
            QCOMPARE(a.stampante.DocumentiInviati.size(), torna ? 0U : 1U);
        }
    }

    // Catches: the picture misplaced on the page, cut off, or scaled out of
    // proportion; a cancelled PDF file choice taken for a fault, a file that
    // cannot be written not said.
    // The page holds the picture with its top-left corner 1000 twips (50 pt)
    // right and 100 twips (5 pt) down from the printable area's corner, a
    // quarter inch (18 pt) from the sheet's edge: at its own size where it
    // fits, otherwise scaled down, proportions kept, to the area's edges.
    // Run on a 1920 x 1080 screen too, where the maximized certificate is
    // wider than the paper.
    void stampaVeraSuUnaPagina()
    {
        std::optional<QString> fileScelto;
        int domande = 0;
        StampanteQt stampante([&](const QString &) {
            ++domande;
            return fileScelto;
        });
        stampante.Printer({"Alfa"});
        const int prima = Server->StatoLavori("Alfa").Completati;
        Ambiente a(18, u"ANNA"_s, &stampante);
        QVERIFY(a.Disegnato());
        QTest::mouseClick(a.Comando(FrmAttestato::ComandoStampa), Qt::LeftButton);
        QVERIFY2(Server->AttendiLavori("Alfa", prima + 1), Server->RegistroErrori().c_str());
        const QString file = QString::fromStdString(Server->FileDiCoda("Alfa").string());
        const prove::PaginePdf pagine = prove::PagineDelPdf(file);
        QCOMPARE(pagine.Pagine, 1);
        constexpr int Dpi = 144;
        const QImage pagina = prove::ImmagineDelPdf(file, Dpi);
        QVERIFY(!pagina.isNull());
        // The picture is white like the page, so it is found by what is drawn
        // on it: the lines' box on the page is the picture's box placed and
        // scaled.
        const QImage &immagine = a.finestra->Immagine();
        const double schermo = immagine.dotsPerMeterX() * 0.0254;
        const double larghezza = immagine.deviceIndependentSize().width() / schermo * 72.0;
        const double altezza = immagine.deviceIndependentSize().height() / schermo * 72.0;
        const double riduzione = std::min({1.0, (pagine.Larghezza - 2 * 18.0 - 50.0) / larghezza,
                                           (pagine.Altezza - 2 * 18.0 - 5.0) / altezza});
        if (QGuiApplication::primaryScreen()->size().width() >= 1920)
            QVERIFY(riduzione < 0.9);
        const double puntiPagina = riduzione * Dpi / schermo;
        const QRectF righe = Disegnato(immagine, puntiPagina / immagine.devicePixelRatio());
        const QRectF stampate = Disegnato(pagina, 1.0);
        const QPointF angolo((18.0 + 50.0) * Dpi / 72.0, (18.0 + 5.0) * Dpi / 72.0);
        const auto vicino = [](double x, double y) { return qAbs(x - y) <= 4.0; };
        QVERIFY2(vicino(stampate.left(), angolo.x() + righe.left()), qPrintable(u"%1 %2"_s.arg(stampate.left()).arg(angolo.x() + righe.left())));
        QVERIFY(vicino(stampate.top(), angolo.y() + righe.top()));
        QVERIFY(vicino(stampate.width(), righe.width()));
        QVERIFY(vicino(stampate.height(), righe.height()));

        // The PDF printer: a cancelled file choice is no fault; a file that
        // cannot be written (its folder is a file) is one message, and the
        // window stays.
        stampante.Printer({StampanteQt::NomeStampantePdf});
        QTest::mouseClick(a.Comando(FrmAttestato::ComandoStampa), Qt::LeftButton);
        QVERIFY(a.finestra->findChildren<QMessageBox *>().isEmpty());
        fileScelto = QCoreApplication::applicationFilePath() + u"/attestato.pdf"_s;
        QTest::mouseClick(a.Comando(FrmAttestato::ComandoStampa), Qt::LeftButton);
        QCOMPARE(domande, 2);
        QCOMPARE(a.finestra->findChildren<QMessageBox *>().size(), 1);
        QVERIFY(a.registro.Caricata<FrmAttestato>() && a.finestra->isVisible());
    }
};

int main(int argc, char **argv)
{
    return prove::ConServerCups([&](prove::ServerCupsPrivato &server) {
        Server = &server;
        QApplication applicazione(argc, argv);
        TestFrmAttestato prova;
        return QTest::qExec(&prova, argc, argv);
    });
}

#include "TestFrmAttestato.moc"
