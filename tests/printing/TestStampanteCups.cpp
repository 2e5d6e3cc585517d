// The printing service against a private CUPS server: the printers it lists,
// the one it prints on, and the page that comes out of the queue, read back.
#include "LetturaPdf.h"
#include "printing/ErroreStampa.h"
#include "printing/FontCourier.h"
#include "printing/StampaEsercizio.h"
#include "printing/StampanteQt.h"
#include "support/cups/ServerCupsPrivato.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>

namespace {

using namespace lumivex;
using prove::RigaPdf;

prove::ServerCupsPrivato *Server = nullptr;

// The test PPD's printable area begins a quarter inch from the sheet's edge,
// and so does the PDF printer's.
constexpr double Margine = 18.0;

double Punti(double twip)
{
    return twip / 20.0;
}

std::string Compatta(const std::string &testo)
{
    std::istringstream parole(testo);
    std::string riga;
    for (std::string parola; parole >> parola;) {
        riga += (riga.empty() ? "" : " ") + parola;
    }
    return riga;
}

Modulo2 Resoconto()
{
    Modulo2 modulo;
    modulo.NumOperazioni = 20;
    modulo.StrTempoTotale = " 95";
    for (int i = 1; i <= 20; ++i) {
        const std::string numero = (i < 10 ? "0" : "") + std::to_string(i);
        modulo.ElencoOperazioni[static_cast<std::size_t>(i)] =
            "Op" + numero + "  45 - 23 =  52 - ?              (R. 30  " + (i == 3 ? "20* 30°)" : ")");
    }
    return modulo;
}

int Completati(const std::string &coda)
{
    return Server->StatoLavori(coda).Completati;
}

QString FileDi(const std::string &coda)
{
    return QString::fromStdString(Server->FileDiCoda(coda).string());
}

class StampaSuCups : public testing::Test {
protected:
    void TearDown() override { Server->Avvia(); }

    QTemporaryDir cartella;
    // The answer of the save dialog, and what it was asked.
    std::optional<QString> fileScelto;
    QString proposta;
    int domande = 0;
    StampanteQt stampante{[this](const QString &percorso) {
        ++domande;
        proposta = percorso;
        return fileScelto;
    }};
};

// Catches: printers out of the print system's order, the PDF printer missing
// or not last, a first current printer other than the system default, a
// choice that does not stick or accepts an unknown name.
TEST_F(StampaSuCups, ElencaLeStampantiEParteDallaPredefinita)
{
    std::vector<std::string> nomi;
    for (const Dispositivo &dispositivo : stampante.Printers()) {
        nomi.push_back(stampante.DeviceName(dispositivo));
    }
    EXPECT_EQ(nomi, (std::vector<std::string>{"Alfa", "Beta", "Gamma", "Salva come PDF"}));
    EXPECT_EQ(stampante.Printer().Nome, "Beta");

    stampante.Printer({"Gamma"});
    EXPECT_EQ(stampante.Printer().Nome, "Gamma");
    EXPECT_THROW(stampante.Printer({"Zeta"}), ErroreStampa);
    EXPECT_EQ(stampante.Printer().Nome, "Gamma");
}

// Catches: a font list that hides the Courier names the font system maps to
// installed faces, so the report would refuse to print.
TEST_F(StampaSuCups, ICourierRisoltiSonoNellElenco)
{
    std::vector<std::string> font;
    for (int i = 0; i < stampante.FontCount(); ++i) {
        font.push_back(stampante.Fonts(i));
    }
    EXPECT_NE(std::find(font.begin(), font.end(), "Courier New"), font.end());
    EXPECT_NE(std::find(font.begin(), font.end(), "Courier"), font.end());
    EXPECT_EQ(CercaFontCourier(stampante), "Courier");
    EXPECT_THROW(stampante.Fonts(static_cast<int>(font.size())), ErroreStampa);
}

// Catches: text placed by its baseline, a printable-area offset ignored,
// wrong spacing or gap, lines lost or garbled on the way through CUPS.
TEST_F(StampaSuCups, IlResocontoEscePosizionatoDallaCodaScelta)
{
    stampante.Printer({"Gamma"});
    const int prima = Completati("Gamma");
    Modulo2 modulo = Resoconto();

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    ASSERT_EQ(esito.Esito, EsitoStampa::Tipo::Stampata) << esito.Messaggio;
    ASSERT_TRUE(Server->AttendiLavori("Gamma", prima + 1)) << Server->RegistroErrori();
    const prove::PaginePdf pagine = prove::PagineDelPdf(FileDi("Gamma"));
    EXPECT_EQ(pagine.Pagine, 1);
    EXPECT_NEAR(pagine.Larghezza, 595.0, 1.0);
    EXPECT_NEAR(pagine.Altezza, 842.0, 1.0);

    const std::vector<RigaPdf> righe = prove::RigheDelPdf(FileDi("Gamma"));
    ASSERT_EQ(righe.size(), 23U);
    std::vector<std::pair<std::string, double>> attese{{"SCUOLA ELEMENTARE DI", 1000}};
    for (int i = 1; i <= 20; ++i) {
        attese.emplace_back(Compatta(modulo.ElencoOperazioni[static_cast<std::size_t>(i)]),
                            i <= 10 ? 2000 + (i - 1) * 400 : 7000 + (i - 11) * 400);
    }
    attese.emplace_back("Eser. n.1: Tempo tot. 95 secondi", 11000);
    attese.emplace_back("Eser. n.2: Tempo tot. 95 secondi", 11400);
    for (std::size_t i = 0; i < attese.size(); ++i) {
        SCOPED_TRACE(attese[i].first);
        EXPECT_EQ(righe[i].Testo.toStdString(), attese[i].first);
        EXPECT_NEAR(righe[i].X, Margine + Punti(1000), 0.25);
        EXPECT_NEAR(righe[i].Y, Margine + Punti(attese[i].second), 0.25);
        // Within one font the lines keep the spacing to a fraction of a point.
        if (i >= 1) {
            EXPECT_NEAR(righe[i].Y - righe[1].Y, Punti(attese[i].second - 2000), 0.1);
        }
    }
}

// Catches: a print split into several jobs or pages, or sent to a printer
// other than the current one.
TEST_F(StampaSuCups, OgniStampaEUnLavoroDiUnaPagina)
{
    const int alfa = Completati("Alfa");
    const int beta = Completati("Beta");
    const int gamma = Completati("Gamma");
    Modulo2 modulo = Resoconto();

    ASSERT_EQ(StampaEsercizio(stampante, modulo).Esito, EsitoStampa::Tipo::Stampata);
    ASSERT_EQ(StampaEsercizio(stampante, modulo).Esito, EsitoStampa::Tipo::Stampata);

    ASSERT_TRUE(Server->AttendiLavori("Beta", beta + 2)) << Server->RegistroErrori();
    EXPECT_EQ(prove::PagineDelPdf(FileDi("Beta")).Pagine, 1);
    EXPECT_EQ(Completati("Alfa"), alfa);
    EXPECT_EQ(Completati("Gamma"), gamma);
}

// Catches: a line end that does not return to the left edge or move by one
// line, text without line end that does not advance, a picture not at its
// own size or place.
TEST_F(StampaSuCups, RigheEImmagineSullaPagina)
{
    stampante.Printer({"Alfa"});
    const int prima = Completati("Alfa");
    stampante.FontName("Courier New");
    stampante.FontSize(14);
    stampante.CurrentX(1000);
    stampante.CurrentY(1000);
    stampante.Print("Nome e cognome", ACapo::No);
    EXPECT_GT(stampante.CurrentX(), 1000);
    EXPECT_EQ(stampante.CurrentY(), 1000);
    stampante.Print("ROSSI", ACapo::Si);
    EXPECT_EQ(stampante.CurrentX(), 0);
    // One line of a 14-point face: a little more than 14 points.
    EXPECT_GT(stampante.CurrentY(), 1000 + 14 * 20);
    EXPECT_LT(stampante.CurrentY(), 1000 + 14 * 20 * 1.4);
    const double seconda = stampante.CurrentY();
    stampante.Print("SECONDA", ACapo::Si);
    QImage immagine(96, 48, QImage::Format_RGB32);
    immagine.fill(Qt::red);
    stampante.PaintPicture(immagine, 1000, 4000);
    stampante.EndDoc();
    ASSERT_TRUE(Server->AttendiLavori("Alfa", prima + 1)) << Server->RegistroErrori();

    const std::vector<RigaPdf> righe = prove::RigheDelPdf(FileDi("Alfa"));
    ASSERT_EQ(righe.size(), 2U);
    // Without a line end the next text starts where the last one ended.
    EXPECT_EQ(righe[0].Testo, QStringLiteral("Nome e cognomeROSSI"));
    EXPECT_NEAR(righe[1].X, Margine, 0.5);
    EXPECT_NEAR(righe[1].Y, Margine + Punti(seconda), 1.0);

    const int dpi = 144;
    const QImage pagina = prove::ImmagineDelPdf(FileDi("Alfa"), dpi);
    ASSERT_FALSE(pagina.isNull());
    QRect rosso;
    for (int y = 0; y < pagina.height(); ++y) {
        for (int x = 0; x < pagina.width(); ++x) {
            const QColor colore = pagina.pixelColor(x, y);
            if (colore.red() > 200 && colore.green() < 60 && colore.blue() < 60) {
                rosso |= QRect(x, y, 1, 1);
            }
        }
    }
    const double pixelPerPunto = dpi / 72.0;
    const double schermo = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_NEAR(rosso.left(), (Margine + Punti(1000)) * pixelPerPunto, 2);
    EXPECT_NEAR(rosso.top(), (Margine + Punti(4000)) * pixelPerPunto, 2);
    EXPECT_NEAR(rosso.width(), 96 / schermo * dpi, 2);
    EXPECT_NEAR(rosso.height(), 48 / schermo * dpi, 2);
}

// Catches: a PDF that is not the A4 page paper would get, a proposal outside
// the documents folder, a cancelled save that writes or sends anything.
TEST_F(StampaSuCups, LaStampantePdfSalvaDoveDiceLUtente)
{
    stampante.Printer({StampanteQt::NomeStampantePdf});
    const int code = Completati("Alfa") + Completati("Beta") + Completati("Gamma");
    Modulo2 modulo = Resoconto();

    const EsitoStampa annullata = StampaEsercizio(stampante, modulo);
    EXPECT_EQ(annullata.Esito, EsitoStampa::Tipo::Annullata);
    EXPECT_EQ(annullata.Messaggio, "");
    EXPECT_TRUE(QDir(cartella.path()).isEmpty());

    fileScelto = cartella.filePath(QStringLiteral("resoconto.pdf"));
    const EsitoStampa salvata = StampaEsercizio(stampante, modulo);
    ASSERT_EQ(salvata.Esito, EsitoStampa::Tipo::Stampata) << salvata.Messaggio;
    EXPECT_EQ(domande, 2);
    EXPECT_EQ(proposta, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                            .filePath(QStringLiteral("Esercizio.pdf")));
    const prove::PaginePdf pagine = prove::PagineDelPdf(*fileScelto);
    EXPECT_EQ(pagine.Pagine, 1);
    EXPECT_NEAR(pagine.Larghezza, 595.3, 0.5);
    EXPECT_NEAR(pagine.Altezza, 841.9, 0.5);
    const std::vector<RigaPdf> righe = prove::RigheDelPdf(*fileScelto);
    ASSERT_EQ(righe.size(), 23U);
    EXPECT_NEAR(righe[0].X, Margine + Punti(1000), 0.5);
    EXPECT_NEAR(righe[11].Y, Margine + Punti(7000), 1.0);
    EXPECT_EQ(Completati("Alfa") + Completati("Beta") + Completati("Gamma"), code);
}

// Catches: a page drawn before the fault sent with the next print, a crash
// or a silent loss when the print system goes away, no way to print at all
// without it.
TEST_F(StampaSuCups, SenzaServizioNonSiStampaNullaAMeta)
{
    stampante.Printer({"Gamma"});
    stampante.CurrentX(1000);
    stampante.CurrentY(1000);
    stampante.Print("PAGINA INTERROTTA", ACapo::Si);
    Server->Ferma();
    try {
        stampante.EndDoc();
        ADD_FAILURE() << "EndDoc took a page with no print system";
    } catch (const ErroreStampa &errore) {
        EXPECT_STREQ(errore.what(), "Il servizio di stampa non risponde: la pagina non è stata stampata.");
    }
    Modulo2 modulo = Resoconto();
    const EsitoStampa fermo = StampaEsercizio(stampante, modulo);
    EXPECT_EQ(fermo.Esito, EsitoStampa::Tipo::Guasto);
    EXPECT_EQ(fermo.Messaggio, "Il servizio di stampa non risponde: la pagina non è stata stampata.");

    // A run that starts now finds only the PDF printer, and it works.
    {
        StampanteQt appenaAvviata([this](const QString &) { return fileScelto; });
        fileScelto = cartella.filePath(QStringLiteral("senza-stampanti.pdf"));
        EXPECT_EQ(appenaAvviata.Printers(), (std::vector<Dispositivo>{{StampanteQt::NomeStampantePdf}}));
        EXPECT_EQ(appenaAvviata.Printer().Nome, StampanteQt::NomeStampantePdf);
        ASSERT_EQ(StampaEsercizio(appenaAvviata, modulo).Esito, EsitoStampa::Tipo::Stampata);
        EXPECT_EQ(prove::PagineDelPdf(*fileScelto).Pagine, 1);
    }

    Server->Avvia();
    const int prima = Completati("Gamma");
    ASSERT_EQ(StampaEsercizio(stampante, modulo).Esito, EsitoStampa::Tipo::Stampata);
    ASSERT_TRUE(Server->AttendiLavori("Gamma", prima + 1)) << Server->RegistroErrori();
    const std::vector<RigaPdf> righe = prove::RigheDelPdf(FileDi("Gamma"));
    ASSERT_FALSE(righe.empty());
    EXPECT_EQ(righe.front().Testo, QStringLiteral("SCUOLA ELEMENTARE DI"));
    EXPECT_EQ(righe.size(), 23U);
}

// Catches: bad values crashing the print path, or a page rejected half-way
// reaching paper with the next print.
TEST_F(StampaSuCups, UnValoreSbagliatoScartaLaPagina)
{
    stampante.Printer({StampanteQt::NomeStampantePdf});
    fileScelto = cartella.filePath(QStringLiteral("pagina.pdf"));
    const std::vector<std::function<void()>> sbagliati{
        [&] { stampante.FontSize(0); },
        [&] { stampante.CurrentY(std::nan("")); },
        [&] { stampante.CurrentX(std::numeric_limits<double>::infinity()); },
        [&] { stampante.PaintPicture(QImage(), 0, 0); },
        [&] { stampante.FontName(""); },
    };
    for (const auto &sbagliato : sbagliati) {
        stampante.Print("SCARTATA", ACapo::Si);
        EXPECT_THROW(sbagliato(), ErroreStampa);
    }
    stampante.Print("TENUTA", ACapo::Si);
    stampante.EndDoc();

    EXPECT_EQ(domande, 1);
    const std::vector<RigaPdf> righe = prove::RigheDelPdf(*fileScelto);
    ASSERT_EQ(righe.size(), 1U);
    EXPECT_EQ(righe[0].Testo, QStringLiteral("TENUTA"));
}

// Catches: a printer removed during the run taken for printed on.
TEST_F(StampaSuCups, UnaStampanteSparitaLoDice)
{
    Server->AggiungiCoda("Delta");
    stampante.Printer({"Delta"});
    Server->RimuoviCoda("Delta");
    Modulo2 modulo = Resoconto();

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::Guasto);
    EXPECT_EQ(esito.Messaggio, "La stampante \"Delta\" non è più installata: la pagina non è stata stampata.");
    EXPECT_FALSE(std::filesystem::exists(Server->FileDiCoda("Delta")));
}

// Run only with a font system that has no faces (FONTCONFIG_FILE, see
// CMakeLists.txt). Catches: a font list that names Courier because some
// face stands in for it, and a report that prints in whatever is left.
class SenzaFont : public StampaSuCups {};

TEST_F(SenzaFont, IlResocontoChiedeDiInstallareCourier)
{
    stampante.Printer({"Gamma"});
    Modulo2 modulo = Resoconto();

    const EsitoStampa esito = StampaEsercizio(stampante, modulo);

    EXPECT_EQ(esito.Esito, EsitoStampa::Tipo::MancaCourier);
    EXPECT_EQ(esito.Messaggio, "Devi installare il font Courier o il font Courier New");
    const prove::ServerCupsPrivato::Lavori lavori = Server->StatoLavori("Gamma");
    EXPECT_EQ(lavori.Completati + lavori.Falliti + lavori.InCorso, 0);
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does it at build time) needs no server.
    if (testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    std::optional<prove::ServerCupsPrivato> server;
    try {
        server.emplace();
    } catch (const std::exception &errore) {
        std::cerr << "Cannot start the private CUPS server: " << errore.what() << '\n';
        return 1;
    }
    Server = &*server;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication applicazione(argc, argv);
    return RUN_ALL_TESTS();
}
