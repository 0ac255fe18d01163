// What the main window's commands do: the counts, which replace Output and leave Input as it
// was, the disabled Fleet, the menu commands no user can reach, and failures in a command.
#include <QFileDialog>
#include <QTimer>

#include <tuple>

#include "frontends/qt/file_dialog_component.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormCommandsTest : public MainFormTest {
    Q_OBJECT

  private slots:
    void fleetCannotBePressed() {
        const QString before = form_->Output->CrLfText();
        QTest::mouseClick(form_->Fleet, Qt::LeftButton);
        QVERIFY(!form_->Fleet->isEnabled());
        QCOMPARE(form_->Output->CrLfText(), before);
    }

    void counts_data() {
        QTest::addColumn<Button>("button");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const QString help = QStringLiteral("(the help text)");
        QTest::newRow("Sabo, help text") << Button::kSabo << help << SaboResult({}, 0);
        QTest::newRow("Pluen, help text") << Button::kPluen << help << PluenResult({});
        QTest::newRow("Sabo, report") << Button::kSabo << kSaboReport << kSaboReportResult;
        QTest::newRow("Pluen, report") << Button::kPluen << kPluenReport << kPluenReportResult;
        QTest::newRow("Sabo, empty box") << Button::kSabo << QString() << SaboResult({}, 0);
        QTest::newRow("Pluen, CR LF, lone LF and lone CR all end a line")
            << Button::kPluen << "Eisen 1\r\nEisen 2\nEisen 4\rEisen 8\r\n\r\n"
            << PluenResult({{"Eisen", 15}});
        QTest::newRow("Pluen, no-break space before the number fails the conversion")
            << Button::kPluen << "Eisen\u00A0500\nSilizium 20" << PluenResult({{"Silizium", 20}});
        QTest::newRow("Sabo, no-break space in the brackets counts as 1")
            << Button::kSabo << "Eisenmine (\u00A04)\nBohrturm ( 4)"
            << SaboResult({{"Eisenmine", 1}, {"Bohrturm", 4}}, 5);
        QTest::newRow("Pluen, U+2028 does not end a line")
            << Button::kPluen << "Eisen 100\u2028Eisen 200" << PluenResult({});
        QTest::newRow("Sabo, a character outside Windows-1252 is one byte")
            << Button::kSabo << "Raumhafen (😀)\nSchiffsfabrik (٣)\nWohngebäude (€)"
            << SaboResult({{"Raumhafen", 1}, {"Wohngeb\xE4ude", 1}, {"Schiffsfabrik", 1}}, 7);
        QTest::newRow("Sabo, umlaut in the name")
            << Button::kSabo << "Wohngebäude (5)\nWohngebaude (7)"
            << SaboResult({{"Wohngeb\xE4ude", 5}}, 5);
        // Texts both counters count as the command line does.
        const std::pair<const char*, QString> as_command_line[] = {
            {"reports", kSaboReport + kPluenReport},
            {"mixed breaks", "Eisen 1\r\n\r\nEisen 2\rRaumhafen (2)\n\n\n"},
            {"no-break space", "Eisen\u00A07\nEisenmine (\u00A03)"},
            {"U+2028", "Eisen 5\u2028\nRaumhafen (1)\u2028(2)"},
            {"outside the code page", "Eisen 1😀\nBohrturm (٣)\nSolarpark (\u0085)"},
            {"long line", QString(6000, u'x') + "Eisenmine (9)"}};
        for (const auto& [name, text] : as_command_line) {
            for (const Button button : {Button::kSabo, Button::kPluen}) {
                QTest::addRow("%s, as the command line counts: %s",
                              button == Button::kSabo ? "Sabo" : "Pluen", name)
                    << button << text << CommandLineResult(button, text);
            }
        }
    }

    // Output holds exactly the result, and Input is as it was: text, caret and selection.
    void counts() {
        QFETCH(Button, button);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        if (input != QStringLiteral("(the help text)")) form_->Input->setPlainText(input);
        Select(*form_->Input, 3, 12);
        const InputState before = StateOf(*form_->Input);

        QTest::mouseClick(ButtonOf(*form_, button), Qt::LeftButton);

        QCOMPARE(form_->Output->CrLfText(), expected);
        QVERIFY(form_->Output->textCursor().atEnd());
        QVERIFY(!form_->Output->textCursor().hasSelection());
        QVERIFY(StateOf(*form_->Input) == before);
        QVERIFY(shown_.empty());
    }

    void laterCountReplacesEarlier() {
        form_->Input->setPlainText(kSaboReport + kPluenReport);
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        const QString sabo = form_->Output->CrLfText();
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        QCOMPARE(form_->Output->CrLfText(), sabo);
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        const QString pluen = form_->Output->CrLfText();
        QCOMPARE(pluen, kPluenReportResult);
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        QCOMPARE(form_->Output->CrLfText(), pluen);
        QVERIFY(!pluen.contains(QStringLiteral("Das Ergebnis")));
    }

    // Commands bound to nothing a user can reach, called from a window where any change shows:
    // reports and a result in the boxes, a selection, the focus on a button, text on the
    // clipboard. They change nothing on screen nor on the clipboard, and open nothing.
    void unboundCommandsChangeNothing_data() {
        QTest::addColumn<void (TMainForm::*)()>("command");
        QTest::newRow("EditClearMemoClick") << &TMainForm::EditClearMemoClick;
        QTest::newRow("HelpAbout") << &TMainForm::HelpAbout;
        QTest::newRow("SelectFleetCounter") << &TMainForm::SelectFleetCounter;
    }

    void unboundCommandsChangeNothing() {
        using Command = void (TMainForm::*)();
        QFETCH(Command, command);
        form_->Input->setPlainText(kSaboReport);
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        Select(*form_->Input, 3, 40);
        form_->Pluen->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Eisen 5\r\n"));
        const auto state = [this] {
            return std::tuple{form_->grab().toImage(),
                              StateOf(*form_->Input),
                              form_->Output->CrLfText(),
                              form_->Output->textCursor().position(),
                              QApplication::clipboard()->text(),
                              QApplication::focusWidget(),
                              QApplication::topLevelWidgets().count(),
                              form_->isVisible()};
        };
        const auto before = state();
        QCOMPARE(std::get<2>(before), kSaboReportResult);

        (form_.get()->*command)();
        QTest::qWait(50);

        QVERIFY(state() == before);
        QVERIFY(!QApplication::activeModalWidget() && !QApplication::activePopupWidget());
        QVERIFY(shown_.empty());
    }

    // The menu commands cannot be reached, but each does what its entry says.
    void menuCommands() {
        TMainForm& form = *form_;
        const QString output = form.Output->CrLfText();
        form.Input->setPlainText(QStringLiteral("Eisen 1\nEisen 2"));
        Select(*form.Input, 6, 7);
        QApplication::clipboard()->setText(QStringLiteral("40\r\nSilizium 3"));
        form.EditPaste();
        QCOMPARE(form.Input->document()->toRawText(),
                 QStringLiteral("Eisen 40\u2029Silizium 3\u2029Eisen 2"));
        form.EditUndo();
        QCOMPARE(form.Input->document()->toRawText(), QStringLiteral("Eisen 1\u2029Eisen 2"));

        const QString input = form.Input->document()->toRawText();
        QCOMPARE(form.SaveDialog->objectName(), QStringLiteral("SaveDialog"));
        QCOMPARE(form.SaveDialog->NameFilter(), QStringLiteral("Textfile (*.txt)"));
        QCOMPARE(form.SaveDialog->AcceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(form.OpenDialog->NameFilter(), QStringLiteral("Textfile (*.txt)"));
        QCOMPARE(form.OpenDialog->AcceptMode(), QFileDialog::AcceptOpen);
        QString seen_filter;
        QTimer::singleShot(0, [&seen_filter] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen_filter = dialog->nameFilters().join(';');
            dialog->reject();
        });
        form.FileSaveAs();
        QCOMPARE(seen_filter, QStringLiteral("Textfile (*.txt)"));
        QCOMPARE(form.Input->document()->toRawText(), input);
        QCOMPARE(form.Output->CrLfText(), output);

        form.FileExit();
        QVERIFY(!form.isVisible());
    }

    // A failure in a command, shown by the event guard while the window goes on working.
    void failureInCommandIsShownAndWindowGoesOn_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("shown");
        for (std::size_t i = 0; i < korva::conformance::kFailures.size(); ++i) {
            const korva::conformance::FailureRow& row = korva::conformance::kFailures[i];
            QStringList shown;
            if (row.in_a_command) shown << QString::fromUtf16(row.in_a_command);
            QTest::newRow(row.name.data()) << int(i) << shown;
        }
    }

    void failureInCommandIsShownAndWindowGoesOn() {
        QFETCH(int, row);
        QFETCH(QStringList, shown);
        int calls = 0;
        // Fails on the first click only, after grabbing the mouse as a half-done drag would.
        auto failing_once = [&calls, row, this](korva::Counter counter, std::string_view report) {
            if (counter == korva::Counter::kSabo && ++calls == 1) {
                form_->Output->grabMouse();
                korva::conformance::Throw(korva::conformance::kFailures.at(std::size_t(row)));
            }
            return korva::form::Count(counter, report);
        };
        form_ = std::make_unique<TMainForm>(failing_once);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
        form_->Input->setPlainText(kSaboReport);

        QTest::mouseClick(form_->Sabo, Qt::LeftButton);

        QStringList texts;
        for (const auto& [caption, text] : shown_) {
            QCOMPARE(caption, Text(korva::form::kApplicationTitle));
            texts << text;
        }
        QCOMPARE(texts, shown);
        QCOMPARE(form_->Output->CrLfText(), Text(korva::form::kInitialOutput));
        QVERIFY(!QWidget::mouseGrabber());

        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        QCOMPARE(calls, 2);
        QCOMPARE(form_->Output->CrLfText(), kSaboReportResult);
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        QCOMPARE(form_->Output->CrLfText(), PluenResult({}));
        QCOMPARE(shown_.size(), std::size_t(shown.size()));
    }
};

KORVA_MAIN_FORM_TEST_MAIN(MainFormCommandsTest)

#include "main_form_commands_test.moc"
