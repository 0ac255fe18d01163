// korva-count: the counters of KORVA-Counter on the command line.
#include <clocale>
#include <span>

#include "frontends/cli/run.hpp"

int main(int argc, char** argv) {
    // Only the rare reasons in messages, which strerror gives, follow the user's language; the
    // counting itself never depends on the locale.
    std::setlocale(LC_MESSAGES, "");
    return korva::cli::Run(
        std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
}
