#pragma once

#include <stdexcept>
#include <string>

namespace lumivex {

// A print fault. what() is the Italian message the caller shows as it is.
// Whoever throws it has already discarded the open document: nothing of it
// reaches the printer.
class ErroreStampa : public std::runtime_error {
public:
    explicit ErroreStampa(const std::string &messaggio) : std::runtime_error(messaggio) {}
};

} // namespace lumivex
