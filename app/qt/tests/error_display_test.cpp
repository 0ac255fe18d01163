// The error box's text and the start-up sequence's handling of failures.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/qt/error_display.hpp"
#include "app/qt/start_up.hpp"

namespace {

using Shown = std::vector<std::pair<QString, QString>>;

ErrorBoxPresenter Recorder(Shown& shown) {
    return [&shown](const QString& caption, const QString& text) {
        shown.emplace_back(caption, text);
    };
}

// Throws the failure a row names.
[[noreturn]] void Throw(const QString& kind) {
    if (kind == "Exception") throw Exception(QStringLiteral("Fenster fehlt"));
    if (kind == "EAbort") throw EAbort();
    if (kind == "EOutOfMemory") throw EOutOfMemory();
    if (kind == "EExternalException") throw EExternalException(0x0000ABCD);
    if (kind == "bad_alloc") throw std::bad_alloc();
    if (kind == "runtime_error") throw std::runtime_error("kaputt");
    throw 7;
}

}  // namespace

class ErrorDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KORVA-Counter")); }

    void periodRule_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Out of memory"
                                << "Out of memory.";
        QTest::newRow("period") << "Fehler."
                                << "Fehler.";
        QTest::newRow("exclamation mark") << "Fehler!"
                                          << "Fehler!";
        QTest::newRow("question mark") << "Wirklich?"
                                       << "Wirklich?.";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("umlaut") << "Datei zu groß für Ä"
                                << "Datei zu groß für Ä.";
        QTest::newRow("colon") << "Grund:"
                               << "Grund:.";
        QTest::newRow("slash, 47") << "a/"
                                   << "a/.";
        QTest::newRow("digit") << "Fehler 42"
                               << "Fehler 42.";
        QTest::newRow("zero digit") << "0"
                                    << "0.";
        QTest::newRow("comma") << "a,"
                               << "a,";
        QTest::newRow("hyphen, 45") << "a-"
                                    << "a-";
        QTest::newRow("closing bracket") << "(a)"
                                         << "(a)";
        QTest::newRow("apostrophe") << "'a'"
                                    << "'a'";
        QTest::newRow("blank") << "Fehler "
                               << "Fehler ";
        QTest::newRow("tab") << "Fehler\t"
                             << "Fehler\t";
        QTest::newRow("line break") << "Fehler\n"
                                    << "Fehler\n";
        QTest::newRow("only a period") << "."
                                       << ".";
        QTest::newRow("euro sign, 0x80 in Windows-1252") << "5 €"
                                                         << "5 €.";
        QTest::newRow("no-break space, 0xA0") << "a\u00A0"
                                              << "a\u00A0.";
        QTest::newRow("outside Windows-1252") << "Ω"
                                              << "Ω.";
        QTest::newRow("outside the BMP") << "😀"
                                         << "😀.";
        QTest::newRow("DEL, 127") << "a\x7F"
                                  << "a\x7F.";
    }

    void periodRule() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(WithClosingPeriod(message), shown);
    }

    void criticalBox() {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons();
            modal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        });
        ShowErrorBox(EOutOfMemory(), ShowCriticalBox);
        QCOMPARE(title, QStringLiteral("KORVA-Counter"));
        QCOMPARE(text, QStringLiteral("Out of memory."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons.size(), 1);
        QVERIFY(modal);
    }

    void externalExceptionNumber() {
        QCOMPARE(EExternalException(kForeignFailureCode).Message(),
                 QStringLiteral("External exception E06D7363"));
        QCOMPARE(EExternalException(0x00000AB0).Message(),
                 QStringLiteral("External exception AB0"));
    }

    void failureLeavingAnEvent_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Exception") << "Exception" << QStringList{"Fenster fehlt."};
        QTest::newRow("EAbort") << "EAbort" << QStringList{};
        QTest::newRow("EOutOfMemory") << "EOutOfMemory" << QStringList{"Out of memory."};
        QTest::newRow("EExternalException")
            << "EExternalException" << QStringList{"External exception ABCD."};
        QTest::newRow("std::bad_alloc") << "bad_alloc" << QStringList{"Out of memory."};
        QTest::newRow("std::runtime_error")
            << "runtime_error" << QStringList{"External exception E06D7363."};
        QTest::newRow("int") << "int" << QStringList{"External exception E06D7363."};
    }

    void failureLeavingAnEvent() {
        QFETCH(QString, kind);
        QFETCH(QStringList, shown);
        Shown seen;
        try {
            Throw(kind);
        } catch (...) {
            ShowEventFailure(std::current_exception(), Recorder(seen));
        }
        QStringList texts;
        for (const auto& [caption, text] : seen) {
            QCOMPARE(caption, QStringLiteral("KORVA-Counter"));
            texts << text;
        }
        QCOMPARE(texts, shown);
    }

    // At start-up even EAbort is shown, and a failure the program does not know shows an
    // empty box.
    void failureLeavingStartUp_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Exception") << "Exception"
                                   << "Fenster fehlt.";
        QTest::newRow("EAbort") << "EAbort"
                                << "Operation aborted.";
        QTest::newRow("std::bad_alloc") << "bad_alloc"
                                        << "Out of memory.";
        QTest::newRow("std::runtime_error") << "runtime_error"
                                            << "";
        QTest::newRow("int") << "int"
                             << "";
    }

    void failureLeavingStartUp() {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        Shown seen;
        std::unique_ptr<QWidget> main_form;
        const int status = RunUntilClosed(
            main_form,
            [&kind]() -> std::unique_ptr<QWidget> {
                auto half_built = std::make_unique<QWidget>();
                Throw(kind);
            },
            Recorder(seen));
        QCOMPARE(status, 0);
        QVERIFY(!main_form);
        QCOMPARE(seen.size(), std::size_t(1));
        QCOMPARE(seen.front().first, QStringLiteral("KORVA-Counter"));
        QCOMPARE(seen.front().second, shown);
    }

    void closingTheWindowEndsTheRun() {
        Shown seen;
        std::unique_ptr<QWidget> main_form;
        QWidget* shown_form = nullptr;
        const int status = RunUntilClosed(
            main_form,
            [&shown_form] {
                auto form = std::make_unique<QWidget>();
                shown_form = form.get();
                QTimer::singleShot(0, form.get(), [form = form.get()] {
                    QVERIFY(form->isVisible());
                    form->close();
                });
                return form;
            },
            Recorder(seen));
        QCOMPARE(status, 0);
        QCOMPARE(main_form.get(), shown_form);
        QVERIFY(seen.empty());
    }
};

QTEST_MAIN(ErrorDisplayTest)
#include "error_display_test.moc"
