#include "frontends/qt/strike_label.hpp"

#include <QGlyphRun>
#include <QPainter>

#include <utility>

#include "frontends/qt/design_font.hpp"

namespace korva::qt {

StrikeLabel::StrikeLabel(const QString& text, std::optional<QRawFont> strike, QWidget* parent)
    : QLabel(text, parent), strike_(std::move(strike)) {}

void StrikeLabel::paintEvent(QPaintEvent* event) {
    if (!strike_ || !DrawsBitmap(ScaleOf(*this))) {
        QLabel::paintEvent(event);
        return;
    }
    const QRawFont& font = *strike_;
    const QList<quint32> glyphs = font.glyphIndexesForString(text());
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    QPointF pen;
    for (const QPointF& advance : advances) {
        positions.append(pen);
        pen += advance;
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);

    // Left-aligned and centred in height, as QLabel sets its text.
    const QRect box = contentsRect();
    const qreal cell = font.ascent() + font.descent();
    const qreal baseline = box.top() + qRound((box.height() - cell) / 2) + font.ascent();
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawGlyphRun(QPointF(box.left(), baseline), run);
}

}  // namespace korva::qt
