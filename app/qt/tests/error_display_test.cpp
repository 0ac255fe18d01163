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

// Throws the failure the current row's tag names.
[[noreturn]] void ThrowTheRowsFailure() {
    const QLatin1StringView kind(QTest::currentDataTag());
    if (kind == "Exception") throw Exception(QStringLiteral("Fenster fehlt"));
    if (kind == "EAbort") throw EAbort();
    if (kind == "EOutOfMemory") throw EOutOfMemory();
    if (kind == "EExternalException") throw EExternalException(0x0000ABCD);
    if (kind == "std::bad_alloc") throw std::bad_alloc();
    if (kind == "std::runtime_error") throw std::runtime_error("kaputt");
    throw 7;
}

}  // namespace

class ErrorDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KORVA-Counter")); }

    // The rule itself is checked for every last character in window.ClosingPeriod; these rows
    // check that the QString reaches it whole: empty, surrogate pairs, units from 0x80 on.
    void periodRule_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("period");
        QTest::newRow("letter") << "Out of memory" << true;
        QTest::newRow("period") << "Fehler." << false;
        QTest::newRow("exclamation mark") << "Fehler!" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("line break") << "Fehler\n" << false;
        QTest::newRow("euro sign, 0x80 in Windows-1252") << "5 €" << true;
        QTest::newRow("outside Windows-1252") << "Ω" << true;
        QTest::newRow("outside the BMP") << "😀" << true;
    }

    void periodRule() {
        QFETCH(QString, message);
        QFETCH(bool, period);
        QCOMPARE(WithClosingPeriod(message), period ? message + "." : message);
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
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Exception") << QStringList{"Fenster fehlt."};
        QTest::newRow("EAbort") << QStringList{};
        QTest::newRow("EOutOfMemory") << QStringList{"Out of memory."};
        QTest::newRow("EExternalException") << QStringList{"External exception ABCD."};
        QTest::newRow("std::bad_alloc") << QStringList{"Out of memory."};
        QTest::newRow("std::runtime_error") << QStringList{"External exception E06D7363."};
        QTest::newRow("int") << QStringList{"External exception E06D7363."};
    }

    void failureLeavingAnEvent() {
        QFETCH(QStringList, shown);
        Shown seen;
        try {
            ThrowTheRowsFailure();
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
        QTest::addColumn<QString>("shown");
        QTest::newRow("Exception") << "Fenster fehlt.";
        QTest::newRow("EAbort") << "Operation aborted.";
        QTest::newRow("std::bad_alloc") << "Out of memory.";
        QTest::newRow("std::runtime_error") << "";
        QTest::newRow("int") << "";
    }

    void failureLeavingStartUp() {
        QFETCH(QString, shown);
        Shown seen;
        std::unique_ptr<QWidget> main_form;
        const int status = RunUntilClosed(
            main_form,
            []() -> std::unique_ptr<QWidget> {
                auto half_built = std::make_unique<QWidget>();
                ThrowTheRowsFailure();
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
