// How long a player waits for a large paste by Ctrl+V from the clipboard and a count in the Qt
// window, against the same paste into a bare QPlainTextEdit: what Qt's own text box costs, which
// no window built on it can beat. Not a test: run it by hand (bench/window_paste.sh).
// Usage: paste_bench MEGABYTES...   (for example 5 50; the platform QT_QPA_PLATFORM says)
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "bench/megabytes_call.hpp"
#include "bench/paste_text.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/start_up.hpp"

using namespace korva::qt;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kUsage =
    "Aufruf: paste_bench MEGABYTES...\n"
    "Misst je Größe, wie lange das Einfügen so vieler MB Berichte mit Strg+V in das Feld\n"
    "\"Berichte\" und ein Klick auf Sabo und Plünder dauern, und dasselbe Einfügen in ein\n"
    "bloßes Textfeld von Qt.\n";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's CPU time: on a loaded machine the wall time also holds the waits for a core.
double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Timed {
    double wall;
    double cpu;
};

// Select all, then Ctrl+V, until the box has laid out and drawn the text.
Timed TimedPaste(QPlainTextEdit& box) {
    box.setFocus();
    box.selectAll();
    QApplication::processEvents();
    const auto start = Clock::now();
    const double cpu = CpuSeconds();
    QTest::keySequence(&box, QKeySequence::Paste);
    box.repaint();
    QApplication::processEvents();
    return {SecondsSince(start), CpuSeconds() - cpu};
}

// The floor: Qt's plain text box alone, as large as Input.
Timed BarePaste() {
    QPlainTextEdit box;
    box.setGeometry(196, 141, 257, 361);
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.show();
    if (!QTest::qWaitForWindowExposed(&box)) return {-1, -1};
    return TimedPaste(box);
}

}  // namespace

int main(int argc, char** argv) {
    const korva::bench::MegabytesCall call = korva::bench::ParseMegabytes(argc, argv, kUsage);
    if (call.sizes.empty()) return call.status;
    QApplication app(argc, argv);
    SetApplicationIdentity();
    for (const int megabytes : call.sizes) {
        const std::u16string text = korva::bench::PasteText(megabytes, u"\n");
        QApplication::clipboard()->setText(QString::fromStdU16String(text));
        const Timed bare = BarePaste();

        TMainForm form;
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) return 1;
        const Timed paste = TimedPaste(*form.Input);
        if (form.Input->document()->characterCount() - 1 != static_cast<int>(text.size())) {
            std::fprintf(stderr, "Input holds %d characters of %zu\n",
                         form.Input->document()->characterCount() - 1, text.size());
            return 1;
        }
        double clicks[2] = {};
        for (int i = 0; i < 2; ++i) {
            const auto start = Clock::now();
            QTest::mouseClick(i == 0 ? form.Sabo : form.Pluen, Qt::LeftButton);
            QApplication::processEvents();
            clicks[i] = SecondsSince(start);
        }
        std::printf(
            "%4d MB (%zu characters): bare QPlainTextEdit paste %.2f s (CPU %.2f s) | window: "
            "paste %.2f s (CPU %.2f s; %.2fx the bare box's CPU), Sabo %.2f s, Pluender %.2f s, "
            "paste and Sabo %.2f s\n",
            megabytes, text.size(), bare.wall, bare.cpu, paste.wall, paste.cpu,
            paste.cpu / bare.cpu, clicks[0], clicks[1], paste.wall + clicks[0]);
        std::fflush(stdout);
    }
    return 0;
}
