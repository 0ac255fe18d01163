// What the clipboard gets from the main window, and that the result box takes nothing from it
// nor from the keyboard.
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormClipboardTest : public MainFormTest {
    Q_OBJECT

  private slots:
    // Each edit from all of Output selected.
    void outputCannotBeChanged() {
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        const QString before = form_->Output->CrLfText();
        QApplication::clipboard()->setText(QStringLiteral("Eisen 5"));
        form_->Output->setFocus();
        for (const korva::conformance::Keystroke& edit : korva::conformance::kOutputEdits) {
            QTest::keySequence(form_->Output, QKeySequence::SelectAll);
            QTest::keyClick(form_->Output, QtKey(edit), ModifiersOf(edit));
            QVERIFY2(form_->Output->CrLfText() == before, edit.name.data());
        }

        const std::unique_ptr<QMenu> menu(form_->Output->createStandardContextMenu());
        QStringList offered;
        for (const QAction* action : menu->actions()) offered << action->objectName();
        QVERIFY(offered.contains(QStringLiteral("edit-copy")));
        for (const char* change : {"edit-cut", "edit-paste", "edit-delete", "edit-undo"}) {
            QVERIFY2(!offered.contains(QLatin1String(change)), change);
        }
    }

    // The keys of the table, the menu's command, and Qt's context menu.
    void copyGivesTheExactText_data() {
        QTest::addColumn<int>("keys");
        for (std::size_t i = 0; i < korva::conformance::kCopyKeys.size(); ++i) {
            QTest::newRow(korva::conformance::kCopyKeys[i].name.data()) << int(i);
        }
        QTest::newRow("EditCopyResultClick") << -1;
        QTest::newRow("context menu") << -2;
    }

    void copyGivesTheExactText() {
        QFETCH(int, keys);
        form_->Input->setPlainText(kSaboReport);
        QTest::mouseClick(form_->Sabo, Qt::LeftButton);
        QApplication::clipboard()->clear();
        form_->Output->setFocus();
        if (keys == -1) {
            form_->EditCopyResultClick();
            QCOMPARE(form_->Output->textCursor().position(), 0);
            QVERIFY(!form_->Output->textCursor().hasSelection());
        } else {
            QTest::keyClick(form_->Output, Qt::Key_A, Qt::ControlModifier);
            if (keys >= 0) {
                const auto& stroke = korva::conformance::kCopyKeys.at(std::size_t(keys));
                QTest::keyClick(form_->Output, QtKey(stroke), ModifiersOf(stroke));
            } else {
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
        form_ = std::make_unique<TMainForm>([](korva::Counter counter, std::string_view) {
            return korva::form::Shown(counter, {"Eisen = " + std::string(300, '9'), "Ende"});
        });
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get(), kExposeTimeoutMs));
        QTest::mouseClick(form_->Pluen, Qt::LeftButton);
        const QTextBlock first = form_->Output->document()->firstBlock();
        QVERIFY(first.layout()->lineCount() > 1);
        form_->EditCopyResultClick();
        QCOMPARE(QApplication::clipboard()->text(), long_line + "\r\nEnde\r\n");
    }
};

KORVA_MAIN_FORM_TEST_MAIN(MainFormClipboardTest)

#include "main_form_clipboard_test.moc"
