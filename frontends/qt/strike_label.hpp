// A text label that draws its caption from a bitmap strike given to it, pixel for pixel, where
// Qt's font matching would take another strike. Where the screen's scale cannot draw bitmaps
// true, or without a strike, it is a plain QLabel in its font.
#pragma once

#include <QLabel>
#include <QRawFont>

#include <optional>

namespace korva::qt {

class StrikeLabel : public QLabel {
  public:
    StrikeLabel(const QString& text, std::optional<QRawFont> strike, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const std::optional<QRawFont> strike_;
};

}  // namespace korva::qt
