// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/Grafici.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace lumivex {

const Grafici *CaricaGrafici(const QStringList &cartelle, QString *errore)
{
    QString perche = QStringLiteral("nessuna delle cartelle %1 contiene %2")
                         .arg(cartelle.join(QStringLiteral(", ")), QLatin1String(NomeModuloGrafici));
    for (const QString &cartella : cartelle) {
        const QString percorso = QDir(cartella).filePath(QLatin1String(NomeModuloGrafici));
        if (!QFileInfo(percorso).isFile())
            continue;
        // Once resolved, the module stays loaded for the rest of the run
        // (the charts it makes live on), whatever becomes of this handle.
        QLibrary modulo(percorso);
        const auto ingresso = reinterpret_cast<IngressoGrafici>(modulo.resolve(NomeIngressoGrafici));
        const Grafici *grafici = ingresso != nullptr ? ingresso(LUMIVEX_VERSIONE) : nullptr;
        if (grafici != nullptr)
            return grafici;
        perche = ingresso == nullptr ? modulo.errorString()
                                     : QStringLiteral("%1 non è della versione " LUMIVEX_VERSIONE).arg(percorso);
        modulo.unload();
    }
    if (errore != nullptr)
        *errore = perche;
    return nullptr;
}

} // namespace lumivex
