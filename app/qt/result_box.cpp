#include "app/qt/result_box.hpp"

#include <QMimeData>
#include <QTextBlock>

#include "app/window/report_count.hpp"

QString WithCrLfBreaks(QString text) {
    return text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent) {
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

QMimeData* ResultBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(WithCrLfBreaks(textCursor().selectedText()));
    return data;
}
