// What the clipboard gets from the main window, and that the result box takes nothing from it
// nor from the keyboard.
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <memory>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/expected_results.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormClipboardTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

  private slots:
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
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        const QTextBlock first = form_->Output->document()->firstBlock();
        QVERIFY(first.layout()->lineCount() > 1);
        form_->EditCopyResultClick();
        QCOMPARE(QApplication::clipboard()->text(), long_line + "\r\nEnde\r\n");
    }
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormClipboardTest>(argc, argv);
}

#include "main_form_clipboard_test.moc"
