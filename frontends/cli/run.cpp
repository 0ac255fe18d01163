#include "frontends/cli/run.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frontends/cli/arguments.hpp"
#include "frontends/cli/explanation.hpp"
#include "frontends/cli/input.hpp"
#include "frontends/cli/output.hpp"
#include "frontends/cli/read_size.hpp"
#include "frontends/cli/reason.hpp"
#include "frontends/cli/split_read.hpp"
#include "frontends/cli/std_streams.hpp"

namespace korva::cli {

namespace {

std::size_t ReadSize() {
#ifdef KORVA_READ_KB
    return std::size_t{KORVA_READ_KB} * 1024;  // bench/read_sizes.sh
#else
    return ReadSizeFor(Level2CacheBytes());
#endif
}

constexpr std::string_view kProgram = "korva-count: ";

void Complain(const std::string& message) {
    // Nothing sensible is left to do when standard error fails too.
    WriteStandardError(std::string(kProgram) + message + '\n');
}

std::string CannotRead(const std::string& name, int error) {
    const std::string reason = Reason(error);
    if (name == "-") return "Standardeingabe kann nicht gelesen werden: " + reason;
    return "Datei kann nicht gelesen werden: " + name + ": " + reason;
}

// A guess the user should know of: the counts depend on it.
std::string ReadAsUtf16(const std::string& name, TextForm form) {
    const std::string how = std::string(form == TextForm::kUtf16Le ? "UTF-16 LE" : "UTF-16 BE") +
                            " gelesen (ohne BOM, an den Nullbytes erkannt)";
    if (name == "-") return "Standardeingabe als " + how;
    return "Datei als " + how + ": " + name;
}

// Standard output is written once, in full, and closed, so that a full disk or a vanished
// reader is noticed here and not lost at exit. An explanation, held back until now, goes with
// the result (both UTF-8: --raw and --explain exclude each other).
int Print(std::string_view text, CodePage code_page = CodePage::kUtf8,
          Explanation* explanation = nullptr) {
    const auto write = [code_page](std::string_view bytes) {
        return WriteStandardOutput(bytes, code_page);
    };
    int error = explanation ? explanation->WriteWithResult(write, text) : write(text);
    if (error == 0) error = CloseStandardOutput();
    if (error == 0) return kExitSuccess;
    Complain("Ausgabe kann nicht geschrieben werden: " + Reason(error));
    return kExitFailure;
}

constexpr auto kWriteExplanation = [](std::string_view rows) {
    return WriteStandardOutput(rows, CodePage::kUtf8);
};

// Rows go to standard output as they come where it can take them back on failure
// (StandardOutputEnd): the end it had then, to go back to.
struct ExplanationOutput {
    std::optional<Explanation> explanation;
    std::optional<std::int64_t> end;

    ExplanationOutput(const Options& options) {
        if (!options.explain) return;
        end = StandardOutputEnd();
        if (end) {
            explanation.emplace(options.counter, options.format, kWriteExplanation);
            if (!explanation->Passes()) end.reset();
        } else {
            explanation.emplace(options.counter, options.format);
        }
    }

    // On failure: standard output as it was.
    int Failed() const {
        if (end) TakeBackStandardOutput(*end);
        return kExitFailure;
    }
};

// A large file's second half counted on a second thread into a tally of its own, added in at
// the end. Not with an explanation, which lists the lines in their order.
template <class Tally>
SplitReadResult CountInTwo(const std::string& name, const Options& options, std::span<char> buffer,
                           std::span<char> second_buffer, Tally& tally) {
    if (options.explain) return {SplitRead::kNotSplit, 0};
    Tally second_tally;
    const SplitReadResult result = ReadTextsInTwo(
        name, options.encoding, kSplitMinimumSize, buffer,
        [&tally](std::string_view text, LineDecoder decode) { tally.AddText(text, decode); },
        second_buffer,
        [&second_tally](std::string_view text, LineDecoder decode) {
            second_tally.AddText(text, decode);
        });
    tally.Add(second_tally);
    return result;
}

template <class Tally>
int Count(const Options& options) {
    Tally tally;
    ExplanationOutput output(options);
    std::optional<Explanation>& explanation = output.explanation;
    const std::size_t read_size = ReadSize();
    std::vector<char> buffer(read_size);
    // Not filled in advance: its pages take memory only when a large file is split.
    const auto second_buffer = std::make_unique_for_overwrite<char[]>(read_size);
    const auto add_text = [&tally, &explanation](std::string_view text, LineDecoder decode) {
        if (explanation) {
            explanation->CountText(tally, text, decode);
        } else {
            tally.AddText(text, decode);
        }
    };
    bool told_how_to_end = false;
    for (const std::string& name : options.files) {
        // Without a word the program would seem to hang at a terminal.
        if (name == "-" && !told_how_to_end && StandardInputIsTerminal()) {
            Complain(
                "Liest Berichte von der Tastatur (eintippen oder einfügen).\nEnde der Eingabe: " +
                std::string(EndOfTypedInput()) + ".");
            told_how_to_end = true;
        }
        if (explanation) explanation->StartFile(name);
        const SplitReadResult split =
            CountInTwo(name, options, buffer, {second_buffer.get(), read_size}, tally);
        const ReadTextsResult read = split.outcome == SplitRead::kNotSplit
                                         ? ReadTexts(name, options.encoding, buffer, add_text)
                                         : ReadTextsResult{split.error, {}};
        if (read.error != 0) {
            Complain(CannotRead(name, read.error));
            return output.Failed();
        }
        if (read.start.guessed) Complain(ReadAsUtf16(name, read.start.form));
    }
    if (explanation && explanation->Error() != 0) {
        Complain((output.end ? "Ausgabe kann nicht geschrieben werden: "
                             : "Erklärung kann nicht zwischengespeichert werden: ") +
                 Reason(explanation->Error()));
        return output.Failed();
    }
    // Only the window's raw bytes are Windows-1252; a console shows either form rightly.
    const int status =
        Print(FormatResult(tally, options.format),
              options.format == OutputFormat::kRaw ? CodePage::kCp1252 : CodePage::kUtf8,
              explanation ? &*explanation : nullptr);
    return status == kExitSuccess ? status : output.Failed();
}

}  // namespace

int Run(std::span<const char* const> args) {
    const ParsedArguments parsed = ParseArguments(args);
    switch (parsed.action) {
        case ParsedArguments::Action::kHelp:
            return Print(UsageText());
        case ParsedArguments::Action::kVersion:
            return Print("korva-count " KORVA_VERSION "\n");
        case ParsedArguments::Action::kUsageError:
            Complain(parsed.error + '\n' + ShortUsageText());
            return kExitUsage;
        case ParsedArguments::Action::kCount:
            break;
    }
    return parsed.options.counter == Counter::kSabo ? Count<SaboTally>(parsed.options)
                                                    : Count<PluenTally>(parsed.options);
}

}  // namespace korva::cli
