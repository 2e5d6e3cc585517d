// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/postgresql/ServerPostgresPrivato.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace lumivex::prove {

namespace {

const QString Binari = QStringLiteral("/usr/lib/postgresql/15/bin/");

bool Root()
{
    return ::geteuid() == 0;
}

// The server's programs run as `postgres` when we are root.
QStringList ComeServer(const QStringList &comando)
{
    return Root() ? QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"),
                                QStringLiteral("--")} + comando
                  : comando;
}

void Proprieta(const QString &percorso)
{
    if (!Root()) {
        return;
    }
    const passwd *pg = ::getpwnam("postgres");
    if (pg == nullptr || ::chown(QFile::encodeName(percorso).constData(), pg->pw_uid, pg->pw_gid) != 0) {
        throw std::runtime_error("cannot hand " + percorso.toStdString() + " to the postgres user");
    }
}

} // namespace

ServerPostgresPrivato::ServerPostgresPrivato()
{
    if (!cartella_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    QFile::setPermissions(cartella_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                                | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    Proprieta(cartella_.path());
    const QString pw = cartella_.filePath(QStringLiteral("pw"));
    {
        QFile f(pw);
        if (!f.open(QIODevice::WriteOnly) || f.write(PasswordAmministratore.toUtf8() + '\n') < 0) {
            throw std::runtime_error("cannot write the password file");
        }
    }
    Proprieta(pw);
    Esegui(ComeServer({Binari + QStringLiteral("initdb"), QStringLiteral("-D"), cartella_.filePath(QStringLiteral("data")),
                       QStringLiteral("-U"), QStringLiteral("admin"), QStringLiteral("--pwfile=") + pw,
                       QStringLiteral("-A"), QStringLiteral("scram-sha-256"), QStringLiteral("-E"),
                       QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}));
    Avvia();
    Prepara();
}

ServerPostgresPrivato::~ServerPostgresPrivato()
{
    try {
        Ferma();
    } catch (const std::exception &) {
        // Nothing more to do: the folder goes anyway.
    }
}

void ServerPostgresPrivato::Avvia()
{
    Esegui(ComeServer({Binari + QStringLiteral("pg_ctl"), QStringLiteral("-D"), cartella_.filePath(QStringLiteral("data")),
                       QStringLiteral("-l"), Registro(), QStringLiteral("-w"), QStringLiteral("-o"),
                       QStringLiteral("-k %1 -c listen_addresses='' -p %2 -c fsync=off").arg(cartella_.path()).arg(Porta),
                       QStringLiteral("start")}));
}

void ServerPostgresPrivato::Ferma()
{
    Esegui(ComeServer({Binari + QStringLiteral("pg_ctl"), QStringLiteral("-D"), cartella_.filePath(QStringLiteral("data")),
                       QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")}));
}

void ServerPostgresPrivato::Prepara()
{
    Esegui({QStringLiteral(LUMIVEX_SCRIPT_REGISTRO_SERVER)},
           {QStringLiteral("PGHOST=") + cartella_.path(), QStringLiteral("PGPORT=%1").arg(Porta),
            QStringLiteral("PGUSER=admin"), QStringLiteral("PGPASSWORD=") + PasswordAmministratore,
            QStringLiteral("LUMIVEX_PASSWORD_ALUNNI=") + PasswordAlunni,
            QStringLiteral("LUMIVEX_PASSWORD_DOCENTE=") + PasswordDocente});
}

registro::ParametriServer ServerPostgresPrivato::Parametri(const QString &utente, const QString &password) const
{
    registro::ParametriServer p;
    p.Host = cartella_.path();
    p.Porta = Porta;
    if (!utente.isEmpty()) {
        p.Utente = utente;
        p.Password = password;
    } else {
        p.Password = PasswordAlunni;
    }
    return p;
}

QString ServerPostgresPrivato::Registro() const
{
    return cartella_.filePath(QStringLiteral("log"));
}

void ServerPostgresPrivato::Esegui(const QStringList &comando, const QStringList &ambiente) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &voce : ambiente) {
        const qsizetype uguale = voce.indexOf(QLatin1Char('='));
        env.insert(voce.left(uguale), voce.mid(uguale + 1));
    }
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    // The server started by pg_ctl outlives it and keeps its output: no pipe to wait on.
    p.setStandardOutputFile(cartella_.filePath(QStringLiteral("comandi")), QIODevice::Append);
    p.start(comando.first(), comando.mid(1));
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        QFile uscita(cartella_.filePath(QStringLiteral("comandi")));
        QFile registro(Registro());
        uscita.open(QIODevice::ReadOnly);
        registro.open(QIODevice::ReadOnly);
        throw std::runtime_error((comando.join(QLatin1Char(' ')) + QStringLiteral(" failed:\n")).toStdString()
                                 + uscita.readAll().right(4000).toStdString() + registro.readAll().right(4000).toStdString());
    }
}

} // namespace lumivex::prove
