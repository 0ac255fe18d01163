// How long a click on Sabo or Pluen takes with a large paste in Input, from the click to the
// finished Output, and what the paste itself costs Qt. Not a test: run it by hand.
// Usage: click_bench MEGABYTES...   (for example 10 50; offscreen unless QT_QPA_PLATFORM says)
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTextDocument>

#include <sys/resource.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/report_text.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/start_up.hpp"

using namespace korva::qt;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kUsage =
    "Aufruf: click_bench MEGABYTES...\n"
    "Misst je Größe, wie lange ein Klick auf Sabo und Plünder mit so vielen MB Berichten im\n"
    "Feld \"Berichte\" bis zum fertigen Ergebnis braucht, zum Beispiel: click_bench 10 50\n"
    "Ohne Anzeige (offscreen), wenn QT_QPA_PLATFORM nichts anderes sagt.\n";

// The sizes in MB, each a whole number above 0, or nothing on any other call.
std::optional<std::vector<int>> ParseSizes(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string_view text = argv[i];
        int megabytes = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), megabytes);
        if (error != std::errc{} || end != text.data() + text.size() || megabytes <= 0) {
            return std::nullopt;
        }
        sizes.push_back(megabytes);
    }
    return sizes;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Report text of about megabytes MB: sabotage and plunder reports with their time lines.
QString Reports(int megabytes) {
    const QStringList pieces = {
        QStringLiteral("Sabotagebericht vom 07.12.2026 14:32\n"),
        QStringLiteral("Ziel: Korva II [3:217:8]\n"),
        QStringLiteral("14:32:05 Eisenmine (3) zerstört\n"),
        QStringLiteral("14:32:05 Raumhafen (1) zerstört\n"),
        QStringLiteral("14:32:07 Wohngebäude (2) zerstört\n"),
        QStringLiteral("Eure Agenten sind unerkannt entkommen.\n"),
        QStringLiteral("Plünderbericht vom 07.12.2026 15:10\n"),
        QStringLiteral("Eisen 12500\n"),
        QStringLiteral("Silizium 8300\n"),
        QStringLiteral("Wasserstoff\t950\n"),
        QStringLiteral("\n"),
    };
    const qsizetype target = qsizetype(megabytes) * 1000 * 1000;
    QString text;
    text.reserve(target + 100);
    while (text.size() < target) {
        for (const QString& piece : pieces) text += piece;
    }
    return text;
}

void Measure(TMainForm& form, int megabytes) {
    const QString text = Reports(megabytes);
    auto start = Clock::now();
    form.Input->setPlainText(text);
    QApplication::processEvents();
    const double paste_ms = MillisecondsSince(start);

    start = Clock::now();
    const qsizetype raw_size = form.Input->document()->toRawText().size();
    const double raw_ms = MillisecondsSince(start);

    start = Clock::now();
    const std::string bytes = ReportBytes(*form.Input->document());
    const double read_ms = MillisecondsSince(start);

    for (QPushButton* button : {form.Sabo, form.Pluen}) {
        start = Clock::now();
        QTest::mouseClick(button, Qt::LeftButton);
        const double click_ms = MillisecondsSince(start);
        QApplication::processEvents();
        const double shown_ms = MillisecondsSince(start);
        std::printf("%4d MB  %-7s click %7.1f ms, painted %7.1f ms\n", megabytes,
                    qPrintable(button->objectName()), click_ms, shown_ms);
    }
    std::printf(
        "%4d MB  (paste into Input %.0f ms; reading Input back %.1f ms, of which Qt's "
        "raw text %.1f ms; %zu bytes, %lld characters; peak memory %ld MB)\n",
        megabytes, paste_ms, read_ms, raw_ms, bytes.size(), static_cast<long long>(raw_size),
        PeakMegabytes());
}

}  // namespace

int main(int argc, char** argv) {
    // The call is checked before Qt starts, so a wrong one costs nothing; the platform is chosen
    // with QT_QPA_PLATFORM, not with Qt's options.
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }
    const std::optional<std::vector<int>> sizes = ParseSizes(argc, argv);
    if (!sizes) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
        return 2;
    }
    // It measures the window's own work, with no display needed; a platform the user chose stays.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QApplication app(argc, argv);
    SetApplicationIdentity();

    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    for (const int megabytes : *sizes) Measure(form, megabytes);
    return 0;
}
