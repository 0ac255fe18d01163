// The result box: read-only, selectable, and copying exactly the text it holds, CR LF line
// breaks included, as plain text only.
#pragma once

#include <string>

#include "counters/result_lines.hpp"
#include "frontends/qt/crlf_text_edit.hpp"

class ResultBox : public CrLfTextEdit {
    Q_OBJECT

  public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Replaces the whole text with lines, each followed by CR LF; the caret ends at the end.
    void ShowLines(const korva::ResultLines& lines);

    // The whole text with CR LF line breaks, as a copy of everything gives it.
    QString CrLfText() const;
};
