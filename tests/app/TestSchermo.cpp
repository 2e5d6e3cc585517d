// SPDX-License-Identifier: GPL-3.0-or-later
// The display probe: a program that starts with no X server must say so
// itself instead of letting the toolkit abort, and one with a display must
// never be turned away (a local socket that answers, a remote display, a
// Wayland session, a platform chosen by hand).
#include "app/Schermo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lumivex {
namespace {

class SondaSchermo : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modello[] = "/tmp/lumivex-schermo-XXXXXX";
        ASSERT_NE(mkdtemp(modello), nullptr);
        cartella_ = modello;
    }

    void TearDown() override
    {
        if (presa_ >= 0)
            close(presa_);
        unlink((cartella_ + "/X5").c_str());
        rmdir(cartella_.c_str());
    }

    // An X server that listens on display 5 of the private folder.
    void Ascolta()
    {
        presa_ = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(presa_, 0);
        sockaddr_un indirizzo{};
        indirizzo.sun_family = AF_UNIX;
        const std::string percorso = cartella_ + "/X5";
        percorso.copy(indirizzo.sun_path, percorso.size());
        ASSERT_EQ(bind(presa_, reinterpret_cast<const sockaddr *>(&indirizzo), sizeof indirizzo), 0);
        ASSERT_EQ(listen(presa_, 4), 0);
    }

    bool Disponibile(const std::map<std::string, std::string> &variabili) const
    {
        return SchermoDisponibile(
            [&variabili](const char *nome) {
                const auto voce = variabili.find(nome);
                return voce == variabili.end() ? std::string() : voce->second;
            },
            cartella_);
    }

    std::string cartella_;
    int presa_ = -1;
};

// Catches: a display taken for granted with no display variable, or an empty one.
TEST_F(SondaSchermo, SenzaVariabiliNonCeSchermo)
{
    EXPECT_FALSE(Disponibile({}));
    EXPECT_FALSE(Disponibile({{"DISPLAY", ""}}));
}

// Catches: a local X server that answers refused in one of the forms a
// display name takes (screen number, "unix:" prefix).
TEST_F(SondaSchermo, UnServerLocaleCheRispondeBasta)
{
    Ascolta();
    for (const char *display : {":5", ":5.0", "unix:5", "unix:5.1"}) {
        SCOPED_TRACE(display);
        EXPECT_TRUE(Disponibile({{"DISPLAY", display}}));
    }
}

// Catches: a display name with no server behind it taken as a display, so
// the program starts without a screen; an overlong name overrunning the
// socket path.
TEST_F(SondaSchermo, UnServerLocaleCheNonRispondeNonBasta)
{
    // Display 5 has a socket only once Ascolta ran; 6 never does.
    EXPECT_FALSE(Disponibile({{"DISPLAY", ":5"}}));
    Ascolta();
    EXPECT_FALSE(Disponibile({{"DISPLAY", ":6"}}));
    EXPECT_FALSE(Disponibile({{"DISPLAY", ":" + std::string(200, '9')}}));
}

// Catches: a chosen platform, a Wayland session or a remote X server
// refused because no local socket can prove them.
TEST_F(SondaSchermo, PiattaformaWaylandEServerRemotoSonoCreduti)
{
    EXPECT_TRUE(Disponibile({{"QT_QPA_PLATFORM", "offscreen"}}));
    EXPECT_TRUE(Disponibile({{"WAYLAND_DISPLAY", "wayland-0"}}));
    EXPECT_TRUE(Disponibile({{"DISPLAY", "aula.scuola.it:0"}}));
}

} // namespace
} // namespace lumivex
