// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/RegistroSqlite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace lumivex::registro;

namespace {

QVariant Valore(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

QByteArray Impronta(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void Scrivi(const QString &percorso, const QByteArray &contenuto)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenuto);
}

// A real register, made by the program, to be damaged by a test.
QByteArray RegistroVero(const QString &cartella)
{
    const QString p = cartella + QStringLiteral("/modello.sqlite");
    {
        RegistroSqlite r(p, QStringLiteral("modello"));
        QSqlQuery q(r.Database());
        q.exec(QStringLiteral("INSERT INTO impostazioni VALUES ('registrazione', '1')"));
    }
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

// Catches: a new register or its kept journal made with the umask's modes
// (others could read the pupils' names), without its schema, or with the wrong version or id.
TEST(RegistroSqlite, NuovoRegistroPrivatoEConLoSchema)
{
    QTemporaryDir base;
    const QString p = base.path() + QStringLiteral("/dati/Lumivex/registro.sqlite");
    ::umask(022);
    RegistroSqlite r(p, QStringLiteral("nuovo"));
    ASSERT_TRUE(r.Aperto()) << r.Dettaglio().toStdString();
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(p).absolutePath()).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0700u);
    for (const QString &file : {p, p + QStringLiteral("-journal")}) {
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &s), 0) << file.toStdString();
        EXPECT_EQ(s.st_mode & 0777, 0600u) << file.toStdString();
    }
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA user_version")).toInt(), VersioneSchema);
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA application_id")).toInt(), IdApplicazione);
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("persist"));
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA busy_timeout")).toInt(), 5000);
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")).toInt(),
              5);
    EXPECT_EQ(Migrazioni().size(), VersioneSchema);
}

// Catches: a file that is not ours, a newer register or a damaged one being
// written to (or rebuilt) when opened, or opened as if all were well.
TEST(RegistroSqlite, FileAltruiMaiToccati)
{
    QTemporaryDir base;
    const QByteArray vero = RegistroVero(base.path());
    QByteArray piuRecente = vero;
    piuRecente[63] = char(VersioneSchema + 1);
    QByteArray altroId = vero;
    altroId[71] = 'Y';
    QByteArray danneggiato = vero;
    // Past the first page: the header still looks right, the tables do not.
    for (qsizetype i = 4096; i < danneggiato.size(); ++i)
        danneggiato[i] = char(0x5a);
    const struct {
        const char *nome;
        QByteArray contenuto;
        bool verifica;
        StatoRegistro atteso;
    } casi[] = {
        {"testo", QByteArray("Elenco della spesa: pane, latte\n"), false, StatoRegistro::NonNostro},
        {"breve", QByteArray("SQLite format 3"), false, StatoRegistro::NonNostro},
        {"altro id", altroId, false, StatoRegistro::NonNostro},
        {"senza id", QByteArray(vero).replace(68, 4, QByteArray(4, '\0')), false, StatoRegistro::NonNostro},
        {"piu recente", piuRecente, false, StatoRegistro::VersionePiuRecente},
        {"danneggiato", danneggiato, true, StatoRegistro::Danneggiato},
    };
    for (const auto &c : casi) {
        SCOPED_TRACE(c.nome);
        const QString p = base.path() + QStringLiteral("/registro.sqlite");
        Scrivi(p, c.contenuto);
        const QByteArray prima = Impronta(p);
        {
            RegistroSqlite r(p, QStringLiteral("altrui"), c.verifica);
            EXPECT_EQ(r.Stato(), c.atteso) << r.Dettaglio().toStdString();
            EXPECT_FALSE(r.Aperto());
            EXPECT_FALSE(r.Messaggio().isEmpty());
        }
        EXPECT_EQ(Impronta(p), prima);
        EXPECT_FALSE(QFileInfo::exists(p + QStringLiteral("-journal")));
    }
}

// Catches: a register of the first schema not brought to the next one, a
// step applied twice, or a failed step leaving a half-migrated file.
TEST(RegistroSqlite, MigrazioniDallaPrimaVersione)
{
    QTemporaryDir base;
    const QString p = base.path() + QStringLiteral("/registro.sqlite");
    {
        RegistroSqlite r(p, QStringLiteral("v1"));
        ASSERT_TRUE(r.Aperto());
        QSqlQuery(r.Database()).exec(QStringLiteral("INSERT INTO impostazioni VALUES ('registrazione', '0')"));
    }
    // Every step the program has, then one more as a next version would add it.
    QList<PassoSchema> passi = Migrazioni();
    passi.append({QStringLiteral("ALTER TABLE esercizi ADD COLUMN classe TEXT NOT NULL DEFAULT ''")});
    {
        RegistroSqlite r(p, QStringLiteral("v2"), true, passi);
        ASSERT_TRUE(r.Aperto()) << r.Dettaglio().toStdString();
        EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA user_version")).toInt(), passi.size());
        EXPECT_EQ(Valore(r.Database(), QStringLiteral("SELECT valore FROM impostazioni")).toString(),
                  QStringLiteral("0"));
        EXPECT_TRUE(QSqlQuery(r.Database()).exec(QStringLiteral("SELECT classe FROM esercizi")));
    }
    {
        RegistroSqlite r(p, QStringLiteral("di nuovo"), true, passi);
        EXPECT_TRUE(r.Aperto()) << r.Dettaglio().toStdString();
    }
    // This program, older than that register, leaves it alone.
    const QByteArray prima = Impronta(p);
    {
        RegistroSqlite r(p, QStringLiteral("vecchio"));
        EXPECT_EQ(r.Stato(), StatoRegistro::VersionePiuRecente);
    }
    EXPECT_EQ(Impronta(p), prima);

    // A step that fails rolls the whole migration back.
    const QString q = base.path() + QStringLiteral("/fallito.sqlite");
    {
        RegistroSqlite r(q, QStringLiteral("v1 bis"));
    }
    QList<PassoSchema> rotti = Migrazioni();
    rotti.append({QStringLiteral("ALTER TABLE esercizi ADD COLUMN classe TEXT"), QStringLiteral("NON SQL")});
    {
        RegistroSqlite r(q, QStringLiteral("rotto"), false, rotti);
        EXPECT_FALSE(r.Aperto());
    }
    RegistroSqlite r(q, QStringLiteral("dopo"));
    ASSERT_TRUE(r.Aperto());
    EXPECT_EQ(Valore(r.Database(), QStringLiteral("PRAGMA user_version")).toInt(), VersioneSchema);
    EXPECT_FALSE(QSqlQuery(r.Database()).exec(QStringLiteral("SELECT classe FROM esercizi")));
}

// Catches: a register whose folder cannot be made reported as open, or the
// failure losing its Italian message.
TEST(RegistroSqlite, CartellaImpossibile)
{
    QTemporaryDir base;
    Scrivi(base.path() + QStringLiteral("/file"), "x");
    RegistroSqlite r(base.path() + QStringLiteral("/file/Lumivex/registro.sqlite"), QStringLiteral("impossibile"));
    EXPECT_EQ(r.Stato(), StatoRegistro::NonCreabile);
    EXPECT_TRUE(r.Messaggio().contains(QStringLiteral("Non è possibile creare")));
}
