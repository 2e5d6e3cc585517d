#pragma once

#include <stdexcept>
#include <string>

namespace lumivex {

// A print fault. what() is the Italian message the caller shows as it is.
// Whoever throws it has already discarded the open document: nothing of it
// reaches the printer, unless the message says it may have (a page handed
// over to a server that then fell silent).
class ErroreStampa : public std::runtime_error {
public:
    explicit ErroreStampa(const std::string &messaggio) : std::runtime_error(messaggio) {}
};

} // namespace lumivex
