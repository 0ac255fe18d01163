// What a screen reader reads in the main window: the boxes named by their labels, the items of
// the disabled menus unavailable.
#include <QAccessible>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormAccessibilityTest : public MainFormTest {
    Q_OBJECT

  public:
    using MainFormTest::MainFormTest;

  private slots:
    // A screen reader names each box by its label and reads its description.
    void boxesAreNamedByTheirLabels_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("Input") << "Label1"
                               << "Berichte"
                               << "Hier die Berichte einfügen";
        QTest::newRow("Output") << "Label2"
                                << "Ergebnis"
                                << "Ergebnis der letzten Zählung, zum Kopieren";
    }

    void boxesAreNamedByTheirLabels() {
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(RowsWidget(*form_));
        QVERIFY(read);
        QCOMPARE(read->role(), QAccessible::EditableText);
        QCOMPARE(read->text(QAccessible::Name), name);
        QCOMPARE(read->text(QAccessible::Description), description);
        const auto labels = read->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->object()->objectName(), label);
        QCOMPARE(labels.front().first->text(QAccessible::Name), name);
    }

    // The items under the disabled menus are read as unavailable and offer nothing to press:
    // a screen reader must not reach "Beenden" where no user can.
    void itemsOfDisabledMenusAreUnavailable() {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form_->MainMenu);
        QVERIFY(bar);
        QStringList read;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* entry = bar->child(i);
            QVERIFY(entry->state().disabled);
            QAccessibleInterface* popup = entry->child(0);
            for (int j = 0; popup && j < popup->childCount(); ++j) {
                QAccessibleInterface* item = popup->child(j);
                QVERIFY(item->state().disabled);
                QCOMPARE(item->parent()->object(), popup->object());
                QAccessibleActionInterface* actions = item->actionInterface();
                QVERIFY(!actions || actions->actionNames().isEmpty());
                if (item->role() == QAccessible::MenuItem) read << item->text(QAccessible::Name);
            }
        }
        QCOMPARE(read, (QStringList{"Bericht öffnen", "Ergebnis speichern", "Beenden",
                                    "Beide Fenster leeren", "Bericht Einfügen",
                                    "Bericht Rückgängig", "Ergebnis Kopieren"}));
    }
};

int main(int argc, char** argv) {
    return RunMainFormTest<MainFormAccessibilityTest>(argc, argv);
}

#include "main_form_accessibility_test.moc"
