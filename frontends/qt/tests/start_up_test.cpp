// What start-up sets up for the whole run: Qt's own texts in German.
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

#include "frontends/qt/main_form.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/start_up.hpp"

using namespace korva::qt;

namespace {

// The texts of a menu's entries, separators left out, each without the key after its tab: which
// keys the platform binds (Redo: Ctrl+Y or Ctrl+Shift+Z) is not ours. Every key must be named
// in German, with "Strg".
QStringList EntryTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        const QStringList parts = action->text().split(QLatin1Char('\t'));
        if (parts.size() > 1 && !parts[1].startsWith(QStringLiteral("Strg+"))) texts << parts[1];
        texts << parts[0];
    }
    return texts;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString file =
            QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
        if (!QFile::exists(file)) QSKIP(qPrintable(file + " is missing (qt6-translations-l10n)"));
        QVERIFY(LoadQtTranslations(*qApp));
    }

    // The context menus the user opens on the boxes, in the program's own German, whatever
    // LANG says; Output offers only what a read-only box can do.
    void contextMenusAreGerman() {
        TMainForm form;
        form.Input->selectAll();
        form.Output->selectAll();
        const std::unique_ptr<QMenu> input(form.Input->createStandardContextMenu());
        const std::unique_ptr<QMenu> output(form.Output->createStandardContextMenu());
        QCOMPARE(EntryTexts(*input),
                 QStringList({"&Rückgängig", "Wieder&herstellen", "&Ausschneiden", "&Kopieren",
                              "Einf&ügen", "Löschen", "Alles auswählen"}));
        QCOMPARE(EntryTexts(*output), QStringList({"&Kopieren", "Alles auswählen"}));
    }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
