// The error box on screen, and the start-up sequence's handling of failures. Which text each
// failure gets is the failure model's, tested in window.CaughtFailure.
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

#include "frontends/qt/error_display.hpp"
#include "frontends/qt/start_up.hpp"

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
    if (kind == "Exception") throw Exception(u"Fenster fehlt");
    if (kind == "EAbort") throw EAbort();
    if (kind == "std::bad_alloc") throw std::bad_alloc();
    if (kind == "std::runtime_error") throw std::runtime_error("kaputt");
    throw 7;
}

}  // namespace

class ErrorDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KORVA-Counter")); }

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
        ShowEventFailure(std::make_exception_ptr(std::bad_alloc()), ShowCriticalBox);
        QCOMPARE(title, QStringLiteral("KORVA-Counter"));
        QCOMPARE(text, QStringLiteral("Out of memory."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons.size(), 1);
        QVERIFY(modal);
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
