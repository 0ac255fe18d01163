#include "frontends/qt/report_text.hpp"

#include <QStringView>

#include "counters/text/cp1252.hpp"

namespace korva::qt {

std::string ReportBytes(const QTextDocument& report) {
    // Paragraphs are separated by U+2029 in the raw text and nowhere else: the editor turns
    // every CR LF, lone LF and lone CR it is given into a paragraph break, so no block holds
    // either byte and LF marks exactly the editor's own lines.
    QString raw = report.toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QStringView view(raw);
    return korva::Utf16ToCp1252(
        std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}

}  // namespace korva::qt
