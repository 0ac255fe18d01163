// The icon's small sizes as drawn: across the tally marks, every pixel is either mark or tile,
// so the four marks stand apart instead of blurring into one grey band.
#include <QImage>
#include <QtTest>

class IconTest : public QObject {
    Q_OBJECT

  private slots:
    void marksStandApart_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32}) QTest::addRow("%d px", size) << size;
    }

    void marksStandApart() {
        QFETCH(int, size);
        const QImage icon(QStringLiteral(KORVA_ICON_DIR "/korva-counter-%1.png").arg(size));
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.size(), QSize(size, size));

        // A row through the marks above the stroke across them.
        const int y = size * 3 / 10;
        QString row;  // M mark, t tile, ? neither
        for (int x = 0; x < size; ++x) {
            const int grey = qGray(icon.pixel(x, y));
            row += grey >= 200 ? u'M' : grey <= 130 ? u't' : u'?';
        }
        const qsizetype first = row.indexOf(u'M');
        const qsizetype last = row.lastIndexOf(u'M');
        QVERIFY2(first >= 0, qPrintable(row));
        const QString marks = row.mid(first, last - first + 1);
        QVERIFY2(!marks.contains(u'?'), qPrintable(row));
        QVERIFY2(marks.split(u't', Qt::SkipEmptyParts).size() == 4, qPrintable(row));
    }
};

QTEST_APPLESS_MAIN(IconTest)
#include "icon_test.moc"
