// What the main window's commands do: the counts, which replace Output and leave Input as it
// was, the disabled Fleet, and the menu commands no user can reach.
#include <QClipboard>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "frontends/qt/file_dialog_component.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormCommandsTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

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
        QTest::newRow("Sabo, help text") << Button::kSabo << help << SaboResult({});
        QTest::newRow("Pluen, help text") << Button::kPluen << help << PluenResult({});
        QTest::newRow("Sabo, report") << Button::kSabo << kSaboReport << kSaboReportResult;
        QTest::newRow("Pluen, report") << Button::kPluen << kPluenReport << kPluenReportResult;
        QTest::newRow("Sabo, empty box") << Button::kSabo << QString() << SaboResult({});
        QTest::newRow("Pluen, CR LF, lone LF and lone CR all end a line")
            << Button::kPluen << "Eisen 1\r\nEisen 2\nEisen 4\rEisen 8\r\n\r\n"
            << PluenResult({.eisen = 15});
        QTest::newRow("Pluen, no-break space before the number fails the conversion")
            << Button::kPluen << "Eisen\u00A0500\nSilizium 20" << PluenResult({.silizium = 20});
        QTest::newRow("Sabo, no-break space in the brackets counts as 1")
            << Button::kSabo << "Eisenmine (\u00A04)\nBohrturm ( 4)"
            << SaboResult({.eisenmine = 1, .bohrturm = 4, .total = 5});
        QTest::newRow("Pluen, U+2028 does not end a line")
            << Button::kPluen << "Eisen 100\u2028Eisen 200" << PluenResult({});
        QTest::newRow("Sabo, a character outside Windows-1252 is one byte")
            << Button::kSabo << "Raumhafen (😀)\nSchiffsfabrik (٣)\nWohngebäude (€)"
            << SaboResult({.raumhafen = 1, .wohngebaeude = 1, .schiffsfabrik = 1, .total = 7});
        QTest::newRow("Sabo, umlaut in the name")
            << Button::kSabo << "Wohngebäude (5)\nWohngebaude (7)"
            << SaboResult({.wohngebaeude = 5, .total = 5});
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

    void sameResultAsCommandLine_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("reports") << kSaboReport + kPluenReport;
        QTest::newRow("mixed breaks") << "Eisen 1\r\n\r\nEisen 2\rRaumhafen (2)\n\n\n";
        QTest::newRow("no-break space") << "Eisen\u00A07\nEisenmine (\u00A03)";
        QTest::newRow("U+2028") << "Eisen 5\u2028\nRaumhafen (1)\u2028(2)";
        QTest::newRow("outside the code page") << "Eisen 1😀\nBohrturm (٣)\nSolarpark (\u0085)";
        QTest::newRow("long line") << QString(6000, u'x') + "Eisenmine (9)";
    }

    void sameResultAsCommandLine() {
        QFETCH(QString, text);
        form_->Input->setPlainText(text);
        for (const Button button : {Button::kSabo, Button::kPluen}) {
            QTest::mouseClick(ButtonOf(*form_, button), Qt::LeftButton);
            QCOMPARE(form_->Output->CrLfText(), CommandLineResult(button, text));
        }
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
        form.EditClearMemoClick();
        form.HelpAbout();
        form.SelectFleetCounter();
        QCOMPARE(form.Input->document()->toRawText(), input);
        QCOMPARE(form.Output->CrLfText(), output);

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
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormCommandsTest>(argc, argv);
}

#include "main_form_commands_test.moc"
