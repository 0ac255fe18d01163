// The report box's text as the counters receive it: one Windows-1252 line per line of the box.
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <string>
#include <vector>

#include "frontends/qt/report_text.hpp"

using namespace korva::qt;

using Lines = std::vector<std::string>;
Q_DECLARE_METATYPE(Lines)

class ReportTextTest : public QObject {
    Q_OBJECT

  private slots:
    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("empty") << "" << Lines{};
        QTest::newRow("one line") << "abc" << Lines{"abc"};
        QTest::newRow("final break") << "abc\r\n" << Lines{"abc"};
        QTest::newRow("two final breaks") << "abc\r\n\r\n" << Lines{"abc", ""};
        QTest::newRow("leading break") << "\r\nabc" << Lines{"", "abc"};
        QTest::newRow("empty line inside") << "a\r\n\r\nb" << Lines{"a", "", "b"};
        QTest::newRow("last line of blanks") << "a\r\n   " << Lines{"a", "   "};
        QTest::newRow("lone LF and lone CR") << "a\nb\rc\n\rd" << Lines{"a", "b", "c", "", "d"};
        QTest::newRow("only a break") << "\n" << Lines{""};
        QTest::newRow("U+2028 stays inside its line") << "a\u2028b" << Lines{"a?b"};
        QTest::newRow("no-break space keeps its byte") << "a\u00A012"
                                                       << Lines{
                                                              "a\xA0"
                                                              "12"};
        QTest::newRow("umlauts and euro sign") << "äöüß€" << Lines{"\xE4\xF6\xFC\xDF\x80"};
        QTest::newRow("outside the BMP is one ?") << "x😀y" << Lines{"x?y"};
        QTest::newRow("tab kept") << "Eisen\t5" << Lines{"Eisen\t5"};
        QTest::newRow("line of 5000 bytes is not cut") << QString(5000, u'x') + "\n"
                                                       << Lines{std::string(5000, 'x')};
    }

    void lines() {
        QFETCH(QString, text);
        QFETCH(Lines, lines);
        QTextDocument document;
        document.setPlainText(text);
        Lines actual;
        const std::string bytes = ReportBytes(document);
        for (const std::string_view line : korva::DivideIntoLines(bytes)) actual.emplace_back(line);
        QCOMPARE(actual, lines);
    }

    // Typing is not setPlainText: lines split by the editor's own Enter end the same way.
    void blocksMadeByEditing() {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("Eisen 1"));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Eisen 2"));
        cursor.insertBlock();
        QCOMPARE(ReportBytes(document), std::string("Eisen 1\nEisen 2\n"));
    }
};

QTEST_MAIN(ReportTextTest)
#include "report_text_test.moc"
