// The main window as it is laid out: caption, place and fixed size, where each control sits,
// its caption, enabled state and font, the text boxes' settings, first texts and the menu bar.
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormLayoutTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

  private slots:
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
        const auto* widget = RowsWidget(*form_);
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
        const auto* widget = RowsWidget(*form_);
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
        const QWidget* widget = RowsWidget(*form_);
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
        const auto* popup = qobject_cast<QMenu*>(RowsWidget(*form_));
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
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormLayoutTest>(argc, argv);
}

#include "main_form_layout_test.moc"
