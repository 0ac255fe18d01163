// The main window as a user meets it: layout, captions, keyboard, what a screen reader reads,
// counts, copying, and failures in a command shown by the event guard while the window goes on
// working.
#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "app/qt/file_dialog_component.hpp"
#include "app/qt/guarded_application.hpp"
#include "app/qt/main_form.hpp"
#include "app/qt/result_box.hpp"
#include "app/qt/start_up.hpp"
#include "app/qt/tests/expected_results.hpp"
#include "counters/cp1252.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/report_lines.hpp"
#include "counters/sabo_counter.hpp"

namespace {

using Shown = std::vector<std::pair<QString, QString>>;

enum class Button { kSabo, kPluen };

QPushButton* ButtonOf(TMainForm& form, Button button) {
    return button == Button::kSabo ? form.Sabo : form.Pluen;
}

struct InputState {
    QString text;
    int position;
    int anchor;
    bool operator==(const InputState&) const = default;
};

InputState StateOf(const QPlainTextEdit& box) {
    return {box.document()->toRawText(), box.textCursor().position(), box.textCursor().anchor()};
}

void Select(QPlainTextEdit& box, int anchor, int position) {
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
}

// What the command line gives for the same text, read as UTF-8 from a file.
QString CommandLineResult(Button button, const QString& text) {
    const std::string bytes = korva::Utf8ToCp1252(text.toStdString());
    const korva::ReportLines lines = korva::DivideIntoLines(bytes);
    const korva::ResultLines result =
        button == Button::kSabo ? korva::SaboCounter(lines) : korva::PluenCounter(lines);
    return QString::fromStdU16String(korva::Cp1252ToUtf16(korva::OutputText(result)));
}

}  // namespace

Q_DECLARE_METATYPE(Button)

class MainFormTest : public QObject {
    Q_OBJECT

  public:
    explicit MainFormTest(Shown& shown) : shown_(shown) {}

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        shown_.clear();
        form_ = std::make_unique<TMainForm>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void windowCaptionPlaceAndFixedSize() {
        TMainForm& form = *form_;
        QCOMPARE(form.windowTitle(), QStringLiteral("KORVA-Counter Alpha 0.3"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("KORVA-Counter"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("0.3.1.20"));
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(form.pos(), QPoint(196, 141));
        QCOMPARE(form.centralWidget()->size(), QSize(633, 385));
        QCOMPARE(form.centralWidget()->y(), form.MainMenu->height());
        QCOMPARE(form.size(), QSize(633, 385 + form.MainMenu->height()));
        QCOMPARE(form.minimumSize(), form.size());
        QCOMPARE(form.maximumSize(), form.size());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        const QSize designed = form.size();
        form.resize(900, 700);
        QCOMPARE(form.size(), designed);
        form.showMinimized();
        QVERIFY(form.isMinimized());
    }

    void controlPlaces_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Label1") << "ClientArea" << QRect(16, 0, 49, 16);
        QTest::newRow("Label2") << "ClientArea" << QRect(376, 0, 54, 16);
        QTest::newRow("Input") << "ClientArea" << QRect(8, 16, 257, 361);
        QTest::newRow("Output") << "ClientArea" << QRect(368, 16, 257, 361);
        QTest::newRow("Panel1") << "ClientArea" << QRect(272, 16, 89, 361);
        QTest::newRow("Sabo") << "Panel1" << QRect(8, 32, 75, 25);
        QTest::newRow("Pluen") << "Panel1" << QRect(8, 64, 75, 25);
        QTest::newRow("Fleet") << "Panel1" << QRect(8, 96, 75, 25);
    }

    void controlPlaces() {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        const auto* widget = RowsWidget();
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isVisible());
    }

    void captionsAndEnabledStates_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Label1") << "Berichte" << true;
        QTest::newRow("Label2") << "Ergebnis" << true;
        QTest::newRow("Sabo") << "Sabo" << true;
        QTest::newRow("Pluen") << "Plünder" << true;
        QTest::newRow("Fleet") << "Flotten" << false;
    }

    void captionsAndEnabledStates() {
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        const auto* widget = RowsWidget();
        QVERIFY(widget);
        QCOMPARE(widget->property("text").toString(), caption);
        QCOMPARE(widget->isEnabled(), enabled);
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }

    // Typing, Tab, read-only Output and its wrapping are checked by what they do, further down.
    void textBoxes() {
        const QPlainTextEdit& input = *form_->Input;
        QCOMPARE(input.lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(input.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(input.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(input.maximumBlockCount(), 0);

        const ResultBox& output = *form_->Output;
        QVERIFY(output.isEnabled());
        QCOMPARE(output.textInteractionFlags(),
                 Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        QCOMPARE(output.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const QColor menu = QApplication::palette("QMenu").color(QPalette::Window);
        QCOMPARE(output.palette().color(QPalette::Active, QPalette::Base), menu);
        QCOMPARE(output.palette().color(QPalette::Inactive, QPalette::Base), menu);
    }

    void fonts_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("MainForm") << 8;
        QTest::newRow("Input") << 8;
        QTest::newRow("Output") << 8;
        QTest::newRow("Sabo") << 8;
        QTest::newRow("Label1") << 10;
        QTest::newRow("Label2") << 10;
    }

    void fonts() {
        QFETCH(int, pointSize);
        const QWidget* widget = RowsWidget();
        QVERIFY(widget);
        QCOMPARE(widget->font().pointSize(), pointSize);
        QCOMPARE(widget->font().family(), QStringLiteral("MS Sans Serif"));
        // Wine's lookalike, where installed, is what is drawn; elsewhere a stand-in.
        if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"))) {
            QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("MS Sans Serif"));
        }
    }

    void initialTexts() {
        QCOMPARE(form_->Input->document()->toRawText(),
                 QStringLiteral("Hier alle Berichte mit allen Zeiten einfügen, dann Funktion "
                                "auswählen.\u2029\u2029Funktionen:\u2029- Plündercounter\u2029- "
                                "Sabotage-counter\u2029"));
        QCOMPARE(form_->Output->CrLfText(), QStringLiteral("Das Ergebnis erscheint hier.\r\n"));
    }

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

    void menuBar_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("FileMenu") << "&Oberfläche"
                                  << QStringList{"FileOpenItem=Bericht ö&ffnen",
                                                 "FileSaveAsItem=Ergebnis &speichern", "N1=-",
                                                 "FileExitItem=&Beenden"};
        QTest::newRow("EditMenu") << "&Editieren"
                                  << QStringList{"EditClearMemo=Beide Fenster &leeren",
                                                 "N3=-",
                                                 "EditPasteItem=Bericht &Einfügen",
                                                 "EditUndoItem=Bericht &Rückgängig",
                                                 "N2=-",
                                                 "EditCopyResult=Ergebnis &Kopieren"};
        QTest::newRow("HelpMenu") << "&Informationen" << QStringList{};
    }

    void menuBar() {
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        QCOMPARE(form_->menuBar(), form_->MainMenu);
        QCOMPARE(form_->MainMenu->objectName(), QStringLiteral("MainMenu"));
        QVERIFY(!form_->MainMenu->isNativeMenuBar());
        const auto* popup = qobject_cast<QMenu*>(RowsWidget());
        QVERIFY(popup);
        QVERIFY(form_->MainMenu->actions().contains(popup->menuAction()));
        QCOMPARE(popup->title(), caption);
        QVERIFY(!popup->menuAction()->isEnabled());
        QStringList actual;
        for (const QAction* item : popup->actions()) {
            QVERIFY(item->isSeparator() || item->isEnabled());
            QVERIFY(item->shortcut().isEmpty());
            actual << item->objectName() + "=" + (item->isSeparator() ? "-" : item->text());
        }
        QCOMPARE(actual, items);
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

    // A screen reader names each box by its label and reads its description.
    void boxesAreNamedByTheirLabels_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("Input") << "Label1"
                               << "Berichte"
                               << "Hier die Berichte einfügen";
        QTest::newRow("Output") << "Label2"
                                << "Ergebnis"
                                << "Ergebnis der letzten Zählung, zum Kopieren";
    }

    void boxesAreNamedByTheirLabels() {
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(RowsWidget());
        QVERIFY(read);
        QCOMPARE(read->role(), QAccessible::EditableText);
        QCOMPARE(read->text(QAccessible::Name), name);
        QCOMPARE(read->text(QAccessible::Description), description);
        const auto labels = read->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->object()->objectName(), label);
        QCOMPARE(labels.front().first->text(QAccessible::Name), name);
    }

    // The items under the disabled menus are read as unavailable and offer nothing to press:
    // a screen reader must not reach "Beenden" where no user can.
    void itemsOfDisabledMenusAreUnavailable() {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form_->MainMenu);
        QVERIFY(bar);
        QStringList read;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* entry = bar->child(i);
            QVERIFY(entry->state().disabled);
            QAccessibleInterface* popup = entry->child(0);
            for (int j = 0; popup && j < popup->childCount(); ++j) {
                QAccessibleInterface* item = popup->child(j);
                QVERIFY(item->state().disabled);
                QCOMPARE(item->parent()->object(), popup->object());
                QAccessibleActionInterface* actions = item->actionInterface();
                QVERIFY(!actions || actions->actionNames().isEmpty());
                if (item->role() == QAccessible::MenuItem) read << item->text(QAccessible::Name);
            }
        }
        QCOMPARE(read, (QStringList{"Bericht öffnen", "Ergebnis speichern", "Beenden",
                                    "Beide Fenster leeren", "Bericht Einfügen",
                                    "Bericht Rückgängig", "Ergebnis Kopieren"}));
    }

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

    void outputCannotBeChanged() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        const QString before = form_->Output->CrLfText();
        QApplication::clipboard()->setText(QStringLiteral("Eisen 5"));
        form_->Output->setFocus();
        QTest::keyClicks(form_->Output, QStringLiteral("abc"));
        for (const QKeySequence::StandardKey key :
             {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Delete, QKeySequence::SelectAll,
              QKeySequence::Cut, QKeySequence::Undo}) {
            QTest::keySequence(form_->Output, key);
        }
        QTest::keyClick(form_->Output, Qt::Key_Backspace);
        QTest::keyClick(form_->Output, Qt::Key_Delete);
        QTest::keyClick(form_->Output, Qt::Key_Return);
        QCOMPARE(form_->Output->CrLfText(), before);

        const std::unique_ptr<QMenu> menu(form_->Output->createStandardContextMenu());
        QStringList offered;
        for (const QAction* action : menu->actions()) offered << action->objectName();
        QVERIFY(offered.contains(QStringLiteral("edit-copy")));
        for (const char* change : {"edit-cut", "edit-paste", "edit-delete", "edit-undo"}) {
            QVERIFY2(!offered.contains(QLatin1String(change)), change);
        }
    }

    void copyGivesTheExactText_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+C") << "Ctrl+C";
        QTest::newRow("Ctrl+Insert") << "Ctrl+Insert";
        QTest::newRow("context menu") << "menu";
        QTest::newRow("EditCopyResultClick") << "command";
    }

    void copyGivesTheExactText() {
        QFETCH(QString, how);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        form_->Input->setPlainText(kSaboReport);
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        QApplication::clipboard()->clear();
        form_->Output->setFocus();
        if (how == "command") {
            form_->EditCopyResultClick();
            QCOMPARE(form_->Output->textCursor().position(), 0);
            QVERIFY(!form_->Output->textCursor().hasSelection());
        } else {
            QTest::keyClick(form_->Output, Qt::Key_A, Qt::ControlModifier);
            if (how == "Ctrl+C") QTest::keyClick(form_->Output, Qt::Key_C, Qt::ControlModifier);
            if (how == "Ctrl+Insert") {
                QTest::keyClick(form_->Output, Qt::Key_Insert, Qt::ControlModifier);
            }
            if (how == "menu") {
                const std::unique_ptr<QMenu> menu(form_->Output->createStandardContextMenu());
                QAction* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy"));
                QVERIFY(copy && copy->isEnabled());
                copy->trigger();
            }
        }
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(data->text(), kSaboReportResult);
    }

    void partialSelectionCopiesWithCrLf() {
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        // From "Ressourcen" in line 1 to "Sili" in line 3.
        Select(*form_->Output, 12, form_->Output->document()->findBlockByNumber(2).position() + 4);
        form_->Output->copy();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Ressourcen gesamt: \r\nEisen = 0\r\nSili"));
    }

    // Report text copied out of Input keeps its CR LF and comes as plain text only.
    void inputCopiesPlainTextWithCrLf_data() {
        QTest::addColumn<QKeySequence::StandardKey>("key");
        QTest::addColumn<QString>("left");
        QTest::newRow("Ctrl+C") << QKeySequence::Copy << "Eisen 1\u2029Silizium 2\u2029Wasser 3";
        QTest::newRow("Ctrl+X") << QKeySequence::Cut << "Eisen ser 3";
    }

    void inputCopiesPlainTextWithCrLf() {
        QFETCH(QKeySequence::StandardKey, key);
        QFETCH(QString, left);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        form_->Input->setPlainText(QStringLiteral("Eisen 1\r\nSilizium 2\r\nWasser 3"));
        form_->Input->setFocus();
        QApplication::clipboard()->clear();
        // From "1" in line 1 to "Was" in line 3.
        Select(*form_->Input, 6, form_->Input->document()->findBlockByNumber(2).position() + 3);
        QTest::keySequence(form_->Input, key);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(data->text(), QStringLiteral("1\r\nSilizium 2\r\nWas"));
        QCOMPARE(form_->Input->document()->toRawText(), left);
    }

    void longResultLineWrapsOnScreenOnly() {
        const QString long_line = QStringLiteral("Eisen = ") + QString(300, u'9');
        form_ = std::make_unique<TMainForm>(ReportCounters{
            CountSaboWithFallback(), [](const QTextDocument&) {
                return korva::ResultLines{"Eisen = " + std::string(300, '9'), "Ende"};
            }});
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        const QTextBlock first = form_->Output->document()->firstBlock();
        QVERIFY(first.layout()->lineCount() > 1);
        form_->EditCopyResultClick();
        QCOMPARE(QApplication::clipboard()->text(), long_line + "\r\nEnde\r\n");
    }

    void failureInCommandIsShownAndWindowGoesOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("shown");
        // Which text each failure gets is checked in window.CaughtFailure; here one of each way
        // through the guard.
        QTest::newRow("Exception") << 0 << QStringList{"Zähler kaputt."};
        QTest::newRow("EAbort is silent") << 1 << QStringList{};
        QTest::newRow("std::bad_alloc") << 2 << QStringList{"Out of memory."};
        QTest::newRow("not even a std::exception")
            << 3 << QStringList{"External exception E06D7363."};
    }

    void failureInCommandIsShownAndWindowGoesOn() {
        QFETCH(int, kind);
        QFETCH(QStringList, shown);
        int calls = 0;
        // Fails on the first click only, after grabbing the mouse as a half-done drag would.
        auto failing_once = [&calls, kind, this](const QTextDocument& report) {
            if (++calls == 1) {
                form_->Output->grabMouse();
                switch (kind) {
                    case 0:
                        throw Exception(u"Zähler kaputt");
                    case 1:
                        throw EAbort();
                    case 2:
                        throw std::bad_alloc();
                    default:
                        throw 42;
                }
            }
            return CountSaboWithFallback()(report);
        };
        form_ = std::make_unique<TMainForm>(ReportCounters{failing_once, CountPluenOnly()});
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->Input->setPlainText(kSaboReport);

        QTest::mouseClick(form_->Sabo, Qt::LeftButton);

        QStringList texts;
        for (const auto& [caption, text] : shown_) {
            QCOMPARE(caption, QStringLiteral("KORVA-Counter"));
            texts << text;
        }
        QCOMPARE(texts, shown);
        QCOMPARE(form_->Output->CrLfText(), QStringLiteral("Das Ergebnis erscheint hier.\r\n"));
        QVERIFY(!QWidget::mouseGrabber());

        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        QCOMPARE(calls, 2);
        QCOMPARE(form_->Output->CrLfText(), kSaboReportResult);
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        QCOMPARE(form_->Output->CrLfText(), PluenResult({}));
        QCOMPARE(shown_.size(), std::size_t(shown.size()));
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

  private:
    // The window, or its control, that the current row's tag names.
    QWidget* RowsWidget() const {
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        return name == form_->objectName() ? form_.get() : form_->findChild<QWidget*>(name);
    }

    static ReportCounter CountSaboWithFallback() { return StandardCounters().sabo; }
    static ReportCounter CountPluenOnly() { return StandardCounters().pluen; }

    Shown& shown_;
    std::unique_ptr<TMainForm> form_;
};

int main(int argc, char** argv) {
    Shown shown;
    GuardedApplication app(argc, argv, [&shown](const QString& caption, const QString& text) {
        shown.emplace_back(caption, text);
    });
    SetApplicationIdentity();
    MainFormTest test(shown);
    return QTest::qExec(&test, argc, argv);
}

#include "main_form_test.moc"
