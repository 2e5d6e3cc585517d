// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cups/ServerCupsPrivato.h"

#include <cups/cups.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lumivex::prove {

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto AttesaMassima = 20s;
constexpr auto Intervallo = 20ms;

void Scrivi(const fs::path &file, const std::string &testo)
{
    std::ofstream uscita(file);
    uscita << testo;
    if (!uscita) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string Leggi(const fs::path &file)
{
    std::ifstream ingresso(file);
    std::ostringstream testo;
    testo << ingresso.rdbuf();
    return testo.str();
}

bool Risponde(const std::string &socket)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un indirizzo{};
    indirizzo.sun_family = AF_UNIX;
    std::strncpy(indirizzo.sun_path, socket.c_str(), sizeof(indirizzo.sun_path) - 1);
    const bool collegato = ::connect(fd, reinterpret_cast<const sockaddr *>(&indirizzo), sizeof(indirizzo)) == 0;
    ::close(fd);
    return collegato;
}

// Waits for the child with a bound; kills it when the bound passes.
// Returns its exit status, or -1 when it had to be killed.
int AttendiFiglio(pid_t pid, std::chrono::milliseconds limite)
{
    const auto fine = std::chrono::steady_clock::now() + limite;
    int stato = 0;
    while (true) {
        const pid_t esito = ::waitpid(pid, &stato, WNOHANG);
        if (esito == pid) {
            return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
        }
        if (esito < 0 && errno != EINTR) {
            return -1;
        }
        if (std::chrono::steady_clock::now() > fine) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &stato, 0);
            return -1;
        }
        std::this_thread::sleep_for(Intervallo);
    }
}

} // namespace

ServerCupsPrivato::ServerCupsPrivato(const std::vector<std::string> &code, const std::string &predefinita)
{
    const char *tmp = std::getenv("TMPDIR");
    std::string modello = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/lumivex-cups-XXXXXX";
    if (::mkdtemp(modello.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed: " + std::string(std::strerror(errno)));
    }
    cartella_ = modello;
    // cupsd drops to lp when run as root: it must be able to walk in.
    fs::permissions(cartella_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                   | fs::perms::others_read | fs::perms::others_exec);
    for (const char *sotto : {"spool", "cache", "state", "log", "tmp", "out"}) {
        fs::create_directory(cartella_ / sotto);
    }
    const std::string d = cartella_.string();
    Scrivi(cartella_ / "cupsd.conf", "Listen " + d + "/cups.sock\n"
                                     "LogLevel warn\n"
                                     "WebInterface No\n"
                                     "Browsing Off\n"
                                     "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                     "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    std::string file = "FileDevice Yes\n"
                       "ServerRoot " + d + "\n"
                       "RequestRoot " + d + "/spool\n"
                       "CacheDir " + d + "/cache\n"
                       "StateDir " + d + "/state\n"
                       "TempDir " + d + "/tmp\n"
                       "AccessLog " + d + "/log/access_log\n"
                       "ErrorLog " + d + "/log/error_log\n"
                       "PageLog " + d + "/log/page_log\n"
                       "ServerBin /usr/lib/cups\n"
                       "DataDir /usr/share/cups\n";
    if (::geteuid() == 0) {
        // cupsd refuses to run jobs as root.
        file += "User lp\nGroup lp\n";
        const passwd *utente = ::getpwnam("lp");
        const group *gruppo = ::getgrnam("lp");
        if (utente == nullptr || gruppo == nullptr) {
            throw std::runtime_error("no lp user or group for cupsd");
        }
        for (const char *sotto : {"spool", "cache", "state", "tmp"}) {
            if (::chown((cartella_ / sotto).c_str(), utente->pw_uid, gruppo->gr_gid) != 0) {
                throw std::runtime_error("chown failed: " + std::string(std::strerror(errno)));
            }
        }
        fs::permissions(cartella_ / "out", fs::perms::all | fs::perms::sticky_bit);
    }
    Scrivi(cartella_ / "cups-files.conf", file);

    // libcups reads these once, at its first call.
    ::setenv("CUPS_SERVER", Socket().c_str(), 1);
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");

    try {
        Avvia();
        for (const std::string &coda : code) {
            AggiungiCoda(coda);
        }
        if (!predefinita.empty()) {
            ImpostaPredefinita(predefinita);
        }
    } catch (...) {
        Ferma();
        std::error_code ignorato;
        fs::remove_all(cartella_, ignorato);
        throw;
    }
}

ServerCupsPrivato::~ServerCupsPrivato()
{
    Ferma();
    std::error_code ignorato;
    fs::remove_all(cartella_, ignorato);
}

std::string ServerCupsPrivato::Socket() const
{
    return (cartella_ / "cups.sock").string();
}

fs::path ServerCupsPrivato::FileDiCoda(const std::string &coda) const
{
    return cartella_ / "out" / (coda + ".pdf");
}

std::string ServerCupsPrivato::RegistroErrori() const
{
    return Leggi(cartella_ / "log" / "error_log");
}

void ServerCupsPrivato::Avvia()
{
    if (pid_ > 0) {
        return;
    }
    const std::string conf = (cartella_ / "cupsd.conf").string();
    const std::string files = (cartella_ / "cups-files.conf").string();
    const pid_t genitore = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
    }
    if (pid == 0) {
        // A test that crashes must not leave a server behind.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != genitore) {
            ::_exit(127);
        }
        ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(),
                static_cast<char *>(nullptr));
        ::_exit(127);
    }
    pid_ = pid;
    const auto fine = std::chrono::steady_clock::now() + AttesaMassima;
    while (!Risponde(Socket())) {
        int stato = 0;
        if (::waitpid(pid_, &stato, WNOHANG) == pid_) {
            pid_ = 0;
            throw std::runtime_error("cupsd ended at start:\n" + RegistroErrori());
        }
        if (std::chrono::steady_clock::now() > fine) {
            Ferma();
            throw std::runtime_error("cupsd did not answer in time:\n" + RegistroErrori());
        }
        std::this_thread::sleep_for(Intervallo);
    }
}

void ServerCupsPrivato::Ferma()
{
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGTERM);
    // A frozen server would never see the SIGTERM.
    ::kill(pid_, SIGCONT);
    AttendiFiglio(pid_, 10s);
    pid_ = 0;
}

void ServerCupsPrivato::Sospendi()
{
    if (pid_ <= 0 || ::kill(pid_, SIGSTOP) != 0) {
        throw std::runtime_error("no server to freeze");
    }
}

void ServerCupsPrivato::Continua()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGCONT);
    }
}

void ServerCupsPrivato::AggiungiCoda(const std::string &coda)
{
    Esegui({"/usr/sbin/lpadmin", "-p", coda, "-E", "-v", "file://" + FileDiCoda(coda).string(), "-P",
            LUMIVEX_PPD_PROVA});
}

Sospensione::Sospensione(ServerCupsPrivato &server, std::chrono::milliseconds limite) : server_(server)
{
    server_.Sospendi();
    guardia_ = std::thread([this, limite] {
        std::unique_lock blocco(mutex_);
        finita_.wait_for(blocco, limite, [this] { return fine_; });
        server_.Continua();
    });
}

Sospensione::~Sospensione()
{
    {
        const std::lock_guard blocco(mutex_);
        fine_ = true;
    }
    finita_.notify_one();
    guardia_.join();
}

void ServerCupsPrivato::RimuoviCoda(const std::string &coda)
{
    Esegui({"/usr/sbin/lpadmin", "-x", coda});
}

void ServerCupsPrivato::ImpostaPredefinita(const std::string &coda)
{
    Esegui({"/usr/sbin/lpadmin", "-d", coda});
}

void ServerCupsPrivato::PausaCoda(const std::string &coda)
{
    Esegui({"/usr/sbin/cupsdisable", coda});
}

void ServerCupsPrivato::RiprendiCoda(const std::string &coda)
{
    Esegui({"/usr/sbin/cupsenable", coda});
}

void ServerCupsPrivato::Esegui(const std::vector<std::string> &argomenti) const
{
    std::vector<char *> argv;
    for (const std::string &argomento : argomenti) {
        argv.push_back(const_cast<char *>(argomento.c_str()));
    }
    argv.push_back(nullptr);
    const std::string registro = (cartella_ / "log" / "comandi").string();
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
    }
    if (pid == 0) {
        // lpadmin warns that PPDs are deprecated at every call: keep that out
        // of the test's output, but at hand.
        const int fd = ::open(registro.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            ::dup2(fd, STDOUT_FILENO);
            ::dup2(fd, STDERR_FILENO);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (AttendiFiglio(pid, AttesaMassima) != 0) {
        std::string comando;
        for (const std::string &argomento : argomenti) {
            comando += argomento + ' ';
        }
        throw std::runtime_error("failed: " + comando + "\n" + Leggi(registro) + RegistroErrori());
    }
}

ServerCupsPrivato::Lavori ServerCupsPrivato::StatoLavori(const std::string &coda) const
{
    Lavori lavori;
    cups_job_t *elenco = nullptr;
    const int quanti = cupsGetJobs2(CUPS_HTTP_DEFAULT, &elenco, coda.c_str(), 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < quanti; ++i) {
        switch (elenco[i].state) {
        case IPP_JSTATE_COMPLETED:
            ++lavori.Completati;
            break;
        case IPP_JSTATE_CANCELED:
        case IPP_JSTATE_ABORTED:
            ++lavori.Falliti;
            break;
        default:
            ++lavori.InCorso;
            break;
        }
    }
    cupsFreeJobs(quanti, elenco);
    return lavori;
}

bool ServerCupsPrivato::AttendiLavori(const std::string &coda, int completati, std::chrono::milliseconds limite) const
{
    const auto fine = std::chrono::steady_clock::now() + limite;
    while (true) {
        const Lavori lavori = StatoLavori(coda);
        if (lavori.InCorso == 0 && lavori.Completati + lavori.Falliti >= completati) {
            return lavori.Completati == completati && lavori.Falliti == 0;
        }
        if (std::chrono::steady_clock::now() > fine) {
            return false;
        }
        std::this_thread::sleep_for(Intervallo);
    }
}

} // namespace lumivex::prove
