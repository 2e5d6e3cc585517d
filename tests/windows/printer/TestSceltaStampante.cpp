// SPDX-License-Identifier: GPL-3.0-or-later
// The printer choice window over the real printing service and a private
// CUPS server with the queues Alfa, Beta (the system default) and Gamma.
#include "printing/ErroreStampa.h"
#include "printing/StampanteQt.h"
#include "support/DiscoPieno.h"
#include "support/Messaggi.h"
#include "support/cups/AttesaSospesa.h"
#include "support/cups/ConServerCups.h"
#include "support/cups/ServerCupsPrivato.h"
#include "support/finestre/FinestreProva.h"
#include "windows/printer/frmSceltaStampante.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>

using namespace lumivex;

namespace {

prove::ServerCupsPrivato *Server = nullptr;

const QString SoloPdf = QStringLiteral("Il servizio di stampa non risponde: per ora puoi solo salvare la pagina come PDF.");

} // namespace

class TestSceltaStampante : public QObject {
    Q_OBJECT

private slots:
    // Each test starts as the program does: nothing asked of the print system yet.
    void init();
    void cleanup();

    void servizioFermoOffreIlPdfSenzaNominarePredefinite();
    void laSceltaValeSubitoEResta();
    void servizioBloccatoElencaEntroIlLimite();
    void senzaStampantiIlPdfEPredefinito();
    void chiudendoSulPdfSiSalvaSenzaServizio();
    void pdfSuDiscoPienoLoDiceENonLasciaNulla();

private:
    void Apri();
    QComboBox *Combo() const { return finestra_->findChild<QComboBox *>(QStringLiteral("Combo1")); }
    void Scegli(const QString &voce);
    void Verifica(const QString &label1, const QString &label2, const std::string &corrente);
    QStringList Voci() const;
    void Chiudi();
    bool StampaChiedeIlFile();

    std::unique_ptr<StampanteQt> stampante_;
    // The program's windows over stampante_, made again with it.
    std::unique_ptr<prove::Programma> programma_;
    frmSceltaStampante *finestra_ = nullptr;
    int fileChiesti_ = 0;
    // The file the save dialog answers with; none means the user cancelled.
    std::optional<QString> filePdf_;
};

void TestSceltaStampante::init()
{
    fileChiesti_ = 0;
    filePdf_.reset();
    programma_.reset();
    stampante_ = std::make_unique<StampanteQt>([this](const QString &) {
        ++fileChiesti_;
        return filePdf_;
    });
    programma_ = std::make_unique<prove::Programma>(*stampante_);
}

void TestSceltaStampante::cleanup()
{
    programma_->registro.Scarica<frmSceltaStampante>();
    // A test stopped half-way must not leave the next without a server.
    Server->Avvia();
}

void TestSceltaStampante::Apri()
{
    finestra_ = &programma_->registro.MostraModale<frmSceltaStampante>();
    QVERIFY(QTest::qWaitForWindowExposed(finestra_));
}

// As the user does it: open the list and click the entry.
void TestSceltaStampante::Scegli(const QString &voce)
{
    const int riga = Combo()->findText(voce);
    Combo()->showPopup();
    QAbstractItemView *vista = Combo()->view();
    QVERIFY(QTest::qWaitForWindowExposed(vista->window()));
    const QModelIndex indice = Combo()->model()->index(riga, Combo()->modelColumn());
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(indice).center());
    QTRY_VERIFY_WITH_TIMEOUT(!vista->window()->isVisible(), 5000);
}

void TestSceltaStampante::Verifica(const QString &label1, const QString &label2, const std::string &corrente)
{
    QCOMPARE(finestra_->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("La stampante predefinita è \n") + label1);
    QCOMPARE(finestra_->findChild<QLabel *>(QStringLiteral("Label2"))->text(),
             label2.isEmpty() ? QString() : QStringLiteral("La stampante scelta è \n") + label2);
    QCOMPARE(stampante_->Printer().Nome, corrente);
}

void TestSceltaStampante::Chiudi()
{
    QTest::mouseClick(finestra_->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
}

// A one-line page: true when it went as far as asking where to save it.
bool TestSceltaStampante::StampaChiedeIlFile()
{
    const int prima = fileChiesti_;
    try {
        stampante_->Print("1 + 1 = 2", ACapo::Si);
        const FineDocumento fine = stampante_->EndDoc();
        return fine.Modo == FineDocumento::Fine::Annullato && fileChiesti_ == prima + 1;
    } catch (const ErroreStampa &) {
        stampante_->KillDoc();
        return false;
    }
}

QStringList TestSceltaStampante::Voci() const
{
    QStringList voci;
    for (int i = 0; i < Combo()->count(); ++i) {
        voci.append(Combo()->itemText(i));
    }
    return voci;
}

// Catches: a print system down at the first question taken for a machine
// without printers, so the PDF printer is named the default without a word;
// the PDF printer not offered, or not taken, while the system is down.
void TestSceltaStampante::servizioFermoOffreIlPdfSenzaNominarePredefinite()
{
    const QString pdf = QString::fromUtf8(StampanteQt::NomeStampantePdf);
    Server->Ferma();
    Apri();
    QCOMPARE(Voci(), QStringList{pdf});
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{SoloPdf});
    QCOMPARE(finestra_->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("La stampante predefinita è \n") + pdf);
    Scegli(pdf);
    QCOMPARE(finestra_->findChild<QLabel *>(QStringLiteral("Label2"))->text(),
             QStringLiteral("La stampante scelta è \n") + pdf);
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    Server->Avvia();
    QCOMPARE(stampante_->Printer().Nome, StampanteQt::NomeStampantePdf);
}

// Catches: the window frozen (no repaint) while listing from a print server
// that does not answer, or opening only after the bound; the default known
// from before named although the list cannot show it; then, once the server
// answers, the list still short of its printers.
void TestSceltaStampante::servizioBloccatoElencaEntroIlLimite()
{
    Apri();
    Verifica(QStringLiteral("Beta"), {}, "Beta");
    QTest::mouseClick(finestra_->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);

    const prove::AttesaSospesa attesa = prove::ConServerSospeso(*Server, [this] { Apri(); });
    QVERIFY2(attesa.Millisecondi < 10000, QByteArray::number(attesa.Millisecondi));
    QVERIFY2(attesa.Battiti > 10, QByteArray::number(attesa.Battiti));
    QCOMPARE(Voci(), QStringList{QString::fromUtf8(StampanteQt::NomeStampantePdf)});
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{SoloPdf});
    QCOMPARE(finestra_->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("La stampante predefinita è \n") + QString::fromUtf8(StampanteQt::NomeStampantePdf));
    Chiudi();

    // Closed on the PDF printer, the only one listed: it stays current.
    Apri();
    QCOMPARE(Voci().size(), 4);
    Verifica(QString::fromUtf8(StampanteQt::NomeStampantePdf), {}, StampanteQt::NomeStampantePdf);
}

// Catches: the choice closed on "Salva come PDF", the only printer a silent
// or absent print system leaves, not made current, so the next print asks
// that system again and refuses instead of asking where to save the page.
void TestSceltaStampante::chiudendoSulPdfSiSalvaSenzaServizio()
{
    Server->Ferma();
    Apri();
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{SoloPdf});
    Chiudi();
    QVERIFY(StampaChiedeIlFile());
    Server->Avvia();

    init();
    bool chiesto = false;
    const prove::AttesaSospesa attesa = prove::ConServerSospeso(*Server, [this, &chiesto] {
        Apri();
        QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList{SoloPdf});
        Chiudi();
        chiesto = StampaChiedeIlFile();
    });
    QVERIFY2(attesa.Millisecondi < 10000, QByteArray::number(attesa.Millisecondi));
    QVERIFY(chiesto);
}

// Catches: a working print system without printers reported as a fault, or
// left without the PDF printer as its default (printing out of the box).
void TestSceltaStampante::senzaStampantiIlPdfEPredefinito()
{
    const QString pdf = QString::fromUtf8(StampanteQt::NomeStampantePdf);
    for (const char *coda : {"Alfa", "Beta", "Gamma"}) {
        Server->RimuoviCoda(coda);
    }
    Apri();
    QCOMPARE(Voci(), QStringList{pdf});
    QCOMPARE(prove::ChiudiMessaggi(finestra_), QStringList());
    Verifica(pdf, {}, StampanteQt::NomeStampantePdf);
    for (const char *coda : {"Alfa", "Beta", "Gamma"}) {
        Server->AggiungiCoda(coda);
    }
    Server->ImpostaPredefinita("Beta");
}

// Catches: the list out of the print system's order or without the PDF
// printer last; the list's own first selection taken for a choice (Alfa made
// current); Label1 naming the first entry rather than the current printer;
// Label2 filled at load; a choice skipped when it names the current printer
// or the entry already shown, waiting for the window to close, undone by
// closing it, or forgotten (or faked by a flag left over) on reopening.
void TestSceltaStampante::laSceltaValeSubitoEResta()
{
    Apri();
    QCOMPARE(Voci(), (QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                                QString::fromUtf8(StampanteQt::NomeStampantePdf)}));
    QCOMPARE(Combo()->currentText(), QStringLiteral("Alfa"));
    Verifica(QStringLiteral("Beta"), {}, "Beta");

    Scegli(QStringLiteral("Beta"));
    Verifica(QStringLiteral("Beta"), QStringLiteral("Beta"), "Beta");
    Scegli(QStringLiteral("Gamma"));
    Verifica(QStringLiteral("Beta"), QStringLiteral("Gamma"), "Gamma");
    QTest::mouseClick(finestra_->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);

    Apri();
    QCOMPARE(Combo()->currentText(), QStringLiteral("Alfa"));
    Verifica(QStringLiteral("Gamma"), {}, "Gamma");
    Scegli(QStringLiteral("Alfa"));
    Verifica(QStringLiteral("Gamma"), QStringLiteral("Alfa"), "Alfa");
}

// Catches: a page short enough to sit in the writer's buffer saved onto a
// full disk as an empty file without a word; a failed save that damages the
// file of the same name the user chose to replace.
void TestSceltaStampante::pdfSuDiscoPienoLoDiceENonLasciaNulla()
{
    const prove::DiscoPieno disco(QStringLiteral("vecchio.pdf"), "%PDF-1.4 della settimana scorsa");
    if (!disco.Montato()) {
        QSKIP("a full disk needs a small tmpfs, which only root may mount here");
    }
    QVERIFY(disco.Pieno());
    const QString vecchio = disco.Percorso(QStringLiteral("vecchio.pdf"));

    Apri();
    Scegli(QString::fromUtf8(StampanteQt::NomeStampantePdf));
    Chiudi();
    for (const QString &nome : {disco.Percorso(QStringLiteral("nuovo.pdf")), vecchio}) {
        filePdf_ = nome;
        std::optional<GuastoStampa> guasto;
        try {
            stampante_->Print("1 + 1 = 2", ACapo::Si);
            (void)stampante_->EndDoc();
        } catch (const ErroreStampa &errore) {
            guasto = errore.Guasto();
        }
        QCOMPARE(guasto, std::optional<GuastoStampa>(GuastoStampa::PdfDiscoPieno));
    }
    QVERIFY(!QFile::exists(disco.Percorso(QStringLiteral("nuovo.pdf"))));
    QFile file(vecchio);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("%PDF-1.4 della settimana scorsa"));
    QCOMPARE(QDir(disco.Cartella()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

int main(int argc, char **argv)
{
    return prove::ConServerCups([&](prove::ServerCupsPrivato &server) {
        Server = &server;
        QApplication applicazione(argc, argv);
        TestSceltaStampante prova;
        return QTest::qExec(&prova, argc, argv);
    });
}

#include "TestSceltaStampante.moc"
