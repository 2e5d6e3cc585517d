// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumivex {

// The worksheet window's class list as the user's settings on this machine
// keep it: the typed text, one name a line. The worksheet window edits it,
// the register window can fill it; both go through here.
QString ClasseSchede();
// A blank text removes the list.
void ScriviClasseSchede(const QString &testo);

// Names as the class list's lines, each read back as it is: a name holding
// a field separator or a quote is quoted, line breaks inside a name become
// blanks, other control characters are dropped.
QString TestoClasse(const QStringList &nomi);

} // namespace lumivex
