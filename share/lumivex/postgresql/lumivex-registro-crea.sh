#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Creates (or brings up to date) the school's Lumivex register on this
# PostgreSQL server: the database, the pupils' insert-only role and the
# teacher's role. Run it as the server's administrator, e.g.
#   sudo -u postgres lumivex-registro-crea.sh
# The passwords are asked for, or taken from LUMIVEX_PASSWORD_ALUNNI and
# LUMIVEX_PASSWORD_DOCENTE. PGHOST, PGPORT and PGUSER choose the server as
# for psql.
set -eu

database=lumivex
alunni=lumivex_alunni
# The program asks for this one by name.
docente=lumivex_docente
cartella=$(dirname "$0")
sql="$cartella/lumivex-registro.sql"

uso() {
    echo "Uso: $0 [--database NOME] [--ruolo-alunni NOME]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case "$1" in
        --database) [ $# -ge 2 ] || uso; database=$2; shift 2 ;;
        --ruolo-alunni) [ $# -ge 2 ] || uso; alunni=$2; shift 2 ;;
        -h|--help) uso ;;
        *) echo "Opzione sconosciuta: $1" >&2; uso ;;
    esac
done
[ -r "$sql" ] || { echo "Manca $sql." >&2; exit 1; }

chiedi() {
    # $1 the variable, $2 what it is for.
    eval "valore=\${$1:-}"
    if [ -z "$valore" ]; then
        [ -t 0 ] || { echo "Manca la password $2 ($1)." >&2; exit 1; }
        stty -echo
        printf 'Password %s: ' "$2" >&2; read -r valore; echo >&2
        printf 'Ripeti la password %s: ' "$2" >&2; read -r ancora; echo >&2
        stty echo
        [ "$valore" = "$ancora" ] || { echo "Le due password non coincidono." >&2; exit 1; }
    fi
    [ -n "$valore" ] || { echo "La password $2 non può essere vuota." >&2; exit 1; }
    eval "$1=\$valore"
}
chiedi LUMIVEX_PASSWORD_ALUNNI "del ruolo dei PC degli alunni ($alunni)"
chiedi LUMIVEX_PASSWORD_DOCENTE "del ruolo dell'insegnante ($docente)"

esiste=$(echo "SELECT 1 FROM pg_database WHERE datname = :'nome'" \
    | psql -X -d postgres -tA -v ON_ERROR_STOP=1 -v nome="$database" -f -)
if [ "$esiste" != 1 ]; then
    echo "SELECT format('CREATE DATABASE %I ENCODING ''UTF8'' TEMPLATE template0', :'nome') \\gexec" \
        | psql -X -q -d postgres -v ON_ERROR_STOP=1 -v nome="$database" -f - >/dev/null
fi
# The passwords reach psql through its variables, never its command line;
# in a quoted psql argument a quote is doubled and a backslash escaped.
citata() { printf '%s' "$1" | sed -e 's/\\/\\\\/g' -e "s/'/''/g" -e "s/^/'/" -e "s/\$/'/"; }
{
    printf '\\set password_alunni %s\n' "$(citata "$LUMIVEX_PASSWORD_ALUNNI")"
    printf '\\set password_docente %s\n' "$(citata "$LUMIVEX_PASSWORD_DOCENTE")"
    cat "$sql"
} | psql -X -q -d "$database" -v ON_ERROR_STOP=1 -v database="$database" -v alunni="$alunni" -v docente="$docente" -f -
echo "Registro «$database» pronto: ruolo degli alunni $alunni, ruolo dell'insegnante $docente."
