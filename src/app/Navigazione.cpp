// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Navigazione.h"

#include "exercise/Modulo2.h"
#include "qt/Testo.h"
#include "record/RegistroSqlite.h"
#include "windows/about/frmAutore.h"
#include "windows/certificate/FrmAttestato.h"
#include "windows/common/RegistroFinestre.h"
#include "windows/exercise/FrmOperativo.h"
#include "windows/name/frmNome.h"
#include "windows/printer/frmSceltaStampante.h"
#include "windows/register/FrmRegistro.h"
#include "windows/register/Grafici.h"
#include "windows/report/FrmStampaEsercizio.h"
#include "windows/start/FrmInizio.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <memory>

namespace lumivex {

namespace {

// The register's charts: their module is in the program's library folder
// once installed, beside the program in its build folder. Opened at the
// register window's first making, never at the start.
const Grafici *ModuloGrafici(QString &perche)
{
    static QString errore;
    static const Grafici *const grafici = [] {
        const QDir programma(QCoreApplication::applicationDirPath());
        return CaricaGrafici({programma.filePath(QStringLiteral(LUMIVEX_MODULI)), programma.path()}, &errore);
    }();
    perche = errore;
    return grafici;
}

} // namespace

void ChiudiTutto(RegistroFinestre &registro)
{
    registro.Scarica<frmAutore>();
    registro.Scarica<FrmInizio>();
    registro.Scarica<FrmOperativo>();
    registro.Scarica<FrmRegistro>();
    registro.Scarica<frmSceltaStampante>();
    registro.Scarica<FrmStampaEsercizio>();
    registro.Scarica<FrmStampaSchedeBig>();
}

void RegistraFinestre(RegistroFinestre &registro, Modulo2 &stato, StatoScheda &schede, SorgenteCasuale &casuale,
                      Orologio &orologio, Stampante &stampante, registro::InvioServer *invio)
{
    registro.Registra<FrmInizio>([&registro, &stato] {
        auto inizio = std::make_unique<FrmInizio>(stato);
        QObject::connect(inizio.get(), &FrmInizio::LivelloScelto, &registro,
                         [&registro](const QString &testo) { registro.Carica<FrmOperativo>().MostraLivello(testo); });
        QObject::connect(inizio.get(), &FrmInizio::RichiestaEsercizio, &registro,
                         [&registro] { registro.MostraIngrandita<FrmOperativo>().activateWindow(); });
        QObject::connect(inizio.get(), &FrmInizio::RichiestaAutore, &registro,
                         [&registro] { registro.Mostra<frmAutore>().activateWindow(); });
        QObject::connect(inizio.get(), &FrmInizio::RichiestaSchede, &registro,
                         [&registro] { registro.MostraIngrandita<FrmStampaSchedeBig>().activateWindow(); });
        QObject::connect(inizio.get(), &FrmInizio::RichiestaRegistro, &registro,
                         [&registro] { registro.Carica<FrmRegistro>().Apri(); });
        QObject::connect(inizio.get(), &FrmInizio::RichiestaUscita, &registro,
                         [&registro] { ChiudiTutto(registro); });
        return inizio;
    });
    registro.Registra<FrmOperativo>([&registro, &stato, &casuale, &orologio] {
        auto operativo = std::make_unique<FrmOperativo>(stato, casuale, orologio);
        QObject::connect(operativo.get(), &FrmOperativo::RichiestaStampaEsercizio, &registro,
                         [&registro] { registro.MostraIngrandita<FrmStampaEsercizio>(); });
        return operativo;
    });
    registro.Registra<FrmStampaEsercizio>([&registro, &stato, &stampante] {
        auto resoconto = std::make_unique<FrmStampaEsercizio>(stato, stampante);
        QObject::connect(resoconto.get(), &FrmStampaEsercizio::RichiestaSceltaStampante, &registro,
                         [&registro] { registro.MostraModale<frmSceltaStampante>(); });
        QObject::connect(resoconto.get(), &FrmStampaEsercizio::RichiestaNome, &registro,
                         [&registro] { registro.Mostra<frmNome>().activateWindow(); });
        QObject::connect(resoconto.get(), &FrmStampaEsercizio::RichiestaAttestato, &registro,
                         [&registro] { registro.MostraIngrandita<FrmAttestato>().activateWindow(); });
        return resoconto;
    });
    registro.Registra<FrmStampaSchedeBig>([&registro, &stato, &schede, &stampante, &casuale, &orologio] {
        auto fogli = std::make_unique<FrmStampaSchedeBig>(stato, schede, stampante, casuale, orologio);
        QObject::connect(fogli.get(), &FrmStampaSchedeBig::RichiestaSceltaStampante, &registro,
                         [&registro] { registro.MostraModale<frmSceltaStampante>(); });
        return fogli;
    });
    registro.Registra<FrmRegistro>([&registro, &stampante, invio] {
        QString senzaGrafici;
        const Grafici *grafici = ModuloGrafici(senzaGrafici);
        auto docente = std::make_unique<FrmRegistro>(stampante, registro::PercorsoRegistro(),
                                                     [] { return QDateTime::currentDateTime(); }, invio, grafici,
                                                     senzaGrafici);
        QObject::connect(docente.get(), &FrmRegistro::RichiestaSceltaStampante, &registro,
                         [&registro] { registro.MostraModale<frmSceltaStampante>(); });
        return docente;
    });
    registro.Registra<frmSceltaStampante>([&stampante] { return std::make_unique<frmSceltaStampante>(stampante); });
    registro.Registra<frmAutore>([] { return std::make_unique<frmAutore>(); });
    registro.Registra<frmNome>([&stato] { return std::make_unique<frmNome>(stato); });
    registro.Registra<FrmAttestato>([&registro, &stato, &stampante, &orologio] {
        auto attestato =
            std::make_unique<FrmAttestato>(stato, stampante, orologio, DaStd(stato.TipoEsercizio));
        QObject::connect(attestato.get(), &FrmAttestato::RichiestaFineSessione, &registro,
                         [&registro] { ChiudiTutto(registro); });
        return attestato;
    });
}

} // namespace lumivex
