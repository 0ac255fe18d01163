// The result box: read-only, selectable, and copying exactly the text it holds, CR LF line
// breaks included, as plain text only.
#pragma once

#include <QPlainTextEdit>

#include <string>

#include "counters/result_lines.hpp"

class ResultBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Replaces the whole text with lines, each followed by CR LF; the caret ends at the end.
    void ShowLines(const korva::ResultLines& lines);

    // The whole text with CR LF line breaks, as a copy of everything gives it.
    QString CrLfText() const;

  protected:
    // Qt's own copy gives LF line breaks and adds an HTML form; the box copies its text as it is.
    QMimeData* createMimeDataFromSelection() const override;
};

// text with each paragraph separator of a QTextDocument turned into CR LF.
QString WithCrLfBreaks(QString text);
