// The main window: report text on the left, the counter buttons in the middle, the result on
// the right. Its menu bar is shown but stays disabled.
#pragma once

#include <QMainWindow>
#include <QTextDocument>

#include <functional>

#include "counters/tables/counter.hpp"
#include "frontends/model/report_count.hpp"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace korva::qt {

class CountAnnouncer;
class FileDialogComponent;
class ResultBox;

class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // count is for tests, which put a failing one in; the program counts with the core.
    explicit TMainForm(korva::form::WindowCount count = korva::form::Count);

    QMenuBar* MainMenu = nullptr;
    QAction* EditClearMemo = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* FileSaveAsItem = nullptr;
    QAction* FileExitItem = nullptr;
    QAction* EditUndoItem = nullptr;
    QAction* EditCopyResult = nullptr;
    QAction* EditPasteItem = nullptr;
    FileDialogComponent* OpenDialog = nullptr;
    FileDialogComponent* SaveDialog = nullptr;
    QPlainTextEdit* Input = nullptr;
    ResultBox* Output = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Panel1 = nullptr;
    QAction* N3 = nullptr;
    QPushButton* Sabo = nullptr;
    QPushButton* Pluen = nullptr;
    QPushButton* Fleet = nullptr;

    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;

  public slots:
    void FileSaveAs();
    void FileExit();
    void EditUndo();
    void EditPaste();
    void HelpAbout();
    void SelectSaboCounter();
    void SelectPluenCounter();
    void SelectFleetCounter();
    void EditClearMemoClick();
    void EditCopyResultClick();

  private:
    void SetupWindow();
    void SetupMenu();
    void SetupDialogs();
    void SetupLabels(QWidget* client);
    void SetupInput(QWidget* client);
    void SetupPanel(QWidget* client);
    void SetupOutput(QWidget* client);
    void SetupTabOrder();

    // Counts the whole report first; only then is the result box replaced.
    void ShowCount(korva::Counter counter);

    // The handler as Qt is to call it: under the application's event guard.
    std::function<void()> Guarded(void (TMainForm::*handler)());

    const korva::form::WindowCount count_;
    // Says the finished count to screen readers.
    CountAnnouncer* announcer_ = nullptr;
};

}  // namespace korva::qt
