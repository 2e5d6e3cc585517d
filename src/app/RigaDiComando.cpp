// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RigaDiComando.h"

#include <array>

namespace lumivex {

namespace {

struct OpzioneToolkit {
    std::string_view nome;
    bool conValore;
};

// The toolkit's own options (a desktop or a test may pass them) go through
// untouched; those that take a value take the next word with them.
constexpr std::array<OpzioneToolkit, 18> OpzioniToolkit{{
    {"-platform", true},      {"-platformpluginpath", true}, {"-platformtheme", true}, {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},      {"-qwindowtitle", true},  {"-display", true},
    {"-geometry", true},      {"-style", true},              {"-stylesheet", true},    {"-session", true},
    {"-reverse", false},      {"-widgetcount", false},       {"-nograb", false},       {"-dograb", false},
    {"-sync", false},         {"-qmljsdebugger", true},
}};

std::string Aiuto(std::string_view programma)
{
    return "Uso: " + std::string(programma)
           + " [opzioni]\n"
             "Esercizi di aritmetica per la scuola primaria: il quarto termine, il diploma\n"
             "di merito e le schede da stampare per la classe.\n"
             "\n"
             "Opzioni:\n"
             "  -h, --help     mostra questo aiuto ed esce\n"
             "  -v, --version  mostra la versione ed esce\n"
             "  --registro-server HOST[:PORTA]\n"
             "                 il registro della scuola su questo server, al posto di\n"
             "                 quello di /etc/xdg/Lumivex/Lumivex.conf\n";
}

} // namespace

EsitoRigaDiComando LeggiRigaDiComando(int argc, const char *const *argv, std::string_view versione)
{
    const std::string_view programma = argc > 0 && argv[0] != nullptr ? std::string_view(argv[0]) : "lumivex";
    const std::string_view nomeBreve = programma.substr(programma.rfind('/') + 1);
    EsitoRigaDiComando esito;
    for (int i = 1; i < argc; ++i) {
        const std::string_view parola = argv[i];
        if (parola == "-h" || parola == "--help") {
            return {false, 0, Aiuto(nomeBreve), {}, {}};
        }
        if (parola == "-v" || parola == "--version") {
            return {false, 0, "Lumivex " + std::string(versione) + "\n", {}, {}};
        }
        constexpr std::string_view Registro = "--registro-server";
        if (parola == Registro || (parola.starts_with(Registro) && parola.substr(Registro.size()).starts_with('='))) {
            const bool unita = parola.size() > Registro.size();
            if (!unita && i + 1 >= argc) {
                return {false, 2, {},
                        std::string(nomeBreve) + ": --registro-server vuole il nome del server (HOST[:PORTA]).\n",
                        {}};
            }
            esito.RegistroServer = unita ? std::string(parola.substr(Registro.size() + 1)) : std::string(argv[++i]);
            continue;
        }
        bool delToolkit = false;
        for (const OpzioneToolkit &opzione : OpzioniToolkit) {
            // "-style=fusion" and "--style fusion" are the toolkit's spellings too.
            const std::string_view nome = parola.starts_with("--") ? parola.substr(1) : parola;
            if (nome == opzione.nome) {
                delToolkit = true;
                i += opzione.conValore ? 1 : 0;
                break;
            }
            if (opzione.conValore && nome.starts_with(opzione.nome) && nome.size() > opzione.nome.size()
                && nome[opzione.nome.size()] == '=') {
                delToolkit = true;
                break;
            }
        }
        if (delToolkit) {
            continue;
        }
        const std::string motivo = parola.starts_with('-') ? "opzione sconosciuta" : "argomento inatteso";
        return {false, 2, {},
                std::string(nomeBreve) + ": " + motivo + ": " + std::string(parola) + "\nProva «"
                    + std::string(nomeBreve) + " --help» per l'elenco delle opzioni.\n",
                {}};
    }
    return esito;
}

} // namespace lumivex
