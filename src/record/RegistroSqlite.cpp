// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/RegistroSqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lumivex::registro {

namespace {

constexpr char MagicSqlite[] = "SQLite format 3";

std::uint32_t GrandeFinale(const QByteArray &b, int da)
{
    return (std::uint32_t(std::uint8_t(b[da])) << 24) | (std::uint32_t(std::uint8_t(b[da + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[da + 2])) << 8) | std::uint32_t(std::uint8_t(b[da + 3]));
}

bool Scrivibile(const QString &percorso)
{
    const QByteArray file = QFile::encodeName(percorso);
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorso).absolutePath());
    // The folder too: the rollback journal is made next to the file.
    return ::access(file.constData(), W_OK) == 0 && ::access(cartella.constData(), W_OK | X_OK) == 0;
}

} // namespace

QString MessaggioRegistro(StatoRegistro stato, const QString &percorso)
{
    const QString seguito = QStringLiteral(" Gli esercizi continuano, ma non vengono registrati.");
    switch (stato) {
    case StatoRegistro::Aperto:
        return {};
    case StatoRegistro::NonNostro:
        return QStringLiteral("Il file «%1» non è un registro di Lumivex: non viene toccato.").arg(percorso) + seguito;
    case StatoRegistro::VersionePiuRecente:
        return QStringLiteral("Il registro «%1» è di una versione di Lumivex più recente di questa: non viene toccato.")
                   .arg(percorso) +
               seguito;
    case StatoRegistro::Danneggiato:
        return QStringLiteral("Il registro «%1» è danneggiato: non viene toccato.").arg(percorso) + seguito;
    case StatoRegistro::SolaLettura:
        return QStringLiteral("Il registro «%1» è in sola lettura.").arg(percorso) + seguito;
    case StatoRegistro::NonCreabile:
        return QStringLiteral("Non è possibile creare il registro «%1».").arg(percorso) + seguito;
    case StatoRegistro::DiscoPieno:
        return QStringLiteral("Il disco del registro «%1» è pieno.").arg(percorso) + seguito;
    case StatoRegistro::Scomparso:
        return QStringLiteral("Il registro «%1» è stato cancellato o sostituito mentre Lumivex era aperto.")
                   .arg(percorso) +
               seguito;
    case StatoRegistro::Inaccessibile:
        break;
    }
    return QStringLiteral("Non è possibile scrivere nel registro «%1».").arg(percorso) + seguito;
}

StatoRegistro StatoDaErrore(const QString &codiceNativo)
{
    bool ok = false;
    // Extended codes carry the primary one in their low byte.
    const int codice = codiceNativo.toInt(&ok) & 0xff;
    if (!ok)
        return StatoRegistro::Inaccessibile;
    switch (codice) {
    case 13: // SQLITE_FULL
        return StatoRegistro::DiscoPieno;
    case 11: // SQLITE_CORRUPT
        return StatoRegistro::Danneggiato;
    case 26: // SQLITE_NOTADB
        return StatoRegistro::NonNostro;
    case 8: // SQLITE_READONLY
        return StatoRegistro::SolaLettura;
    default:
        return StatoRegistro::Inaccessibile;
    }
}

QString PercorsoRegistro()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/registro.sqlite");
}

RegistroSqlite::RegistroSqlite(const QString &percorso, const QString &nomeConnessione, bool verificaIntegrita)
    : RegistroSqlite(percorso, nomeConnessione, verificaIntegrita, Migrazioni())
{
}

RegistroSqlite::RegistroSqlite(const QString &percorso, const QString &nomeConnessione, bool verificaIntegrita,
                               const QList<PassoSchema> &passi)
    : percorso_(QFileInfo(percorso).absoluteFilePath()), connessione_(nomeConnessione)
{
    Apri(verificaIntegrita, passi);
}

RegistroSqlite::~RegistroSqlite()
{
    Chiudi();
}

QSqlDatabase RegistroSqlite::Database() const
{
    return QSqlDatabase::database(connessione_, false);
}

StatoRegistro RegistroSqlite::Guasto(const QString &codiceNativo, const QString &dettaglio)
{
    Guasto(StatoDaErrore(codiceNativo), dettaglio);
    return stato_;
}

void RegistroSqlite::Guasto(StatoRegistro stato, const QString &dettaglio)
{
    stato_ = stato == StatoRegistro::Aperto ? StatoRegistro::Inaccessibile : stato;
    dettaglio_ = dettaglio;
    Chiudi();
}

void RegistroSqlite::Chiudi()
{
    if (!QSqlDatabase::contains(connessione_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connessione_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connessione_);
}

bool RegistroSqlite::ApriConnessione(bool solaLettura)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connessione_);
    db.setDatabaseName(percorso_);
    db.setConnectOptions(solaLettura ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                                     : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        dettaglio_ = db.lastError().text();
        stato_ = StatoDaErrore(db.lastError().nativeErrorCode());
        return false;
    }
    QSqlQuery q(db);
    QStringList pragma{QStringLiteral("PRAGMA busy_timeout = 5000"), QStringLiteral("PRAGMA foreign_keys = ON")};
    if (!solaLettura) {
        // A rollback journal, never WAL: homes on school networks are often
        // NFS, where WAL's shared memory does not work. PERSIST rather than
        // DELETE: its commit point, the journal's header zeroed, is flushed
        // before COMMIT returns, where an unlinked journal may come back after
        // a power cut and take the last problem with it; and it spares the
        // file's creation and removal at every problem (bench_registro).
        // FULL flushes the journal before the register is touched.
        pragma << QStringLiteral("PRAGMA journal_mode = PERSIST") << QStringLiteral("PRAGMA synchronous = FULL");
    }
    for (const QString &p : pragma) {
        if (!q.exec(p)) {
            dettaglio_ = q.lastError().text();
            stato_ = StatoDaErrore(q.lastError().nativeErrorCode());
            return false;
        }
    }
    return true;
}

void RegistroSqlite::Apri(bool verificaIntegrita, const QList<PassoSchema> &passi)
{
    const QByteArray nomeFile = QFile::encodeName(percorso_);
    QFileInfo info(percorso_);
    if (!info.exists()) {
        const QString cartella = info.absolutePath();
        if (!QFileInfo::exists(cartella)) {
            if (!QDir().mkpath(cartella)) {
                stato_ = StatoRegistro::NonCreabile;
                return;
            }
            // The register speaks of children: only this account reads it.
            QFile::setPermissions(cartella, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        // Made here, exclusively and 0600, rather than by SQLite with the
        // umask's mode; if another copy made it first, it is opened below.
        const int fd = ::open(nomeFile.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
        } else if (errno != EEXIST) {
            stato_ = errno == ENOSPC ? StatoRegistro::DiscoPieno : StatoRegistro::NonCreabile;
            dettaglio_ = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        info.refresh();
    }
    if (!info.isFile()) {
        stato_ = StatoRegistro::NonNostro;
        return;
    }

    // The header tells whose file it is and its version before SQLite opens
    // it: nothing that is not ours is ever handed to it for writing.
    int versione = 0;
    if (info.size() > 0) {
        QFile file(percorso_);
        if (!file.open(QIODevice::ReadOnly)) {
            stato_ = StatoRegistro::Inaccessibile;
            dettaglio_ = file.errorString();
            return;
        }
        const QByteArray testa = file.read(100);
        if (testa.size() < 100 || !testa.startsWith(QByteArray(MagicSqlite, sizeof MagicSqlite)) ||
            GrandeFinale(testa, 68) != std::uint32_t(IdApplicazione)) {
            stato_ = StatoRegistro::NonNostro;
            return;
        }
        versione = int(GrandeFinale(testa, 60));
        if (versione > passi.size()) {
            stato_ = StatoRegistro::VersionePiuRecente;
            return;
        }
    }

    const bool solaLettura = !Scrivibile(percorso_);
    if (!ApriConnessione(solaLettura)) {
        Chiudi();
        return;
    }
    QSqlDatabase db = Database();
    QSqlQuery q(db);
    // Reading the schema finds a damaged first page; quick_check reads them all.
    const QString prova = verificaIntegrita ? QStringLiteral("PRAGMA quick_check")
                                            : QStringLiteral("SELECT count(*) FROM sqlite_master");
    if (!q.exec(prova) || !q.next()) {
        stato_ = StatoDaErrore(q.lastError().nativeErrorCode());
        if (stato_ == StatoRegistro::NonNostro || stato_ == StatoRegistro::Inaccessibile)
            stato_ = StatoRegistro::Danneggiato;
        dettaglio_ = q.lastError().text();
        q = QSqlQuery();
        db = QSqlDatabase();
        Chiudi();
        return;
    }
    if (verificaIntegrita && q.value(0).toString() != QStringLiteral("ok")) {
        stato_ = StatoRegistro::Danneggiato;
        dettaglio_ = q.value(0).toString();
        q = QSqlQuery();
        db = QSqlDatabase();
        Chiudi();
        return;
    }
    // The version again, now from SQLite: opening may have rolled back a
    // transaction a crash left in the journal, the first one included.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        stato_ = StatoRegistro::Danneggiato;
        dettaglio_ = q.lastError().text();
        q = QSqlQuery();
        db = QSqlDatabase();
        Chiudi();
        return;
    }
    versione = q.value(0).toInt();
    q = QSqlQuery();
    if (versione > passi.size()) {
        stato_ = StatoRegistro::VersionePiuRecente;
        db = QSqlDatabase();
        Chiudi();
        return;
    }
    if (solaLettura) {
        stato_ = StatoRegistro::SolaLettura;
        return;
    }
    if (versione < passi.size()) {
        QString errore, codice;
        if (!PortaAllaVersione(db, versione, passi, &errore, &codice)) {
            stato_ = StatoDaErrore(codice);
            dettaglio_ = errore;
            db = QSqlDatabase();
            Chiudi();
            return;
        }
    }
    stato_ = StatoRegistro::Aperto;
}

} // namespace lumivex::registro
