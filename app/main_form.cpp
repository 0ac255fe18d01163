#include "app/main_form.hpp"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/file_dialog_component.hpp"
#include "app/guarded_application.hpp"
#include "app/report_text.hpp"
#include "app/result_box.hpp"

namespace {

// Where everything sits, in device-independent pixels (the pixels of a 96 dpi screen): the
// window on the screen, the controls in its client area below the menu bar, the buttons in
// Panel1.
namespace layout {
constexpr QPoint kWindowPosition{196, 141};
constexpr QSize kClientSize{633, 385};
constexpr QRect kLabel1{16, 0, 49, 16};
constexpr QRect kLabel2{376, 0, 54, 16};
constexpr QRect kInput{8, 16, 257, 361};
constexpr QRect kPanel1{272, 16, 89, 361};
constexpr QRect kOutput{368, 16, 257, 361};
constexpr QRect kSabo{8, 32, 75, 25};
constexpr QRect kPluen{8, 64, 75, 25};
constexpr QRect kFleet{8, 96, 75, 25};
constexpr int kWindowPointSize = 8;
constexpr int kLabelPointSize = 10;
}  // namespace layout

constexpr auto kCaption = "KORVA-Counter Alpha 0.3";
constexpr auto kDesignFamily = "MS Sans Serif";
constexpr auto kTextFileFilter = "Textfile (*.txt)";

const QString kInitialInput = QStringLiteral(
    "Hier alle Berichte mit allen Zeiten einfügen, dann Funktion auswählen.\r\n"
    "\r\n"
    "Funktionen:\r\n"
    "- Plündercounter\r\n"
    "- Sabotage-counter\r\n");
const QString kInitialOutput = QStringLiteral("Das Ergebnis erscheint hier.\r\n");

// Wine's free lookalike of MS Sans Serif, where Debian's fonts-wine puts it. Fontconfig does
// not index that folder, so the program registers the file itself. Without it, Qt takes the
// nearest sans-serif font at the same size.
void RegisterDesignFont() {
    static const bool registered = [] {
        for (const char* path : {"/usr/share/wine/fonts/ms_sans_serif.ttf",
                                 "/usr/share/fonts/truetype/wine/ms_sans_serif.ttf"}) {
            if (QFile::exists(QString::fromLatin1(path))) {
                return QFontDatabase::addApplicationFont(QString::fromLatin1(path)) >= 0;
            }
        }
        return false;
    }();
    (void)registered;
}

QFont DesignFont(int point_size) {
    RegisterDesignFont();
    QFont font(QString::fromLatin1(kDesignFamily), point_size);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

template <class Widget>
Widget* Placed(Widget* widget, const char* name, const QRect& rect) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

// The top-level entries are shown greyed and never open, for the whole run.
QMenu* AddDisabledMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->setEnabled(false);
    menu->menuAction()->setEnabled(false);
    return menu;
}

}  // namespace

ReportCounters StandardCounters() {
    return {CountSabo, CountPluen};
}

TMainForm::TMainForm(ReportCounters counters) : counters_(std::move(counters)) {
    setupWindow();
    setupMenu();
    setupDialogs();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(layout::kClientSize);
    setCentralWidget(client);
    setupLabels(client);
    setupInput(client);
    setupPanel(client);
    setupOutput(client);
    setupTabOrder();
    // The menu bar adds its height on top of the fixed client area; nothing resizes the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Input->setFocus();
}

void TMainForm::setupWindow() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    // Close and minimise only: no maximise button, and the fixed size keeps the border fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(layout::kWindowPosition);
    setFont(DesignFont(layout::kWindowPointSize));
    QPalette button_face = palette();
    button_face.setColor(QPalette::Window, button_face.color(QPalette::Button));
    setPalette(button_face);
}

void TMainForm::setupMenu() {
    MainMenu = menuBar();
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    // Kept in the window even where the desktop would move menus into a global menu bar.
    MainMenu->setNativeMenuBar(false);

    FileMenu = AddDisabledMenu(MainMenu, "FileMenu", QStringLiteral("&Oberfläche"));
    FileOpenItem = AddItem(FileMenu, "FileOpenItem", QStringLiteral("Bericht ö&ffnen"));
    FileSaveAsItem = AddItem(FileMenu, "FileSaveAsItem", QStringLiteral("Ergebnis &speichern"));
    N1 = AddSeparator(FileMenu, "N1");
    FileExitItem = AddItem(FileMenu, "FileExitItem", QStringLiteral("&Beenden"));

    EditMenu = AddDisabledMenu(MainMenu, "EditMenu", QStringLiteral("&Editieren"));
    EditClearMemo = AddItem(EditMenu, "EditClearMemo", QStringLiteral("Beide Fenster &leeren"));
    N3 = AddSeparator(EditMenu, "N3");
    EditPasteItem = AddItem(EditMenu, "EditPasteItem", QStringLiteral("Bericht &Einfügen"));
    EditUndoItem = AddItem(EditMenu, "EditUndoItem", QStringLiteral("Bericht &Rückgängig"));
    N2 = AddSeparator(EditMenu, "N2");
    EditCopyResult = AddItem(EditMenu, "EditCopyResult", QStringLiteral("Ergebnis &Kopieren"));

    HelpMenu = AddDisabledMenu(MainMenu, "HelpMenu", QStringLiteral("&Informationen"));

    connect(FileSaveAsItem, &QAction::triggered, this, Guarded(&TMainForm::FileSaveAs));
    connect(FileExitItem, &QAction::triggered, this, Guarded(&TMainForm::FileExit));
    connect(EditClearMemo, &QAction::triggered, this, Guarded(&TMainForm::EditClearMemoClick));
    connect(EditPasteItem, &QAction::triggered, this, Guarded(&TMainForm::EditPaste));
    connect(EditUndoItem, &QAction::triggered, this, Guarded(&TMainForm::EditUndo));
    connect(EditCopyResult, &QAction::triggered, this, Guarded(&TMainForm::EditCopyResultClick));
}

void TMainForm::setupDialogs() {
    const QString filter = QString::fromLatin1(kTextFileFilter);
    OpenDialog = new FileDialogComponent(QStringLiteral("OpenDialog"), QFileDialog::AcceptOpen,
                                         filter, this);
    SaveDialog = new FileDialogComponent(QStringLiteral("SaveDialog"), QFileDialog::AcceptSave,
                                         filter, this);
}

void TMainForm::setupLabels(QWidget* client) {
    const QFont font = DesignFont(layout::kLabelPointSize);
    Label1 = Placed(new QLabel(QStringLiteral("Berichte"), client), "Label1", layout::kLabel1);
    Label2 = Placed(new QLabel(QStringLiteral("Ergebnis"), client), "Label2", layout::kLabel2);
    Label1->setFont(font);
    Label2->setFont(font);
}

void TMainForm::setupInput(QWidget* client) {
    Input = Placed(new QPlainTextEdit(client), "Input", layout::kInput);
    // Long lines scroll sideways, with no scroll bar for it: each line of the box is one
    // report line, however long.
    Input->setLineWrapMode(QPlainTextEdit::NoWrap);
    Input->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Input->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Input->setTabChangesFocus(true);
    Input->setPlainText(kInitialInput);
}

void TMainForm::setupPanel(QWidget* client) {
    Panel1 = Placed(new QFrame(client), "Panel1", layout::kPanel1);
    // A lowered outer bevel around a raised inner one: the etched line of a sunken box.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);

    Sabo = Placed(new QPushButton(QStringLiteral("Sabo"), Panel1), "Sabo", layout::kSabo);
    Pluen = Placed(new QPushButton(QStringLiteral("Plünder"), Panel1), "Pluen", layout::kPluen);
    Fleet = Placed(new QPushButton(QStringLiteral("Flotten"), Panel1), "Fleet", layout::kFleet);
    for (QPushButton* button : {Sabo, Pluen, Fleet}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    Fleet->setEnabled(false);

    connect(Sabo, &QPushButton::clicked, this, Guarded(&TMainForm::SelectSaboCounter));
    connect(Pluen, &QPushButton::clicked, this, Guarded(&TMainForm::SelectPluenCounter));
    connect(Fleet, &QPushButton::clicked, this, Guarded(&TMainForm::SelectFleetCounter));
}

void TMainForm::setupOutput(QWidget* client) {
    Output = Placed(new ResultBox(client), "Output", layout::kOutput);
    Output->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Output->setTabChangesFocus(true);
    // Qt has no palette role for the menu colour; the palette Qt gives menus has it.
    QPalette menu_colour = Output->palette();
    menu_colour.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    Output->setPalette(menu_colour);
    Output->setPlainText(kInitialOutput);
}

void TMainForm::setupTabOrder() {
    setTabOrder(Input, Output);
    setTabOrder(Output, Sabo);
    setTabOrder(Sabo, Pluen);
    setTabOrder(Pluen, Fleet);
}

std::function<void()> TMainForm::Guarded(void (TMainForm::*handler)()) {
    return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
}

void TMainForm::ShowCount(const ReportCounter& count) {
    const korva::ResultLines lines = count(*Input->document());
    Output->ShowLines(lines);
}

void TMainForm::SelectSaboCounter() {
    ShowCount(counters_.sabo);
}

void TMainForm::SelectPluenCounter() {
    ShowCount(counters_.pluen);
}

void TMainForm::SelectFleetCounter() {}

void TMainForm::FileSaveAs() {
    SaveDialog->Execute(this);
}

void TMainForm::FileExit() {
    close();
}

void TMainForm::EditUndo() {
    Input->undo();
}

void TMainForm::EditPaste() {
    Input->paste();
}

void TMainForm::HelpAbout() {}

void TMainForm::EditClearMemoClick() {}

void TMainForm::EditCopyResultClick() {
    Output->selectAll();
    Output->copy();
    QTextCursor start = Output->textCursor();
    start.setPosition(0);
    Output->setTextCursor(start);
    Output->ensureCursorVisible();
}
