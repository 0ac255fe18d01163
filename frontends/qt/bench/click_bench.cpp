// How long a click on Sabo or Pluen takes with a large paste in Input, from the click to the
// finished Output, and what the paste itself costs Qt. Not a test: run it by hand.
// Usage: click_bench MEGABYTES...   (for example 10 50; offscreen unless QT_QPA_PLATFORM says)
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "bench/megabytes_call.hpp"
#include "bench/paste_text.hpp"
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

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void Measure(TMainForm& form, int megabytes) {
    const QString text = QString::fromStdU16String(korva::bench::PasteText(megabytes, u"\n"));
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
    const korva::bench::MegabytesCall call = korva::bench::ParseMegabytes(argc, argv, kUsage);
    if (call.sizes.empty()) return call.status;
    // It measures the window's own work, with no display needed; a platform the user chose stays.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QApplication app(argc, argv);
    SetApplicationIdentity();

    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    for (const int megabytes : call.sizes) Measure(form, megabytes);
    return 0;
}
