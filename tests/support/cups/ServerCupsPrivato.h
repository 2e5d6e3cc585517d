// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace lumivex::prove {

// A CUPS server of the test's own, in a temporary folder, reached through a
// socket there: no system service is touched. Its queues print through a
// PPD that passes the PDF on unchanged into <folder>/out/<queue>.pdf, so a
// test reads back the very page the program printed.
//
// The constructor sets CUPS_SERVER for this process, and the print system
// reads it once: make the server before anything asks for printers (before
// the QGuiApplication). The destructor stops the server and removes the
// folder; should the test process die, the server dies with it.
class ServerCupsPrivato {
public:
    struct Lavori {
        int Completati = 0;
        int Falliti = 0;
        int InCorso = 0;
    };

    // Starts the server with the given queues; the default becomes `predefinita`
    // (none when empty). Throws std::runtime_error when it cannot.
    explicit ServerCupsPrivato(const std::vector<std::string> &code = {"Alfa", "Beta", "Gamma"},
                               const std::string &predefinita = "Beta");
    ~ServerCupsPrivato();
    ServerCupsPrivato(const ServerCupsPrivato &) = delete;
    ServerCupsPrivato &operator=(const ServerCupsPrivato &) = delete;

    // Stops the server: its socket stays dead until Avvia.
    void Ferma();
    // Starts it again on the same folder: queues and their files are kept.
    void Avvia();
    // Freezes the server (SIGSTOP) without ending it: it still takes
    // connections, as the kernel queues them, but answers nothing until
    // Continua. Prefer the Sospensione guard, which always resumes it.
    void Sospendi();
    void Continua();

    void AggiungiCoda(const std::string &coda);
    void RimuoviCoda(const std::string &coda);
    void ImpostaPredefinita(const std::string &coda);
    // A paused queue takes jobs and keeps them until it is resumed.
    void PausaCoda(const std::string &coda);
    void RiprendiCoda(const std::string &coda);

    const std::filesystem::path &Cartella() const { return cartella_; }
    std::string Socket() const;
    // Where the queue writes the last job it printed.
    std::filesystem::path FileDiCoda(const std::string &coda) const;
    // The server's error log, to explain a failure.
    std::string RegistroErrori() const;

    Lavori StatoLavori(const std::string &coda) const;
    // Waits until the queue has finished `completati` jobs and has none in
    // progress; true when all of them completed.
    bool AttendiLavori(const std::string &coda, int completati,
                       std::chrono::milliseconds limite = std::chrono::seconds(20)) const;

private:
    void Esegui(const std::vector<std::string> &argomenti) const;

    std::filesystem::path cartella_;
    pid_t pid_ = 0;
};

// Keeps the server frozen for its own lifetime, and at most `limite`:
// whatever the test does, the server answers again afterwards, and a
// program that freezes with it fails its test instead of hanging it.
class Sospensione {
public:
    explicit Sospensione(ServerCupsPrivato &server, std::chrono::milliseconds limite = std::chrono::seconds(30));
    ~Sospensione();
    Sospensione(const Sospensione &) = delete;
    Sospensione &operator=(const Sospensione &) = delete;

private:
    ServerCupsPrivato &server_;
    std::mutex mutex_;
    std::condition_variable finita_;
    bool fine_ = false;
    std::thread guardia_;
};

} // namespace lumivex::prove
