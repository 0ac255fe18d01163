// What the main window's tests share: the window as a user meets it, with the error boxes the
// event guard would show recorded instead.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QString>
#include <QtTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/start_up.hpp"
#include "frontends/qt/tests/expose_timeout.hpp"

// Each error box's caption and text, in the order shown.
using Shown = std::vector<std::pair<QString, QString>>;

// Each test function gets a fresh window, shown and exposed, and an empty list of error boxes.
// QtTest calls the inherited init and cleanup slots; being named so, they are no test functions.
class MainFormTest : public QObject {
    Q_OBJECT

  public:
    explicit MainFormTest(Shown& shown) : shown_(shown) {}

  protected:
    Shown& shown_;
    std::unique_ptr<TMainForm> form_;

  private slots:
    void init() {
        shown_.clear();
        form_ = std::make_unique<TMainForm>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
    }

    void cleanup() { form_.reset(); }
};

enum class Button { kSabo, kPluen };
Q_DECLARE_METATYPE(Button)

inline QPushButton* ButtonOf(TMainForm& form, Button button) {
    return button == Button::kSabo ? form.Sabo : form.Pluen;
}

struct InputState {
    QString text;
    int position;
    int anchor;
    bool operator==(const InputState&) const = default;
};

inline InputState StateOf(const QPlainTextEdit& box) {
    return {box.document()->toRawText(), box.textCursor().position(), box.textCursor().anchor()};
}

inline void Select(QPlainTextEdit& box, int anchor, int position) {
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
}

// What the command line gives for the same text, read as UTF-8 from a file.
inline QString CommandLineResult(Button button, const QString& text) {
    const std::string bytes = korva::Utf8ToCp1252(text.toStdString());
    const korva::ReportLines lines = korva::DivideIntoLines(bytes);
    const korva::ResultLines result =
        button == Button::kSabo ? korva::SaboCounter(lines) : korva::PluenCounter(lines);
    return QString::fromStdU16String(korva::Cp1252ToUtf16(korva::OutputText(result)));
}

// The window, or its control, that the current data row's tag names.
inline QWidget* RowsWidget(TMainForm& form) {
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    return name == form.objectName() ? &form : form.findChild<QWidget*>(name);
}

inline ReportCounter CountSaboWithFallback() {
    return StandardCounters().sabo;
}

inline ReportCounter CountPluenOnly() {
    return StandardCounters().pluen;
}

// Runs the test object Test(shown) in the guarded application, whose error boxes land in shown.
template <class Test>
int RunMainFormTest(int argc, char** argv) {
    Shown shown;
    GuardedApplication app(argc, argv, [&shown](const QString& caption, const QString& text) {
        shown.emplace_back(caption, text);
    });
    SetApplicationIdentity();
    QStandardPaths::setTestModeEnabled(true);
    Test test(shown);
    return QTest::qExec(&test, argc, argv);
}
