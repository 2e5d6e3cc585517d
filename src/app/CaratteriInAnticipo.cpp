// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CaratteriInAnticipo.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace lumivex {

CaratteriInAnticipo::CaratteriInAnticipo()
{
    try {
        // The toolkit reads the same configuration through FcInit; once read,
        // its own call finds it there.
        lettura_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the toolkit reads it itself, as ever.
    }
}

CaratteriInAnticipo::~CaratteriInAnticipo()
{
    Attendi();
}

void CaratteriInAnticipo::Attendi()
{
    if (lettura_.joinable())
        lettura_.join();
}

} // namespace lumivex
