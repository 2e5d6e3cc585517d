// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace lumivex {

// The core keeps its texts as UTF-8 std::string; Qt wants QString. Every
// crossing goes through these two.
inline QString DaStd(const std::string &testo)
{
    return QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size()));
}

inline std::string AStd(const QString &testo)
{
    const QByteArray utf8 = testo.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace lumivex
