// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ParametriServer.h"

#include <QSettings>
#include <QSqlError>
#include <QStringList>

#include <optional>

namespace lumivex::registro {

namespace {

// A value inside libpq's key='value' form.
QString Citato(QString valore)
{
    valore.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    valore.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + valore + QLatin1Char('\'');
}

bool Locale(const QString &host)
{
    return host.startsWith(QLatin1Char('/')) || host == QLatin1String("localhost") || host == QLatin1String("127.0.0.1")
           || host == QLatin1String("::1");
}

} // namespace

ParametriServer LeggiParametriServer(QSettings &impostazioni)
{
    ParametriServer p;
    impostazioni.beginGroup(QStringLiteral("Registro"));
    p.Host = impostazioni.value(QStringLiteral("host")).toString().trimmed();
    bool ok = false;
    const int porta = impostazioni.value(QStringLiteral("port")).toInt(&ok);
    if (ok && porta > 0 && porta < 65536) {
        p.Porta = porta;
    }
    const auto testo = [&](const char *chiave, QString &campo) {
        const QString valore = impostazioni.value(QLatin1String(chiave)).toString().trimmed();
        if (!valore.isEmpty()) {
            campo = valore;
        }
    };
    testo("database", p.Database);
    testo("user", p.Utente);
    testo("sslmode", p.SslMode);
    testo("sslrootcert", p.SslRootCert);
    // A password may well begin or end with a blank.
    p.Password = impostazioni.value(QStringLiteral("password")).toString();
    impostazioni.endGroup();
    return p;
}

ParametriServer ParametriServerDiSistema()
{
    QSettings sistema(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Lumivex"), QStringLiteral("Lumivex"));
    return LeggiParametriServer(sistema);
}

bool ApplicaServerDaRigaDiComando(ParametriServer &parametri, const QString &valore)
{
    QString host = valore.trimmed();
    std::optional<int> porta;
    if (host.isEmpty()) {
        return false;
    }
    qsizetype duepunti = host.lastIndexOf(QLatin1Char(':'));
    const bool ipv6 = host.startsWith(QLatin1Char('['));
    if (ipv6) {
        const qsizetype chiusa = host.indexOf(QLatin1Char(']'));
        if (chiusa < 0 || (chiusa + 1 < host.size() && host.at(chiusa + 1) != QLatin1Char(':'))) {
            return false;
        }
        duepunti = chiusa + 1 < host.size() ? chiusa + 1 : -1;
    } else if (host.indexOf(QLatin1Char(':')) != duepunti) {
        duepunti = -1; // a bare IPv6 address, no port
    }
    if (duepunti >= 0) {
        bool ok = false;
        const int numero = host.mid(duepunti + 1).toInt(&ok);
        if (!ok || numero < 1 || numero > 65535) {
            return false;
        }
        porta = numero;
        host.truncate(duepunti);
    }
    if (ipv6) {
        host = host.mid(1, host.size() - 2);
    }
    parametri.Host = host;
    if (porta) {
        parametri.Porta = *porta;
    }
    return true;
}

QString OpzioniConnessione(const ParametriServer &parametri)
{
    QString ssl = parametri.SslMode;
    if (ssl.isEmpty()) {
        ssl = Locale(parametri.Host) ? QStringLiteral("prefer") : QStringLiteral("verify-full");
    }
    QStringList opzioni{
        QStringLiteral("connect_timeout=3"),
        // A server gone silent under an open connection is found out in
        // about ten seconds rather than the system's two hours.
        QStringLiteral("keepalives=1"),
        QStringLiteral("keepalives_idle=5"),
        QStringLiteral("keepalives_interval=2"),
        QStringLiteral("keepalives_count=2"),
        QStringLiteral("tcp_user_timeout=10000"),
        QStringLiteral("options=") + Citato(QStringLiteral("-c statement_timeout=10000")),
        QStringLiteral("application_name=lumivex"),
        QStringLiteral("sslmode=") + Citato(ssl),
    };
    if (!parametri.SslRootCert.isEmpty()) {
        opzioni << QStringLiteral("sslrootcert=") + Citato(parametri.SslRootCert);
    }
    return opzioni.join(QLatin1Char(';'));
}

QSqlDatabase ApriServer(const ParametriServer &parametri, const QString &nome, const QString &utente,
                        const QString &password, QString *errore)
{
    QSqlDatabase db = QSqlDatabase::contains(nome) ? QSqlDatabase::database(nome, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nome);
    if (!db.isValid()) {
        if (errore) {
            *errore = QStringLiteral("Manca il modulo di Qt per PostgreSQL (pacchetto libqt6sql6-psql).");
        }
        return db;
    }
    db.close();
    db.setHostName(parametri.Host);
    db.setPort(parametri.Porta);
    db.setDatabaseName(parametri.Database);
    db.setUserName(utente);
    db.setPassword(password);
    db.setConnectOptions(OpzioniConnessione(parametri));
    if (!db.open()) {
        if (errore) {
            *errore = db.lastError().text();
        }
        db.close();
    }
    return db;
}

} // namespace lumivex::registro
