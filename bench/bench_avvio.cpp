// SPDX-License-Identifier: GPL-3.0-or-later
// How long the pupil waits for the start window, against the floor the
// toolkit itself sets (pavimento_avvio). Each run gets a fresh Xvfb screen of
// 1920 x 1080, a fresh HOME and XDG folders; the two programs take turns, and
// which goes first alternates too.
//
// Ready means the first frame of the window on the screen: the time from just
// before the program is started to the first damage the X server reports on a
// mapped top-level window of the program, that is the first picture drawn into
// it. The watcher is a second X client, so both programs are measured the
// same way without any code of theirs. Peak memory is VmHWM, read a quarter
// of a second after the first frame.
//
//     bench_avvio [--ripetizioni N] [--programma PERCORSO] [--pavimento PERCORSO]
//                 [--schermata FILE.ppm]
//
// --schermata saves the program's screen one second after its first frame,
// once, before the runs: what the start window shows, to compare builds.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;

double Adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

pid_t Avvia(const std::vector<std::string> &argomenti, const std::vector<std::string> &ambiente, int uscita = -1)
{
    std::vector<char *> argv;
    for (const std::string &a : argomenti)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : ambiente)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (uscita >= 0)
        posix_spawn_file_actions_adddup2(&azioni, uscita, uscita);
    pid_t pid = -1;
    const int esito = posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&azioni);
    if (esito != 0)
        throw std::runtime_error("non si avvia " + argomenti[0] + ": " + std::strerror(esito));
    return pid;
}

void Termina(pid_t pid)
{
    kill(pid, SIGTERM);
    int stato = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &stato, WNOHANG) == pid)
            return;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &stato, 0);
}

std::optional<std::string> TrovaEseguibile(const std::string &nome)
{
    const char *percorso = std::getenv("PATH");
    std::string cartelle = percorso != nullptr ? percorso : "/usr/bin:/bin";
    std::size_t inizio = 0;
    while (inizio <= cartelle.size()) {
        const std::size_t fine = std::min(cartelle.find(':', inizio), cartelle.size());
        const fs::path candidato = fs::path(cartelle.substr(inizio, fine - inizio)) / nome;
        if (access(candidato.c_str(), X_OK) == 0)
            return candidato.string();
        inizio = fine + 1;
    }
    return std::nullopt;
}

// A fresh X server on a display number of its own choice.
class Schermo {
public:
    explicit Schermo(const std::string &xvfb)
    {
        int tubo[2];
        if (pipe(tubo) != 0)
            throw std::runtime_error("pipe");
        pid_ = Avvia({xvfb, "-displayfd", std::to_string(tubo[1]), "-screen", "0", "1920x1080x24", "-nolisten",
                      "tcp", "-noreset"},
                     {"PATH=/usr/bin:/bin"}, tubo[1]);
        close(tubo[1]);
        std::string numero;
        pollfd attesa{tubo[0], POLLIN, 0};
        char c = 0;
        while (poll(&attesa, 1, 10'000) > 0 && read(tubo[0], &c, 1) == 1 && c != '\n')
            numero += c;
        close(tubo[0]);
        if (numero.empty()) {
            Termina(pid_);
            throw std::runtime_error("Xvfb non parte");
        }
        display_ = ":" + numero;
        connessione_ = xcb_connect(display_.c_str(), nullptr);
        if (xcb_connection_has_error(connessione_))
            throw std::runtime_error("nessuna connessione a " + display_);
        const xcb_query_extension_reply_t *danni = xcb_get_extension_data(connessione_, &xcb_damage_id);
        if (danni == nullptr || !danni->present)
            throw std::runtime_error("Xvfb senza l'estensione DAMAGE");
        primoEventoDanni_ = danni->first_event;
        free(xcb_damage_query_version_reply(connessione_, xcb_damage_query_version(connessione_, 1, 1), nullptr));
        radice_ = xcb_setup_roots_iterator(xcb_get_setup(connessione_)).data->root;
        const std::uint32_t maschera = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connessione_, radice_, XCB_CW_EVENT_MASK, &maschera);
        xcb_flush(connessione_);
    }

    ~Schermo()
    {
        if (connessione_ != nullptr)
            xcb_disconnect(connessione_);
        Termina(pid_);
    }

    Schermo(const Schermo &) = delete;
    Schermo &operator=(const Schermo &) = delete;

    const std::string &Display() const { return display_; }

    // The moment of the first damage on a mapped top-level window, or
    // nothing within the bound.
    std::optional<double> PrimoQuadro(double limite)
    {
        std::set<xcb_window_t> mappate;
        const int fd = xcb_get_file_descriptor(connessione_);
        while (Adesso() < limite) {
            xcb_generic_event_t *evento = xcb_poll_for_event(connessione_);
            if (evento == nullptr) {
                if (xcb_connection_has_error(connessione_))
                    return std::nullopt;
                pollfd attesa{fd, POLLIN, 0};
                poll(&attesa, 1, std::max(1, static_cast<int>(limite - Adesso())));
                continue;
            }
            const double quando = Adesso();
            const std::uint8_t tipo = evento->response_type & 0x7F;
            if (tipo == XCB_CREATE_NOTIFY) {
                // Watched from its creation: the program cannot draw into it
                // before the server has this request.
                const auto *creata = reinterpret_cast<xcb_create_notify_event_t *>(evento);
                xcb_damage_create(connessione_, xcb_generate_id(connessione_), creata->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connessione_);
            } else if (tipo == XCB_MAP_NOTIFY) {
                mappate.insert(reinterpret_cast<xcb_map_notify_event_t *>(evento)->window);
            } else if (tipo == primoEventoDanni_ + XCB_DAMAGE_NOTIFY) {
                const auto *danno = reinterpret_cast<xcb_damage_notify_event_t *>(evento);
                if (mappate.count(danno->drawable) != 0) {
                    free(evento);
                    return quando;
                }
            }
            free(evento);
        }
        return std::nullopt;
    }

    // The whole screen as a binary PPM picture.
    bool SalvaSchermata(const std::string &percorso)
    {
        const xcb_screen_t *schermo = xcb_setup_roots_iterator(xcb_get_setup(connessione_)).data;
        xcb_get_image_reply_t *immagine = xcb_get_image_reply(
            connessione_,
            xcb_get_image(connessione_, XCB_IMAGE_FORMAT_Z_PIXMAP, radice_, 0, 0, schermo->width_in_pixels,
                          schermo->height_in_pixels, ~0U),
            nullptr);
        if (immagine == nullptr)
            return false;
        const std::size_t punti = std::size_t{schermo->width_in_pixels} * schermo->height_in_pixels;
        const bool completa = static_cast<std::size_t>(xcb_get_image_data_length(immagine)) >= punti * 4;
        std::ofstream file(percorso, std::ios::binary);
        file << "P6\n" << schermo->width_in_pixels << ' ' << schermo->height_in_pixels << "\n255\n";
        const std::uint8_t *dati = xcb_get_image_data(immagine);
        for (std::size_t i = 0; completa && i < punti; ++i) {
            const char rgb[3] = {static_cast<char>(dati[4 * i + 2]), static_cast<char>(dati[4 * i + 1]),
                                 static_cast<char>(dati[4 * i])};
            file.write(rgb, 3);
        }
        free(immagine);
        return completa && file.good();
    }

private:
    pid_t pid_ = -1;
    std::string display_;
    xcb_connection_t *connessione_ = nullptr;
    xcb_window_t radice_ = 0;
    std::uint8_t primoEventoDanni_ = 0;
};

long PiccoMemoriaKiB(pid_t pid)
{
    std::ifstream stato("/proc/" + std::to_string(pid) + "/status");
    std::string riga;
    while (std::getline(stato, riga)) {
        if (riga.rfind("VmHWM:", 0) == 0)
            return std::strtol(riga.c_str() + 6, nullptr, 10);
    }
    return -1;
}

struct Misura {
    double pronto = 0;
    long memoria = 0;
};

Misura MisuraUnAvvio(const std::string &programma, const std::string &xvfb, const std::string &schermata = {})
{
    const fs::path casa = fs::temp_directory_path() / ("bench_avvio." + std::to_string(getpid()));
    fs::remove_all(casa);
    for (const char *cartella : {"config", "data", "cache", "runtime"})
        fs::create_directories(casa / cartella);
    fs::permissions(casa / "runtime", fs::perms::owner_all);

    Schermo schermo(xvfb);
    std::vector<std::string> ambiente = {
        "PATH=/usr/bin:/bin",
        "HOME=" + casa.string(),
        "XDG_CONFIG_HOME=" + (casa / "config").string(),
        "XDG_DATA_HOME=" + (casa / "data").string(),
        "XDG_CACHE_HOME=" + (casa / "cache").string(),
        "XDG_RUNTIME_DIR=" + (casa / "runtime").string(),
        "DISPLAY=" + schermo.Display(),
        "QT_QPA_PLATFORM=xcb",
    };
    for (const char *lingua : {"LANG", "LC_ALL"}) {
        if (const char *valore = std::getenv(lingua))
            ambiente.push_back(std::string(lingua) + "=" + valore);
    }

    const double inizio = Adesso();
    const pid_t pid = Avvia({programma}, ambiente);
    const std::optional<double> pronto = schermo.PrimoQuadro(inizio + 20'000);
    Misura misura;
    if (pronto) {
        usleep(250'000);
        misura = {*pronto - inizio, PiccoMemoriaKiB(pid)};
        // Once the window has settled, so that two builds can be compared.
        if (!schermata.empty()) {
            usleep(750'000);
            if (!schermo.SalvaSchermata(schermata))
                std::fprintf(stderr, "schermata non salvata in %s\n", schermata.c_str());
        }
    }
    Termina(pid);
    fs::remove_all(casa);
    if (!pronto)
        throw std::runtime_error(programma + " non mostra alcuna finestra entro 20 s");
    return misura;
}

double Mediana(std::vector<double> valori)
{
    std::sort(valori.begin(), valori.end());
    const std::size_t n = valori.size();
    return n % 2 == 1 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

struct Serie {
    std::vector<double> pronto;
    std::vector<double> memoria;

    void Aggiungi(const Misura &m)
    {
        pronto.push_back(m.pronto);
        memoria.push_back(static_cast<double>(m.memoria) / 1024.0);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    int ripetizioni = 15;
    std::string programma = LUMIVEX_PROGRAMMA;
    std::string pavimento = LUMIVEX_PAVIMENTO;
    std::string schermata;
    for (int i = 1; i < argc; ++i) {
        const std::string opzione = argv[i];
        if (i + 1 < argc && opzione == "--ripetizioni")
            ripetizioni = std::max(1, std::atoi(argv[++i]));
        else if (i + 1 < argc && opzione == "--programma")
            programma = argv[++i];
        else if (i + 1 < argc && opzione == "--pavimento")
            pavimento = argv[++i];
        else if (i + 1 < argc && opzione == "--schermata")
            schermata = argv[++i];
        else {
            std::fprintf(stderr, "uso: %s [--ripetizioni N] [--programma PERCORSO] [--pavimento PERCORSO]\n"
                         "       [--schermata FILE.ppm]\n",
                         argv[0]);
            return 2;
        }
    }
    const std::optional<std::string> xvfb = TrovaEseguibile("Xvfb");
    if (!xvfb) {
        std::fputs("Xvfb non è installato\n", stderr);
        return 1;
    }

    Serie serieProgramma;
    Serie seriePavimento;
    try {
        if (!schermata.empty())
            MisuraUnAvvio(programma, *xvfb, schermata);
        for (int i = 0; i < ripetizioni; ++i) {
            if (i % 2 == 0) {
                seriePavimento.Aggiungi(MisuraUnAvvio(pavimento, *xvfb));
                serieProgramma.Aggiungi(MisuraUnAvvio(programma, *xvfb));
            } else {
                serieProgramma.Aggiungi(MisuraUnAvvio(programma, *xvfb));
                seriePavimento.Aggiungi(MisuraUnAvvio(pavimento, *xvfb));
            }
            std::fprintf(stderr, "%2d: pavimento %6.1f ms, programma %6.1f ms\n", i + 1, seriePavimento.pronto.back(),
                         serieProgramma.pronto.back());
        }
    } catch (const std::exception &errore) {
        std::fprintf(stderr, "%s\n", errore.what());
        return 1;
    }

    const auto riga = [](const char *nome, const Serie &s) {
        std::printf("%-10s pronto: mediana %6.1f ms, minimo %6.1f ms; VmHWM mediana %5.1f MiB\n", nome,
                    Mediana(s.pronto), *std::min_element(s.pronto.begin(), s.pronto.end()), Mediana(s.memoria));
    };
    std::printf("%d avvii ciascuno, Xvfb 1920x1080 nuovo a ogni avvio\n", ripetizioni);
    riga("pavimento", seriePavimento);
    riga("programma", serieProgramma);
    std::printf("rapporto:  mediana %.2fx, minimo %.2fx\n", Mediana(serieProgramma.pronto) / Mediana(seriePavimento.pronto),
                *std::min_element(serieProgramma.pronto.begin(), serieProgramma.pronto.end())
                    / *std::min_element(seriePavimento.pronto.begin(), seriePavimento.pronto.end()));
    return 0;
}
