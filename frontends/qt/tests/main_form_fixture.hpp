// What the main window's tests share, their includes too: the window as a user meets it, with
// the error boxes the event guard would show recorded instead.
#pragma once

#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QString>
#include <QtTest>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/model/form.hpp"
#include "frontends/model/tests/conformance.hpp"
#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/start_up.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/expose_timeout.hpp"

using namespace korva::qt;

// Each error box's caption and text, in the order shown.
using Shown = std::vector<std::pair<QString, QString>>;

// Each test function gets a fresh window, shown and active as a user's window is, so that the
// keyboard goes to it, and an empty list of error boxes.
// QtTest calls the inherited init and cleanup slots; being named so, they are no test functions.
class MainFormTest : public QObject {
    Q_OBJECT

  public:
    void Record(const QString& caption, const QString& text) { shown_.emplace_back(caption, text); }

  protected:
    Shown shown_;
    std::unique_ptr<TMainForm> form_;

  private slots:
    void init() {
        shown_.clear();
        form_ = std::make_unique<TMainForm>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup() { form_.reset(); }
};

inline QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The designed face at that size; Wine's lookalike, where installed, is what is drawn, elsewhere
// a stand-in.
inline void CheckFont(const QWidget& widget, int point_size) {
    QCOMPARE(widget.font().pointSize(), point_size);
    QCOMPARE(widget.font().family(), Text(korva::form::kFontFamily));
    if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"))) {
        QCOMPARE(QFontInfo(widget.font()).family(), Text(korva::form::kFontFamily));
    }
}

inline Qt::Key QtKey(const korva::conformance::Keystroke& stroke) {
    using korva::conformance::KeyName;
    // In the order of KeyName, a letter's place left empty.
    constexpr std::array keys{Qt::Key_unknown,   Qt::Key_Return, Qt::Key_Enter,
                              Qt::Key_Space,     Qt::Key_Insert, Qt::Key_Delete,
                              Qt::Key_Backspace, Qt::Key_Alt,    Qt::Key_F10};
    static_assert(keys.size() == std::size_t(KeyName::kF10) + 1);
    return stroke.key == KeyName::kLetter ? Qt::Key(stroke.letter)
                                          : keys.at(std::size_t(stroke.key));
}

inline Qt::KeyboardModifiers ModifiersOf(const korva::conformance::Keystroke& stroke) {
    return Qt::KeyboardModifiers()
        .setFlag(Qt::ControlModifier, stroke.ctrl)
        .setFlag(Qt::ShiftModifier, stroke.shift)
        .setFlag(Qt::AltModifier, stroke.alt)
        .setFlag(Qt::KeypadModifier, stroke.key == korva::conformance::KeyName::kKeypadEnter);
}

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
    korva::SaboTally sabo;
    korva::PluenTally pluen;
    for (const auto line : lines) {
        if (button == Button::kSabo) {
            sabo.AddLine(line);
        } else {
            pluen.AddLine(line);
        }
    }
    const korva::ResultLines result = button == Button::kSabo ? sabo.Lines() : pluen.Lines();
    return QString::fromStdU16String(korva::Cp1252ToUtf16(korva::OutputText(result)));
}

inline QWidget* WidgetOf(TMainForm& form, korva::form::ControlId id) {
    return form.findChild<QWidget*>(Text(korva::form::ControlOf(id).name));
}

// The window, or its control, that the current data row's tag names.
inline QWidget* RowsWidget(TMainForm& form) {
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    return name == form.objectName() ? &form : form.findChild<QWidget*>(name);
}

// Runs the test object Test in the guarded application, whose error boxes Test records.
template <class Test>
int RunMainFormTest(int argc, char** argv) {
    Test* running = nullptr;
    GuardedApplication app(argc, argv, [&running](const QString& caption, const QString& text) {
        running->Record(caption, text);
    });
    SetApplicationIdentity();
    QStandardPaths::setTestModeEnabled(true);
    Test test;
    running = &test;
    return QTest::qExec(&test, argc, argv);
}

// The test program's main for Test.
#define KORVA_MAIN_FORM_TEST_MAIN(Test)           \
    int main(int argc, char** argv) {             \
        return RunMainFormTest<Test>(argc, argv); \
    }
