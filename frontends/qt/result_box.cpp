#include "frontends/qt/result_box.hpp"

#include <QFocusEvent>

#include "frontends/model/report_count.hpp"

namespace korva::qt {

ResultBox::ResultBox(QWidget* parent) : CrLfTextEdit(parent) {
    setReadOnly(true);
    // Keyboard selection too, so that the box can be selected and copied without a mouse.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
}

void ResultBox::ShowCount(const korva::form::ShownCount& shown) {
    const std::u16string text = korva::form::ResultBoxText(shown);
    setPlainText(QString::fromStdU16String(text));
    moveCursor(QTextCursor::End);
}

void ResultBox::focusInEvent(QFocusEvent* event) {
    const bool by_keyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (by_keyboard && !textCursor().hasSelection() && textCursor().atEnd()) {
        moveCursor(QTextCursor::Start);
    }
    CrLfTextEdit::focusInEvent(event);
}

QString ResultBox::CrLfText() const {
    return WithCrLfBreaks(document()->toRawText());
}

}  // namespace korva::qt
