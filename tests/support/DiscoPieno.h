// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace lumivex::prove {

// A folder on a 64 KiB tmpfs holding an older file and a filler that takes
// every block left, so the next write finds the disk full. Only root may
// mount here: elsewhere Montato() is false and the test skips.
class DiscoPieno {
public:
    DiscoPieno(const QString &nomeVecchio, const QByteArray &contenutoVecchio)
        : punto_(QFile::encodeName(cartella_.path()))
    {
        montato_ = cartella_.isValid() && ::mount("tmpfs", punto_.constData(), "tmpfs", 0, "size=64k") == 0;
        if (!montato_) {
            return;
        }
        QFile vecchio(Percorso(nomeVecchio));
        QFile riempimento(Percorso(QStringLiteral("riempimento")));
        if (!vecchio.open(QIODevice::WriteOnly) || vecchio.write(contenutoVecchio) != contenutoVecchio.size()
            || !vecchio.flush() || !riempimento.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray blocco(4096, 'x');
        while (riempimento.write(blocco) == blocco.size()) {
        }
        pieno_ = true;
    }
    // Unmounted before the folder goes, however the test ended.
    ~DiscoPieno()
    {
        if (montato_) {
            ::umount(punto_.constData());
        }
    }
    DiscoPieno(const DiscoPieno &) = delete;
    DiscoPieno &operator=(const DiscoPieno &) = delete;

    bool Montato() const { return montato_; }
    // The older file is written and no block is left.
    bool Pieno() const { return pieno_; }
    QString Cartella() const { return cartella_.path(); }
    QString Percorso(const QString &nome) const { return cartella_.filePath(nome); }

private:
    QTemporaryDir cartella_;
    QByteArray punto_;
    bool montato_ = false;
    bool pieno_ = false;
};

} // namespace lumivex::prove
