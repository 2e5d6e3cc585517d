-- SPDX-License-Identifier: GPL-3.0-or-later
-- The school's register: the same tables as each PC's own, without the
-- PC's "sent" marks. Run by lumivex-registro-crea.sh as a superuser, inside
-- the register's database, with the variables database, alunni,
-- docente, password_alunni and password_docente set. Safe to run again: it creates
-- what is missing, brings an older register to this version, and sets the
-- passwords anew.
\set ON_ERROR_STOP on
SET password_encryption = 'scram-sha-256';
SET client_min_messages = warning;

BEGIN;

-- The roles are cluster-wide: made only when missing, their passwords set
-- every time, so running the script again is how a password is changed.
SELECT format('CREATE ROLE %I LOGIN', :'alunni')
 WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'alunni') \gexec
SELECT format('CREATE ROLE %I LOGIN', :'docente')
 WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'docente') \gexec
ALTER ROLE :"alunni" WITH LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOINHERIT PASSWORD :'password_alunni';
ALTER ROLE :"docente" WITH LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOINHERIT PASSWORD :'password_docente';

CREATE SCHEMA IF NOT EXISTS registro;
REVOKE ALL ON SCHEMA public FROM PUBLIC;
REVOKE ALL ON SCHEMA registro FROM PUBLIC;

-- Which version of the tables this database holds; one row.
CREATE TABLE IF NOT EXISTS registro.versione (versione integer NOT NULL);
INSERT INTO registro.versione SELECT 0 WHERE NOT EXISTS (SELECT FROM registro.versione);

-- Version 1: the first register.
DO $$
BEGIN
    IF (SELECT versione FROM registro.versione) < 1 THEN
        CREATE TABLE registro.esercizi (
            uid      bytea PRIMARY KEY CHECK (length(uid) = 16),
            inizio   text NOT NULL,
            minimo   integer NOT NULL,
            massimo  integer NOT NULL,
            macchina text NOT NULL
        );
        CREATE TABLE registro.problemi (
            esercizio   bytea NOT NULL REFERENCES registro.esercizi(uid) ON DELETE CASCADE,
            progressivo integer NOT NULL,
            num1 integer NOT NULL, num2 integer NOT NULL, num3 integer NOT NULL, num4 integer NOT NULL,
            nascosto    integer NOT NULL,
            soluzione   integer NOT NULL,
            risposte    text NOT NULL,
            aiuto       integer NOT NULL,
            intervento  integer NOT NULL,
            secondi     integer NOT NULL,
            PRIMARY KEY (esercizio, progressivo)
        );
        CREATE TABLE registro.esiti (
            esercizio bytea PRIMARY KEY REFERENCES registro.esercizi(uid) ON DELETE CASCADE,
            fine      text NOT NULL,
            esatte    integer NOT NULL,
            errate    integer NOT NULL,
            secondi   integer NOT NULL,
            voto      text NOT NULL
        );
        CREATE TABLE registro.nomi (
            esercizio bytea PRIMARY KEY REFERENCES registro.esercizi(uid) ON DELETE CASCADE,
            nome      text NOT NULL,
            chiave    text NOT NULL
        );
        CREATE INDEX nomi_chiave ON registro.nomi(chiave);
        CREATE INDEX esercizi_inizio ON registro.esercizi(inizio);
        UPDATE registro.versione SET versione = 1;
    END IF;
END
$$;

-- The pupils' PCs add rows and nothing else: no reading, so a pupil's PC
-- cannot show anyone's results, and no changing or deleting.
REVOKE ALL ON ALL TABLES IN SCHEMA registro FROM :"alunni", :"docente";
REVOKE ALL ON DATABASE :"database" FROM PUBLIC;
GRANT CONNECT ON DATABASE :"database" TO :"alunni", :"docente";
GRANT USAGE ON SCHEMA registro TO :"alunni", :"docente";
GRANT INSERT ON registro.esercizi, registro.problemi, registro.esiti, registro.nomi TO :"alunni";
-- The teacher reads the class, deletes a pupil's data, and merges two
-- spellings of one name.
GRANT SELECT, DELETE ON registro.esercizi, registro.problemi, registro.esiti, registro.nomi TO :"docente";
GRANT UPDATE (nome, chiave) ON registro.nomi TO :"docente";
GRANT SELECT ON registro.versione TO :"alunni", :"docente";
ALTER ROLE :"alunni" IN DATABASE :"database" SET search_path = registro;
ALTER ROLE :"docente" IN DATABASE :"database" SET search_path = registro;

COMMIT;
