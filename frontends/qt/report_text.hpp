// The text of the report box as the counters see it: Windows-1252 bytes, divided into lines
// exactly as the command line divides a file.
#pragma once

#include <QTextDocument>

#include <string>

#include "counters/text/report_lines.hpp"

namespace korva::qt {

// The document's whole text in Windows-1252, each paragraph (the editor's line) ended by LF but
// the last, and "?" for every character the code page lacks. Read raw, because
// QTextDocument::toPlainText() turns a no-break space into a space and U+2028 into a line break,
// which would change what a count sees.
std::string ReportBytes(const QTextDocument& report);

}  // namespace korva::qt
