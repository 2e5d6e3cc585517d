// The printer choice window over the real printing service and a private
// CUPS server with the queues Alfa, Beta (the system default) and Gamma.
#include "printing/StampanteQt.h"
#include "support/cups/ServerCupsPrivato.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/printer/frmSceltaStampante.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <iostream>
#include <memory>
#include <optional>

using namespace lumivex;

namespace {

const QString Predefinita = QStringLiteral("La stampante predefinita è \n");
const QString Scelta = QStringLiteral("La stampante scelta è \n");

} // namespace

class TestSceltaStampante : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void primaAperturaMostraLaPredefinitaSenzaCambiarla();
    void laSceltaRestaDopoLaChiusuraELaRiapertura();
    void sceglierePoiLaCorrenteRiempieComunqueLEtichetta();

private:
    frmSceltaStampante &Apri();
    QComboBox *Combo() const;
    QString Testo(const char *etichetta) const;
    void ScegliDalMenuATendina(const QString &voce);
    void Chiudi();
    std::string Corrente() const { return stampante_->Printer().Nome; }

    std::unique_ptr<StampanteQt> stampante_;
    std::unique_ptr<RegistroFinestre> registro_;
};

void TestSceltaStampante::init()
{
    // A new printing service is a new run: the system default is current again.
    stampante_ = std::make_unique<StampanteQt>([](const QString &) { return std::optional<QString>(); });
    registro_ = std::make_unique<RegistroFinestre>([] {});
    registro_->Registra<frmSceltaStampante>(
        [this] { return std::make_unique<frmSceltaStampante>(*stampante_, *registro_); });
}

void TestSceltaStampante::cleanup()
{
    registro_.reset();
    stampante_.reset();
}

frmSceltaStampante &TestSceltaStampante::Apri()
{
    frmSceltaStampante &finestra = registro_->MostraModale<frmSceltaStampante>();
    [[maybe_unused]] const bool esposta = QTest::qWaitForWindowExposed(&finestra);
    return finestra;
}

QComboBox *TestSceltaStampante::Combo() const
{
    return registro_->Trova<frmSceltaStampante>()->findChild<QComboBox *>(QStringLiteral("Combo1"));
}

QString TestSceltaStampante::Testo(const char *etichetta) const
{
    return registro_->Trova<frmSceltaStampante>()->findChild<QLabel *>(QString::fromLatin1(etichetta))->text();
}

// As the user does it: open the list and click the entry.
void TestSceltaStampante::ScegliDalMenuATendina(const QString &voce)
{
    QComboBox *combo = Combo();
    const int riga = combo->findText(voce);
    QVERIFY(riga >= 0);
    combo->showPopup();
    QAbstractItemView *vista = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(vista->window()));
    const QModelIndex indice = combo->model()->index(riga, combo->modelColumn());
    vista->scrollTo(indice);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(indice).center());
    QTRY_VERIFY_WITH_TIMEOUT(!vista->window()->isVisible(), 5000);
    QCOMPARE(combo->currentText(), voce);
}

void TestSceltaStampante::Chiudi()
{
    auto *chiudi = registro_->Trova<frmSceltaStampante>()->findChild<QPushButton *>(QStringLiteral("Command2"));
    QCOMPARE(chiudi->text(), QStringLiteral("C H I U D I"));
    QTest::mouseClick(chiudi, Qt::LeftButton);
    QVERIFY(!registro_->Caricata<frmSceltaStampante>());
}

// Catches: the list's own first selection taken for a choice (Alfa made
// current), a list out of the print system's order, Label1 naming the first
// entry rather than the current printer, Label2 filled at load, a window
// that does not hold the rest of the program.
void TestSceltaStampante::primaAperturaMostraLaPredefinitaSenzaCambiarla()
{
    const frmSceltaStampante &finestra = Apri();

    QVERIFY(finestra.isModal());
    QCOMPARE(finestra.windowTitle(), QStringLiteral("Form1"));
    QStringList voci;
    for (int i = 0; i < Combo()->count(); ++i) {
        voci.append(Combo()->itemText(i));
    }
    QCOMPARE(voci, (QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                                QString::fromUtf8(StampanteQt::NomeStampantePdf)}));
    QCOMPARE(Combo()->currentIndex(), 0);
    QCOMPARE(Testo("Label1"), Predefinita + QStringLiteral("Beta"));
    QCOMPARE(Testo("Label2"), QString());
    QCOMPARE(Corrente(), "Beta");
}

// Catches: a choice that waits for the window to close, one undone by
// closing it, a reopening that forgets the choice or keeps the old Label2,
// a selection flag that survives the window and swallows or fakes a choice,
// and a choice that only counts when the entry changes (the entry already
// shown, picked again, is a choice too).
void TestSceltaStampante::laSceltaRestaDopoLaChiusuraELaRiapertura()
{
    Apri();
    ScegliDalMenuATendina(QStringLiteral("Gamma"));
    QCOMPARE(Corrente(), "Gamma");
    QCOMPARE(Testo("Label2"), Scelta + QStringLiteral("Gamma"));
    Chiudi();
    QCOMPARE(Corrente(), "Gamma");

    Apri();
    QCOMPARE(Combo()->currentText(), QStringLiteral("Alfa"));
    QCOMPARE(Testo("Label1"), Predefinita + QStringLiteral("Gamma"));
    QCOMPARE(Testo("Label2"), QString());
    QCOMPARE(Corrente(), "Gamma");

    ScegliDalMenuATendina(QStringLiteral("Alfa"));
    QCOMPARE(Corrente(), "Alfa");
    QCOMPARE(Testo("Label2"), Scelta + QStringLiteral("Alfa"));
    // Label1 tells what was current when the window opened.
    QCOMPARE(Testo("Label1"), Predefinita + QStringLiteral("Gamma"));
}

// Catches: a choice that is skipped when it names the current printer, and
// the keyboard's way through the list not counting as a choice.
void TestSceltaStampante::sceglierePoiLaCorrenteRiempieComunqueLEtichetta()
{
    Apri();
    ScegliDalMenuATendina(QStringLiteral("Beta"));
    QCOMPARE(Corrente(), "Beta");
    QCOMPARE(Testo("Label2"), Scelta + QStringLiteral("Beta"));

    QTest::keyClick(Combo(), Qt::Key_Down);
    QCOMPARE(Combo()->currentText(), QStringLiteral("Gamma"));
    QCOMPARE(Corrente(), "Gamma");
    QCOMPARE(Testo("Label2"), Scelta + QStringLiteral("Gamma"));
}

int main(int argc, char **argv)
{
    // CUPS_SERVER must be set before anything asks for printers.
    std::optional<prove::ServerCupsPrivato> server;
    try {
        server.emplace();
    } catch (const std::exception &errore) {
        std::cerr << "Cannot start the private CUPS server: " << errore.what() << '\n';
        return 1;
    }
    QApplication applicazione(argc, argv);
    TestSceltaStampante prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "TestSceltaStampante.moc"
