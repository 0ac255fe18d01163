// The window's captions as they are drawn, at the scale CTest runs this with (QT_SCALE_FACTOR,
// QT_FONT_DPI): the ink of each caption in the grabbed pixels must be the ink of the designed
// bitmap strike at 96 dpi, times the scale. A bitmap font drawn at a scale it cannot be drawn at
// keeps its small letters and only spreads them apart, so the letters' height shows it at once
// and the width only a little.
#include <QFile>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QScreen>
#include <QtTest>

#include <cmath>

#include <utility>

#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/tests/expose_timeout.hpp"

using namespace korva::qt;

namespace {

const QString kBitmapFile = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");

struct Ink {
    int width;
    int height;
};

// The extent of the dark pixels inside area.
Ink InkIn(const QImage& image, const QRect& area) {
    int left = area.right() + 1, right = area.left() - 1;
    int top = area.bottom() + 1, bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return {std::max(0, right - left + 1), std::max(0, bottom - top + 1)};
}

// What the strike draws for text, pixel for pixel, black on white.
Ink StrikeInk(const QRawFont& strike, const QString& text) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const QList<quint32> glyphs = strike.glyphIndexesForString(text);
    QGlyphRun run;
    run.setRawFont(strike);
    run.setGlyphIndexes(glyphs);
    QList<QPointF> positions;
    QPointF pen(4, 0);
    for (const QPointF& advance : strike.advancesForGlyphIndexes(glyphs)) {
        positions.append(pen);
        pen += advance;
    }
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, 40), run);
    painter.end();
    return InkIn(image, image.rect());
}

// The scale CTest asked Qt for.
double RequestedScale() {
    return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble() *
           qEnvironmentVariable("QT_FONT_DPI", QStringLiteral("96")).toDouble() / 96.0;
}

QScreen* ScreenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) return screen;
    }
    return nullptr;
}

// The window's captions: widget name, pixel size of the strike drawn at 96 dpi, logical pixels
// of bevel around the caption.
void AddCaptionRows() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("strike");
    QTest::addColumn<int>("inset");
    QTest::newRow("Pluen, 8 point") << "Pluen" << 13 << 3;
    QTest::newRow("Label1, 10 point") << "Label1" << 16 << 0;
    QTest::newRow("Label2, 10 point") << "Label2" << 16 << 0;
}

// The caption's ink as drawn must be the strike's at 96 dpi times scale.
void VerifyInk(const QWidget& form, const QString& name, int strike, int inset, double scale) {
    auto* widget = form.findChild<QWidget*>(name);
    QVERIFY(widget);
    const QImage drawn = widget->grab().toImage();
    QCOMPARE(drawn.devicePixelRatio(), scale);
    const int cut = qRound(inset * scale);
    const Ink ink = InkIn(drawn, drawn.rect().adjusted(cut, cut, -cut, -cut));
    const Ink designed =
        StrikeInk(QRawFont(kBitmapFile, strike), widget->property("text").toString());

    const auto near = [scale](int measured, int at_96_dpi, double tolerance) {
        return std::abs(measured / (at_96_dpi * scale) - 1) <= tolerance;
    };
    // At 96 dpi the bitmap itself, pixel for pixel. Scaled, a scalable face of nearly the same
    // widths, whose letters are a little lower than the bitmap's.
    const bool bitmap = scale == 1.0;
    const QByteArray seen =
        QString::asprintf("drawn %d x %d device px, designed %d x %d x %g", ink.width, ink.height,
                          designed.width, designed.height, scale)
            .toUtf8();
    qInfo("%s", seen.constData());
    QVERIFY2(near(ink.width, designed.width, bitmap ? 0 : 0.06), seen.constData());
    QVERIFY2(near(ink.height, designed.height, bitmap ? 0 : 0.15), seen.constData());
}

}  // namespace

class DrawnTextTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        if (!QFile::exists(kBitmapFile)) QSKIP("fonts-wine is not installed");
    }

    void captionInkScales_data() { AddCaptionRows(); }

    void captionInkScales() {
        QFETCH(QString, name);
        QFETCH(int, strike);
        QFETCH(int, inset);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, kExposeTimeoutMs));
        VerifyInk(form, name, strike, inset, RequestedScale());
    }

    // Moved to a screen of twice the scale and back, the window redraws its text for each.
    void captionInkFollowsTheScreen_data() { AddCaptionRows(); }

    void captionInkFollowsTheScreen() {
        QFETCH(QString, name);
        QFETCH(int, strike);
        QFETCH(int, inset);
        QScreen* const plain = ScreenNamed(QStringLiteral("plain"));
        QScreen* const doubled = ScreenNamed(QStringLiteral("double"));
        if (!plain || !doubled) QSKIP("needs the two screens of two_screens.json");
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, kExposeTimeoutMs));
        for (const auto& [screen, scale] : {std::pair{doubled, 2.0}, std::pair{plain, 1.0}}) {
            form.move(screen->geometry().topLeft() + QPoint(196, 141));
            QTRY_COMPARE(form.screen(), screen);
            VerifyInk(form, name, strike, inset, scale);
            if (QTest::currentTestFailed()) return;
        }
    }
};

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv, [](const QString&, const QString&) {});
    DrawnTextTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "drawn_text_test.moc"
