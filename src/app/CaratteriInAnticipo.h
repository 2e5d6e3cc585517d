// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

namespace lumivex {

// Reads the font configuration (every configuration file, the font caches)
// on a thread of its own while the toolkit starts, instead of at the start
// window's first font, where it is most of what the window costs before its
// first frame. Attendi waits for it; the start window must not be built
// before, so that the toolkit finds the configuration read, not half read.
class CaratteriInAnticipo {
public:
    CaratteriInAnticipo();
    ~CaratteriInAnticipo();

    CaratteriInAnticipo(const CaratteriInAnticipo &) = delete;
    CaratteriInAnticipo &operator=(const CaratteriInAnticipo &) = delete;

    void Attendi();

private:
    std::thread lettura_;
};

} // namespace lumivex
