// korva-count for Windows: the arguments arrive as UTF-16 and are handed on as UTF-8, so that
// file names with any characters reach the program unchanged.
#include <span>
#include <string>
#include <vector>

#include "frontends/cli/run.hpp"
#include "frontends/cli/wide_text.hpp"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(korva::cli::Utf8FromWide(reinterpret_cast<const char16_t*>(argv[i])));
    }
    std::vector<const char*> pointers;
    for (const std::string& arg : args) pointers.push_back(arg.c_str());
    return korva::cli::Run(pointers);
}
