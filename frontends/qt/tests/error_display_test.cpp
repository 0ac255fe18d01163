// The error box on screen, and the start-up sequence's handling of failures. Which text each
// failure gets is the failure model's, tested in window.CaughtFailure.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "frontends/model/tests/conformance.hpp"
#include "frontends/qt/error_display.hpp"
#include "frontends/qt/start_up.hpp"

using namespace korva::qt;

namespace {

using Shown = std::vector<std::pair<QString, QString>>;

ErrorBoxPresenter Recorder(Shown& shown) {
    return [&shown](const QString& caption, const QString& text) {
        shown.emplace_back(caption, text);
    };
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
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < korva::conformance::kFailures.size(); ++i) {
            QTest::newRow(korva::conformance::kFailures[i].name.data()) << int(i);
        }
    }

    void failureLeavingStartUp() {
        QFETCH(int, row);
        const korva::conformance::FailureRow& failure =
            korva::conformance::kFailures.at(std::size_t(row));
        Shown seen;
        std::unique_ptr<QWidget> main_form;
        const int status = RunUntilClosed(
            main_form,
            [&failure]() -> std::unique_ptr<QWidget> {
                auto half_built = std::make_unique<QWidget>();
                korva::conformance::Throw(failure);
            },
            Recorder(seen));
        QCOMPARE(status, 0);
        QVERIFY(!main_form);
        QCOMPARE(seen.size(), std::size_t(1));
        QCOMPARE(seen.front().first, QStringLiteral("KORVA-Counter"));
        QCOMPARE(seen.front().second, QString::fromUtf16(failure.at_start_up));
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
