// The result box: read-only, selectable, and copying exactly the text it holds, CR LF line
// breaks included, as plain text only.
#pragma once

#include <string>

#include "frontends/model/report_count.hpp"
#include "frontends/qt/crlf_text_edit.hpp"

namespace korva::qt {

class ResultBox : public CrLfTextEdit {
    Q_OBJECT

  public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Replaces the whole text with the count's result text; the caret ends at the end.
    void ShowCount(const korva::form::ShownCount& shown);

    // The whole text with CR LF line breaks, as a copy of everything gives it.
    QString CrLfText() const;

  protected:
    // Reached by Tab or Shift+Tab with the caret after the last CR LF, where a count leaves it,
    // the caret goes to the first line: a screen reader reads the caret's line on focus, and
    // that one is empty.
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace korva::qt
