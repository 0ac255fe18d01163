#include "frontends/qt/result_box.hpp"

#include "frontends/model/report_count.hpp"

ResultBox::ResultBox(QWidget* parent) : CrLfTextEdit(parent) {
    setReadOnly(true);
    // Keyboard selection too, so that the box can be selected and copied without a mouse.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
}

void ResultBox::ShowLines(const korva::ResultLines& lines) {
    const std::u16string text = korva::form::ResultBoxText(lines);
    setPlainText(QString::fromStdU16String(text));
    moveCursor(QTextCursor::End);
}

QString ResultBox::CrLfText() const {
    return WithCrLfBreaks(document()->toRawText());
}
