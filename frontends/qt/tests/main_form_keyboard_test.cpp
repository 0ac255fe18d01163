// The main window from the keyboard: the focus cycle, buttons pressed by key, the first input
// replacing the help text, and the dead menu bar that neither keys nor clicks open.
#include <QAccessible>

#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormKeyboardTest : public MainFormTest {
    Q_OBJECT

  private slots:
    void tabOrderAndFirstFocus() {
        const auto& stops = korva::conformance::kTabStops;
        QCOMPARE(QApplication::focusWidget(), WidgetOf(*form_, stops.front()));
        // Round once and on to the second stop.
        for (std::size_t i = 1; i <= stops.size() + 1; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), WidgetOf(*form_, stops.at(i % stops.size())));
        }
        // Enter inserts a line break in Input rather than leaving it.
        QTest::keyClick(form_->Output, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        form_->Input->moveCursor(QTextCursor::End);
        QTest::keyClick(form_->Input, Qt::Key_Return);
        QCOMPARE(form_->Input->document()->blockCount(), 7);
    }

    void menusNeverOpen() {
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
        for (const korva::conformance::Keystroke& stroke : korva::conformance::kMenuKeys) {
            QTest::newRow(stroke.name.data()) << QtKey(stroke) << ModifiersOf(stroke);
        }
    }

    void menuBarKeepsKeyboardOut() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
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
        for (const auto& [name, button, key] : korva::conformance::kButtonPresses) {
            const korva::conformance::Keystroke stroke{name, key};
            QTest::newRow(name.data())
                << (button == korva::form::ControlId::kSabo ? Button::kSabo : Button::kPluen)
                << QtKey(stroke) << ModifiersOf(stroke);
        }
    }

    void keyboardPressCounts() {
        QFETCH(Button, button);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QPushButton* pressed = ButtonOf(*form_, button);
        pressed->setFocus();
        QTest::keyClick(pressed, key, modifiers);
        QCOMPARE(form_->Output->CrLfText(),
                 button == Button::kSabo ? SaboResult({}, 0) : PluenResult({}));
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
        QCOMPARE(QApplication::focusWidget(), form_->Input);
        if (paste) {
            QApplication::clipboard()->setText(QStringLiteral("Wasser 25"));
            QTest::keyClick(form_->Input, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(form_->Input, QStringLiteral("Wasser 25"));
        }
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        QCOMPARE(form_->Input->document()->toRawText(), QStringLiteral("Wasser 25"));
        QCOMPARE(form_->Output->CrLfText(), PluenResult({{"Wasser", 25}}));
    }
};

KORVA_MAIN_FORM_TEST_MAIN(MainFormKeyboardTest)

#include "main_form_keyboard_test.moc"
