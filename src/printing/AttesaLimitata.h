// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace lumivex {

// How long the program waits for the print system before telling the user.
inline constexpr std::chrono::milliseconds LimiteServizioStampa{5000};

// Waits until `pronto` (asked with how long it may block) says yes or
// `limite` has passed, and returns which. Meanwhile the windows keep
// painting under a busy cursor; the user's input waits and is delivered
// afterwards, so no handler can start another print or close a window under
// the one that waits.
bool AttendiSenzaBloccare(const std::function<bool(std::chrono::milliseconds)> &pronto,
                          std::chrono::milliseconds limite);

// Runs `chiamata` on a thread of its own and returns its result, or nothing
// when it has not ended within `limite`. The call then goes on unwatched and
// ends harmlessly later: it must own everything it touches. Whatever it
// throws is thrown here.
template <typename T>
std::optional<T> ChiamataLimitata(std::function<T()> chiamata,
                                  std::chrono::milliseconds limite = LimiteServizioStampa)
{
    auto compito = std::make_shared<std::packaged_task<T()>>(std::move(chiamata));
    std::future<T> risultato = compito->get_future();
    std::thread([compito] { (*compito)(); }).detach();
    const bool pronto = AttendiSenzaBloccare(
        [&risultato](std::chrono::milliseconds attesa) {
            return risultato.wait_for(attesa) == std::future_status::ready;
        },
        limite);
    if (!pronto) {
        return std::nullopt;
    }
    return risultato.get();
}

} // namespace lumivex
