// Failures in a command, shown by the event guard while the window goes on working.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <new>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormFailuresTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

  private slots:
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
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
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
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormFailuresTest>(argc, argv);
}

#include "main_form_failures_test.moc"
