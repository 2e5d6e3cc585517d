#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints as JSON what a screen reader reads of one running program through
# AT-SPI: its windows, and for every object its role, name, description,
# whether it is on screen, and the names of the objects that label it or
# that it labels. The program is found by its process id.
import json
import sys
import time

import pyatspi


def nomi(relazioni, tipo):
    trovati = []
    for relazione in relazioni:
        if relazione.getRelationType() == tipo:
            for i in range(relazione.getNTargets()):
                trovati.append(relazione.getTarget(i).name)
    return trovati


def leggi(oggetto):
    relazioni = oggetto.getRelationSet()
    return {
        "ruolo": oggetto.getRoleName(),
        "nome": oggetto.name,
        "descrizione": oggetto.description,
        "visibile": oggetto.getState().contains(pyatspi.STATE_SHOWING),
        "etichettatoDa": nomi(relazioni, pyatspi.RELATION_LABELLED_BY),
        "etichettaPer": nomi(relazioni, pyatspi.RELATION_LABEL_FOR),
        "figli": [leggi(figlio) for figlio in oggetto if figlio is not None],
    }


def programma(pid, entro):
    fine = time.monotonic() + entro
    while time.monotonic() < fine:
        for applicazione in pyatspi.Registry.getDesktop(0):
            if applicazione is not None and applicazione.get_process_id() == pid:
                return applicazione
        time.sleep(0.1)
    return None


applicazione = programma(int(sys.argv[1]), 10.0)
if applicazione is None:
    sys.exit("Nessun programma con il processo %s sul bus dell'accessibilità" % sys.argv[1])
json.dump([leggi(finestra) for finestra in applicazione if finestra is not None], sys.stdout)
