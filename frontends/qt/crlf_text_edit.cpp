#include "frontends/qt/crlf_text_edit.hpp"

#include <QMimeData>

namespace korva::qt {

QString WithCrLfBreaks(QString text) {
    return text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

CrLfTextEdit::CrLfTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

QMimeData* CrLfTextEdit::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(WithCrLfBreaks(textCursor().selectedText()));
    return data;
}

}  // namespace korva::qt
