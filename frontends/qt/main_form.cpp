#include "frontends/qt/main_form.hpp"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <map>
#include <optional>
#include <string_view>

#include "frontends/model/form.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/qt/count_announcer.hpp"
#include "frontends/qt/crlf_text_edit.hpp"
#include "frontends/qt/design_font.hpp"
#include "frontends/qt/enter_clicks.hpp"
#include "frontends/qt/file_dialog_component.hpp"
#include "frontends/qt/frame_place.hpp"
#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/inert_menu_bar.hpp"
#include "frontends/qt/report_text.hpp"
#include "frontends/qt/result_box.hpp"
#include "frontends/qt/scale_follower.hpp"
#include "frontends/qt/strike_label.hpp"
#include "frontends/qt/unavailable_menu_items.hpp"

namespace korva::qt {

namespace {

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8);
}

using korva::form::ControlId;

QRect PlaceOf(ControlId id) {
    const korva::form::Rect r = korva::form::ControlOf(id).rect;
    return {r.left, r.top, r.width, r.height};
}

QString CaptionOf(ControlId id) {
    return Text(korva::form::ControlOf(id).caption);
}

template <class Widget>
Widget* Placed(Widget* widget, ControlId id) {
    widget->setObjectName(Text(korva::form::ControlOf(id).name));
    widget->setGeometry(PlaceOf(id));
    widget->setEnabled(korva::form::ControlOf(id).enabled);
    return widget;
}

// A text box as both boxes are: named for screen readers by its label, scrolled up and down
// with a bar that is always there, never sideways, and left by Tab.
void SetUpBox(QPlainTextEdit& box, QLabel& label, ControlId label_id,
              std::string_view description) {
    label.setBuddy(&box);
    box.setAccessibleName(CaptionOf(label_id));
    box.setAccessibleDescription(Text(description));
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setTabChangesFocus(true);
}

}  // namespace

TMainForm::TMainForm(korva::form::WindowCount count) : count_(std::move(count)) {
    SetupWindow();
    SetupMenu();
    SetupDialogs();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(korva::form::kClientSize.width, korva::form::kClientSize.height);
    setCentralWidget(client);
    SetupLabels(client);
    SetupInput(client);
    SetupPanel(client);
    SetupOutput(client);
    SetupTabOrder();
    // The menu bar adds its height on top of the fixed client area; nothing resizes the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Input->setFocus();
}

void TMainForm::SetupWindow() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Text(korva::form::kCaption));
    // Close and minimise only: no maximise button, and the fixed size keeps the border fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    PlaceFrameAt(*this, {korva::form::kWindowPosition.left, korva::form::kWindowPosition.top});
    setFont(DesignFont(korva::form::kWindowPointSize, ScaleOf(*this)));
    FollowScale(*this);
    QPalette button_face = palette();
    button_face.setColor(QPalette::Window, button_face.color(QPalette::Button));
    setPalette(button_face);
}

void TMainForm::SetupMenu() {
    MainMenu = menuBar();
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    // Kept in the window even where the desktop would move menus into a global menu bar.
    MainMenu->setNativeMenuBar(false);
    KeepKeyboardOutWhileInert(*MainMenu);
    ReportItemsOfDisabledMenusUnavailable();

    const std::map<korva::form::Command, void (TMainForm::*)()> handlers{
        {korva::form::Command::kFileSaveAs, &TMainForm::FileSaveAs},
        {korva::form::Command::kFileExit, &TMainForm::FileExit},
        {korva::form::Command::kEditUndo, &TMainForm::EditUndo},
        {korva::form::Command::kEditPaste, &TMainForm::EditPaste},
        {korva::form::Command::kEditClearMemo, &TMainForm::EditClearMemoClick},
        {korva::form::Command::kEditCopyResult, &TMainForm::EditCopyResultClick},
    };
    const std::map<std::string_view, QMenu**> menus{
        {"FileMenu", &FileMenu}, {"EditMenu", &EditMenu}, {"HelpMenu", &HelpMenu}};
    const std::map<std::string_view, QAction**> items{
        {"FileOpenItem", &FileOpenItem},     {"FileSaveAsItem", &FileSaveAsItem}, {"N1", &N1},
        {"FileExitItem", &FileExitItem},     {"EditClearMemo", &EditClearMemo},   {"N3", &N3},
        {"EditPasteItem", &EditPasteItem},   {"EditUndoItem", &EditUndoItem},     {"N2", &N2},
        {"EditCopyResult", &EditCopyResult},
    };

    QMenu* menu = nullptr;
    for (const korva::form::MenuEntry& entry : korva::form::kMenu) {
        const QString name = Text(entry.name);
        if (entry.level == korva::form::MenuLevel::kTop) {
            menu = MainMenu->addMenu(Text(entry.caption));
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            // Shown greyed and never opening, for the whole run.
            menu->setEnabled(entry.enabled);
            menu->menuAction()->setEnabled(entry.enabled);
            *menus.at(entry.name) = menu;
            continue;
        }
        QAction* item = entry.level == korva::form::MenuLevel::kSeparator
                            ? menu->addSeparator()
                            : menu->addAction(Text(entry.caption));
        item->setObjectName(name);
        item->setEnabled(entry.enabled);
        *items.at(entry.name) = item;
        if (const auto handler = handlers.find(entry.command); handler != handlers.end()) {
            connect(item, &QAction::triggered, this, Guarded(handler->second));
        }
    }
}

void TMainForm::SetupDialogs() {
    const QString filter = QStringLiteral("%1 (%2)").arg(Text(korva::form::kTextFileFilterName),
                                                         Text(korva::form::kTextFileFilterPattern));
    OpenDialog = new FileDialogComponent(QStringLiteral("OpenDialog"), QFileDialog::AcceptOpen,
                                         filter, this);
    SaveDialog = new FileDialogComponent(QStringLiteral("SaveDialog"), QFileDialog::AcceptSave,
                                         filter, this);
}

void TMainForm::SetupLabels(QWidget* client) {
    const TextScale scale = ScaleOf(*this);
    const QFont font = DesignFont(korva::form::kLabelPointSize, scale);
    const std::optional<QRawFont> strike = DesignStrike(korva::form::kLabelPointSize);
    Label1 =
        Placed(new StrikeLabel(CaptionOf(ControlId::kLabel1), strike, client), ControlId::kLabel1);
    Label2 =
        Placed(new StrikeLabel(CaptionOf(ControlId::kLabel2), strike, client), ControlId::kLabel2);
    Label1->setFont(font);
    Label2->setFont(font);
}

void TMainForm::SetupInput(QWidget* client) {
    Input = Placed(new CrLfTextEdit(client), ControlId::kInput);
    SetUpBox(*Input, *Label1, ControlId::kLabel1, korva::form::kInputDescription);
    // Long lines scroll sideways, with no scroll bar for it: each line of the box is one
    // report line, however long.
    Input->setLineWrapMode(QPlainTextEdit::NoWrap);
    Input->setPlainText(Text(korva::form::kInitialInput));
    // The help text is selected, so that the first paste or typing replaces it instead of
    // running into its first line.
    Input->selectAll();
}

void TMainForm::SetupPanel(QWidget* client) {
    Panel1 = Placed(new QFrame(client), ControlId::kPanel1);
    // A lowered outer bevel around a raised inner one: the etched line of a sunken box.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);

    Sabo = Placed(new QPushButton(CaptionOf(ControlId::kSabo), Panel1), ControlId::kSabo);
    Pluen = Placed(new QPushButton(CaptionOf(ControlId::kPluen), Panel1), ControlId::kPluen);
    Fleet = Placed(new QPushButton(CaptionOf(ControlId::kFleet), Panel1), ControlId::kFleet);
    for (QPushButton* button : {Sabo, Pluen, Fleet}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        ClickOnEnter(*button);
    }

    connect(Sabo, &QPushButton::clicked, this, Guarded(&TMainForm::SelectSaboCounter));
    connect(Pluen, &QPushButton::clicked, this, Guarded(&TMainForm::SelectPluenCounter));
    connect(Fleet, &QPushButton::clicked, this, Guarded(&TMainForm::SelectFleetCounter));
}

void TMainForm::SetupOutput(QWidget* client) {
    Output = Placed(new ResultBox(client), ControlId::kOutput);
    SetUpBox(*Output, *Label2, ControlId::kLabel2, korva::form::kOutputDescription);
    Output->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Qt has no palette role for the menu colour; the palette Qt gives menus has it.
    QPalette menu_colour = Output->palette();
    menu_colour.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    Output->setPalette(menu_colour);
    Output->setPlainText(Text(korva::form::kInitialOutput));
    announcer_ = new CountAnnouncer(client);
}

void TMainForm::SetupTabOrder() {
    setTabOrder(Input, Output);
    setTabOrder(Output, Sabo);
    setTabOrder(Sabo, Pluen);
    setTabOrder(Pluen, Fleet);
}

std::function<void()> TMainForm::Guarded(void (TMainForm::*handler)()) {
    return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
}

void TMainForm::ShowCount(korva::Counter counter) {
    const korva::form::ShownCount shown = count_(counter, ReportBytes(*Input->document()));
    Output->ShowCount(shown);
    announcer_->Announce(QString::fromStdString(shown.announcement));
}

void TMainForm::SelectSaboCounter() {
    ShowCount(korva::Counter::kSabo);
}

void TMainForm::SelectPluenCounter() {
    ShowCount(korva::Counter::kPluen);
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

}  // namespace korva::qt
