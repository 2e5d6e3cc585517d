// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/RegistroSqlite.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace lumivex::prove {

// One value read from a register through a connection of its own.
inline QVariant LeggiRegistro(const QString &percorso, const QString &sql)
{
    static std::atomic<int> numero{0};
    const registro::RegistroSqlite r(percorso, QStringLiteral("lettura-%1").arg(++numero));
    QSqlQuery q(r.Database());
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

inline QByteArray ImprontaFile(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace lumivex::prove
