// How the window benchmarks are called: PROGRAM MEGABYTES..., or --help (-h). One parse for all,
// so that they answer a call alike (bench/tests/calls_test.sh).
#pragma once

#include <charconv>
#include <climits>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <vector>

namespace korva::bench {

struct MegabytesCall {
    std::vector<int> sizes;  // empty: the program is to end at once, with status
    int status = 0;
};

// The sizes, each a whole number from 1 to most. Otherwise no sizes, and the usage printed:
// after --help or -h on standard output (status 0), after any other call on standard error
// (status 2).
inline MegabytesCall ParseMegabytes(int argc, char** argv, std::string_view usage,
                                    int most = INT_MAX) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return {{}, 0};
    }
    MegabytesCall call;
    for (int i = 1; i < argc; ++i) {
        const std::string_view text = argv[i];
        int megabytes = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), megabytes);
        if (error != std::errc{} || end != text.data() + text.size() || megabytes <= 0 ||
            megabytes > most) {
            call.sizes.clear();
            break;
        }
        call.sizes.push_back(megabytes);
    }
    if (call.sizes.empty()) {
        std::fwrite(usage.data(), 1, usage.size(), stderr);
        call.status = 2;
    }
    return call;
}

}  // namespace korva::bench
