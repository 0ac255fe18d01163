// Builds the page from the window's description and the templates in web/page/: the single-file
// page (modules inline, works from disk) and the hosted site (the same page with a web app
// manifest and a service worker, which make it installable and offline).
// Usage: korva-web-page PAGE_DIR ICON_SVG SIMD_WASM SCALAR_WASM OUT_PAGE OUT_SITE_DIR
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "base64.hpp"
#include "base85.hpp"
#include "comment_lines.hpp"
#include "counters/text/utf8.hpp"
#include "form_markup.hpp"
#include "frontends/model/closing_period.hpp"
#include "frontends/model/failure.hpp"
#include "frontends/model/form.hpp"
#include "frontends/model/report_explanation.hpp"

namespace {

namespace fs = std::filesystem;
using Fields = std::map<std::string, std::string, std::less<>>;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

// The template with each {{NAME}} replaced by its field; a name without a field is an error, so
// a template and this program cannot drift apart unnoticed.
std::string Filled(const std::string& text, const Fields& fields) {
    std::string out;
    std::size_t at = 0;
    while (true) {
        const std::size_t open = text.find("{{", at);
        if (open == std::string::npos) break;
        const std::size_t close = text.find("}}", open);
        if (close == std::string::npos) break;
        const std::string_view name(text.data() + open + 2, close - open - 2);
        const auto field = fields.find(name);
        if (field == fields.end()) throw std::runtime_error("no field " + std::string(name));
        out.append(text, at, open - at);
        out += field->second;
        at = close + 2;
    }
    return out + text.substr(at);
}

// A text of the failure model in UTF-8.
std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) korva::AppendUtf8(out, c);
    return out;
}

// FNV-1a, enough to tell one build of the site from the next.
std::string Version(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// The period rule as a regular expression's class: every UTF-16 code unit after which a message
// takes the period, asked of the rule itself, so that the page looks a message's last one up
// rather than keeping a rule of its own.
std::string PeriodTakers() {
    const auto takes = [](char32_t code) {
        const auto unit = static_cast<char16_t>(code);
        return korva::form::TakesClosingPeriod(std::u16string_view(&unit, 1));
    };
    const auto escaped = [](char32_t code) {
        char text[8];
        std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(code));
        return std::string(text);
    };
    std::string ranges;
    for (char32_t first = 0; first <= 0xFFFF; ++first) {
        if (!takes(first)) continue;
        char32_t last = first;
        while (last < 0xFFFF && takes(last + 1)) ++last;
        ranges += escaped(first) + "-" + escaped(last);
        first = last;
    }
    return ranges;
}

void Build(const fs::path& page_dir, const fs::path& icon, const fs::path& simd,
           const fs::path& scalar, const fs::path& out_page, const fs::path& site) {
    using namespace korva;
    // The style and the script switch layouts at the same sizes; the script asks the module for
    // as many rows as the windows' model shows, finds a row's line after the model's words, and
    // keeps the windows' period rule.
    const Fields screens{
        {"WIDE_SCREEN", std::string(web::kWideScreen)},
        {"NARROW_SCREEN", std::string(web::kNarrowScreen)},
        {"SHOWN_ROWS", std::to_string(form::kShownRows)},
        {"ROW_PLACE", std::string(form::kRowPlace)},
        {"PERIOD_TAKERS", PeriodTakers()},
        {"BASE85_DIGITS", std::string(web::kBase85Digits)},
    };
    Fields fields{
        {"CAPTION", web::Escaped(form::kCaption)},
        {"APPLICATION_TITLE", web::Escaped(form::kApplicationTitle)},
        {"OUT_OF_MEMORY_TEXT", web::Escaped(Utf8(form::kOutOfMemoryText))},
        {"FOREIGN_FAILURE_TEXT", web::Escaped(Utf8(form::kForeignFailureText))},
        {"PERIOD", web::Escaped(Utf8(std::u16string(1, form::kPeriod)))},
        {"FORM_STYLE", web::CompactStyle(web::WithoutCommentLines(web::FormStyle()))},
        {"STYLE", web::CompactStyle(Filled(web::WithoutCommentLines(ReadFile(page_dir / "page.css") +
                                                                    ReadFile(page_dir / "explain.css")),
                                           screens))},
        {"EXPLANATION", ReadFile(page_dir / "explain.html")},
        {"MENU", web::MenuMarkup()},
        {"CONTROLS", web::ControlsMarkup()},
        {"ICON", "data:image/svg+xml;base64," + web::Base64(ReadFile(icon))},
        {"SIMD_MODULE", web::Base85(ReadFile(simd))},
        {"SCALAR_MODULE", web::Base85(ReadFile(scalar))},
        // One module script: the explanation uses the page's module and error box.
        {"SCRIPT", Filled(web::WithoutCommentLines(ReadFile(page_dir / "page.js") +
                                                   ReadFile(page_dir / "explain.js")),
                          screens)},
        {"SITE_HEAD", ""},
    };
    const std::string html = ReadFile(page_dir / "page.html");
    WriteFile(out_page, Filled(html, fields));

    fields["SITE_HEAD"] = ReadFile(page_dir / "site-head.html");
    const std::string index = Filled(html, fields);
    const std::string manifest = Filled(ReadFile(page_dir / "manifest.webmanifest"), fields);
    fields["VERSION"] = Version(index + manifest);
    fs::create_directories(site);
    WriteFile(site / "index.html", index);
    WriteFile(site / "manifest.webmanifest", manifest);
    WriteFile(site / "sw.js", Filled(ReadFile(page_dir / "sw.js"), fields));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: korva-web-page PAGE_DIR ICON_SVG SIMD_WASM SCALAR_WASM OUT_PAGE "
                     "OUT_SITE_DIR\n");
        return 2;
    }
    try {
        Build(argv[1], argv[2], argv[3], argv[4], argv[5], argv[6]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "korva-web-page: %s\n", failure.what());
        return 1;
    }
    return 0;
}
