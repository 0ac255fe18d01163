// The main window from the keyboard: the focus cycle, buttons pressed by key, the first input
// replacing the help text, and the dead menu bar that neither keys nor clicks open.
#include <QAccessible>
#include <QClipboard>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <vector>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormKeyboardTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

  private slots:
    void tabOrderAndFirstFocus() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        const std::vector<QWidget*> cycle = {form_->Output, form_->Sabo, form_->Pluen, form_->Input,
                                             form_->Output};
        for (QWidget* next : cycle) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        // Enter inserts a line break in Input rather than leaving it.
        QTest::keyClick(form_->Output, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        form_->Input->moveCursor(QTextCursor::End);
        QTest::keyClick(form_->Input, Qt::Key_Return);
        QCOMPARE(form_->Input->document()->blockCount(), 7);
    }

    void menusNeverOpen() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        for (QAction* entry : form_->MainMenu->actions()) {
            const QPoint centre = form_->MainMenu->actionGeometry(entry).center();
            QVERIFY(!centre.isNull());
            QTest::mouseClick(form_->MainMenu, Qt::LeftButton, {}, centre);
            QVERIFY(!QApplication::activePopupWidget());
        }
        for (const Qt::Key key : {Qt::Key_O, Qt::Key_E, Qt::Key_I}) {
            QTest::keyClick(form_.get(), key, Qt::AltModifier);
            QVERIFY(!QApplication::activePopupWidget());
        }
        QVERIFY(!form_->FileMenu->isVisible());
        QVERIFY(!form_->EditMenu->isVisible());
    }

    // Alt, a mnemonic or F10 leave the focus where it was, and no entry of the dead menu bar
    // stays highlighted or reported focused once Tab has moved on.
    void menuBarKeepsKeyboardOut_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Alt") << Qt::Key_Alt << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("Alt+O") << Qt::Key_O << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("F10") << Qt::Key_F10 << Qt::KeyboardModifiers();
    }

    void menuBarKeepsKeyboardOut() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        const QImage drawn = form_->MainMenu->grab().toImage();

        QTest::keyPress(form_->Input, key, modifiers);
        QTest::keyRelease(form_->Input, key);
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        QCOMPARE(QApplication::focusWidget(), form_->Output);
        QCOMPARE(form_->MainMenu->activeAction(), nullptr);
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form_->MainMenu);
        QVERIFY(bar && bar->childCount() == 3);
        for (int i = 0; i < bar->childCount(); ++i) QVERIFY(!bar->child(i)->state().focused);
        QCOMPARE(form_->MainMenu->grab().toImage(), drawn);
    }

    void keyboardPressCounts_data() {
        QTest::addColumn<Button>("button");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Sabo, Space") << Button::kSabo << Qt::Key_Space << Qt::KeyboardModifiers();
        QTest::newRow("Sabo, Return") << Button::kSabo << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("Sabo, keypad Enter")
            << Button::kSabo << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("Pluen, Return")
            << Button::kPluen << Qt::Key_Return << Qt::KeyboardModifiers();
        QTest::newRow("Pluen, keypad Enter")
            << Button::kPluen << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }

    void keyboardPressCounts() {
        QFETCH(Button, button);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QPushButton* pressed = ButtonOf(*form_, button);
        pressed->setFocus();
        QTest::keyClick(pressed, key, modifiers);
        QCOMPARE(form_->Output->CrLfText(),
                 button == Button::kSabo ? SaboResult({}) : PluenResult({}));
        QCOMPARE(QApplication::focusWidget(), pressed);
    }

    // The help text starts selected: the first paste or typing replaces it, and no amount runs
    // into its first line.
    void firstInputReplacesHelpText_data() {
        QTest::addColumn<bool>("paste");
        QTest::newRow("Ctrl+V") << true;
        QTest::newRow("typing") << false;
    }

    void firstInputReplacesHelpText() {
        QFETCH(bool, paste);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        if (paste) {
            QApplication::clipboard()->setText(QStringLiteral("Wasser 25"));
            QTest::keyClick(form_->Input, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(form_->Input, QStringLiteral("Wasser 25"));
        }
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        QCOMPARE(form_->Input->document()->toRawText(), QStringLiteral("Wasser 25"));
        QCOMPARE(form_->Output->CrLfText(), PluenResult({.wasser = 25}));
    }
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormKeyboardTest>(argc, argv);
}

#include "main_form_keyboard_test.moc"
