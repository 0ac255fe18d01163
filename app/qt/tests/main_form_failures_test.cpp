// Failures in a command, shown by the event guard while the window goes on working.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <cstddef>
#include <memory>

#include "app/qt/main_form.hpp"
#include "app/qt/tests/expected_results.hpp"
#include "app/qt/tests/main_form_fixture.hpp"

class MainFormFailuresTest : public MainFormTest {
    Q_OBJECT

  private slots:
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
        auto failing_once = [&calls, row, this](const QTextDocument& report) {
            if (++calls == 1) {
                form_->Output->grabMouse();
                korva::conformance::Throw(korva::conformance::kFailures.at(std::size_t(row)));
            }
            return CountSaboWithFallback()(report);
        };
        form_ = std::make_unique<TMainForm>(ReportCounters{failing_once, CountPluenOnly()});
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

KORVA_MAIN_FORM_TEST_MAIN(MainFormFailuresTest)

#include "main_form_failures_test.moc"
