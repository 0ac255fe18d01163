// A text box whose copy, cut and drag give exactly its text as plain text, line breaks as
// CR LF: what the boxes hold is report text, and the reports' own line breaks are CR LF.
#pragma once

#include <QPlainTextEdit>

namespace korva::qt {

class CrLfTextEdit : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit CrLfTextEdit(QWidget* parent = nullptr);

  protected:
    // Qt's own copy gives LF line breaks and adds HTML, Markdown and ODF forms.
    QMimeData* createMimeDataFromSelection() const override;
};

// text with each paragraph separator of a QTextDocument turned into CR LF.
QString WithCrLfBreaks(QString text);

}  // namespace korva::qt
