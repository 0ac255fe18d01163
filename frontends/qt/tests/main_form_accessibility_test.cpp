// What a screen reader reads in the main window: the boxes named by their labels, the items of
// the disabled menus unavailable.
#include <QAccessible>

#include "frontends/qt/tests/main_form_fixture.hpp"

class MainFormAccessibilityTest : public MainFormTest {
    Q_OBJECT

  private slots:
    // A screen reader names each box by its label and reads its description.
    void boxesAreNamedByTheirLabels_data() {
        using korva::form::ControlId;
        const auto row = [](ControlId box, ControlId label, std::string_view description) {
            const korva::form::Control& named = korva::form::ControlOf(label);
            QTest::newRow(korva::form::ControlOf(box).name.data())
                << Text(named.name) << Text(named.caption) << Text(description);
        };
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        row(ControlId::kInput, ControlId::kLabel1, korva::form::kInputDescription);
        row(ControlId::kOutput, ControlId::kLabel2, korva::form::kOutputDescription);
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

KORVA_MAIN_FORM_TEST_MAIN(MainFormAccessibilityTest)

#include "main_form_accessibility_test.moc"
