// Running out of memory in a command, with allocation failure injected: the program shows
// "Out of memory." (in a box, or at worst on standard error), keeps the reports and goes on.
// This program replaces the global operator new to make allocations fail on demand.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <thread>

#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/start_up.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/expose_timeout.hpp"

using namespace korva::qt;

namespace {

// What operator new may still hand out on the GUI thread once armed: first `failures` requests
// fail whatever their size, then requests fail once they would pass `budget` bytes. Memory freed
// while armed counts back into the budget, as memory given back does for a real process.
struct Injection {
    bool armed = false;
    int failures = 0;
    long long budget = 0;
};
Injection injection;
std::thread::id gui_thread;

bool Counted() {
    return injection.armed && std::this_thread::get_id() == gui_thread;
}

void* Allocate(std::size_t size) noexcept {
    if (Counted() && injection.failures > 0) {
        --injection.failures;
        return nullptr;
    }
    void* block = std::malloc(size ? size : 1);
    if (block && Counted()) {
        const auto used = static_cast<long long>(malloc_usable_size(block));
        if (used > injection.budget) {
            std::free(block);
            return nullptr;
        }
        injection.budget -= used;
    }
    return block;
}

void Free(void* block) noexcept {
    if (block && Counted()) injection.budget += static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = Allocate(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Free(block);
}
void operator delete[](void* block) noexcept {
    Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Free(block);
}

namespace {

constexpr long long kUnlimited = LLONG_MAX / 2;
constexpr long long kNothing = -(1LL << 40);

// Standard error of the process, caught in a file while the test runs.
class CapturedStandardError {
  public:
    CapturedStandardError() : file_(std::tmpfile()), saved_(dup(STDERR_FILENO)) {
        std::fflush(stderr);
        dup2(fileno(file_), STDERR_FILENO);
    }
    ~CapturedStandardError() {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        std::fclose(file_);
    }
    QByteArray Text() const {
        std::fflush(stderr);
        QFile read;
        read.open(fileno(file_), QIODevice::ReadOnly);
        read.seek(0);
        return read.readAll();
    }

  private:
    std::FILE* const file_;
    const int saved_;
};

}  // namespace

class OutOfMemoryTest : public QObject {
    Q_OBJECT

  private slots:
    void sabotageCountRunsOutOfMemory_data() {
        QTest::addColumn<int>("failures");
        QTest::addColumn<long long>("budget");
        QTest::addColumn<bool>("box");
        // Memory ends during the count: the reserve given back builds the box.
        QTest::newRow("count runs out") << 0 << 0LL << true;
        // The count fails, and so does building the error box: the box made at start-up shows.
        QTest::newRow("box cannot be built") << 2 << kUnlimited << true;
        // Nothing can be allocated any more: standard error gets the text.
        QTest::newRow("nothing left") << 0 << kNothing << false;
    }

    void sabotageCountRunsOutOfMemory() {
        QFETCH(int, failures);
        QFETCH(long long, budget);
        QFETCH(bool, box);

        // Only the first count runs out of memory.
        TMainForm form([failures, budget, first = true](korva::Counter counter,
                                                        std::string_view report) mutable {
            if (first) injection = {true, failures, budget};
            first = false;
            return korva::form::Count(counter, report);
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, kExposeTimeoutMs));
        form.Input->setPlainText(kSaboReport);

        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            injection.armed = false;
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!shown) return;
            caption = shown->windowTitle();
            text = shown->text();
            icon = shown->icon();
            shown->button(QMessageBox::Ok)->click();
        });
        QByteArray written;
        {
            const CapturedStandardError standard_error;
            QTest::mouseClick(form.Sabo, Qt::LeftButton);
            injection.armed = false;
            written = standard_error.Text();
        }
        QApplication::processEvents();

        if (box) {
            QCOMPARE(caption, QStringLiteral("KORVA-Counter"));
            QCOMPARE(text, QStringLiteral("Out of memory."));
            QCOMPARE(icon, QMessageBox::Critical);
        } else {
            QCOMPARE(text, QString());
            QVERIFY2(written.contains("KORVA-Counter: Out of memory.\n"), written.constData());
        }
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(form.Input->toPlainText(), kSaboReport);
        QCOMPARE(form.Output->CrLfText(), QStringLiteral("Das Ergebnis erscheint hier.\r\n"));

        // The window goes on working, and the reports are still there to be counted.
        QTest::mouseClick(form.Sabo, Qt::LeftButton);
        QCOMPARE(form.Output->CrLfText(), kSaboReportResult);
    }
};

int main(int argc, char** argv) {
    gui_thread = std::this_thread::get_id();
    GuardedApplication app(argc, argv, ShowCriticalBox);
    SetApplicationIdentity();
    OutOfMemoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "out_of_memory_test.moc"
