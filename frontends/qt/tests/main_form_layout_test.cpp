// The main window as it is laid out: caption, place and fixed size, where each control sits,
// its caption, enabled state and font, the text boxes' settings, first texts and the menu bar.
#include <QMenu>

#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormLayoutTest : public MainFormTest {
    Q_OBJECT

  private slots:
    void windowCaptionPlaceAndFixedSize() {
        TMainForm& form = *form_;
        QCOMPARE(form.windowTitle(), Text(korva::form::kCaption));
        QCOMPARE(QApplication::applicationName(), Text(korva::form::kApplicationTitle));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("0.3.1.20"));
        QVERIFY(!QApplication::windowIcon().isNull());
        const auto [left, top] = korva::form::kWindowPosition;
        const auto [width, height] = korva::form::kClientSize;
        QCOMPARE(form.pos(), QPoint(left, top));
        QCOMPARE(form.centralWidget()->size(), QSize(width, height));
        QCOMPARE(form.centralWidget()->y(), form.MainMenu->height());
        QCOMPARE(form.size(), QSize(width, height + form.MainMenu->height()));
        QCOMPARE(form.minimumSize(), form.size());
        QCOMPARE(form.maximumSize(), form.size());
        CheckFont(form, korva::form::kWindowPointSize);
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

    // Each control of form.hpp: parent, place, caption, enabled state and font.
    void controls_data() {
        QTest::addColumn<int>("row");
        for (const korva::form::Control& control : korva::form::kControls) {
            QTest::newRow(control.name.data()) << int(korva::form::IndexOf(control.id));
        }
    }

    void controls() {
        QFETCH(int, row);
        const korva::form::Control& control = korva::form::kControls.at(std::size_t(row));
        const auto* widget = RowsWidget(*form_);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(),
                 control.parent == korva::form::Parent::kPanel1 ? QStringLiteral("Panel1")
                                                                : QStringLiteral("ClientArea"));
        const auto [left, top, width, height] = control.rect;
        QCOMPARE(widget->geometry(), QRect(left, top, width, height));
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->isEnabled(), control.enabled);
        if (!control.caption.empty()) {
            QCOMPARE(widget->property("text").toString(), Text(control.caption));
        }
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        CheckFont(*widget, korva::conformance::PointSizeOf(control));
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

    void initialTexts() {
        QCOMPARE(
            form_->Input->document()->toRawText(),
            Text(korva::form::kInitialInput).replace(QStringLiteral("\r\n"), QChar(u'\u2029')));
        QCOMPARE(form_->Output->CrLfText(), Text(korva::form::kInitialOutput));
    }

    // form.hpp's menu, in order, as "name=caption" ("-" for a line), its items indented.
    void menuBar() {
        QCOMPARE(form_->menuBar(), form_->MainMenu);
        QCOMPARE(form_->MainMenu->objectName(), QStringLiteral("MainMenu"));
        QVERIFY(!form_->MainMenu->isNativeMenuBar());
        QStringList expected;
        for (const korva::form::MenuEntry& entry : korva::form::kMenu) {
            const bool top = entry.level == korva::form::MenuLevel::kTop;
            expected << (top ? "" : "  ") + Text(entry.name) + "=" + Text(entry.caption);
        }
        QStringList actual;
        for (const QAction* top : form_->MainMenu->actions()) {
            QVERIFY(top->menu() && !top->isEnabled());
            QCOMPARE(top->menu()->objectName(), top->objectName());
            actual << top->objectName() + "=" + top->menu()->title();
            for (const QAction* item : top->menu()->actions()) {
                QVERIFY(item->isSeparator() || item->isEnabled());
                QVERIFY(item->shortcut().isEmpty());
                actual << "  " + item->objectName() + "=" +
                              (item->isSeparator() ? "-" : item->text());
            }
        }
        QCOMPARE(actual, expected);
    }
};

KORVA_MAIN_FORM_TEST_MAIN(MainFormLayoutTest)

#include "main_form_layout_test.moc"
