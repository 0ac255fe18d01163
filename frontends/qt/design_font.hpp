// The window's typeface. Wine's lookalike of "MS Sans Serif" is a bitmap font: fixed grids of
// pixels in three sizes (strikes of 13, 16 and 20 px), which Qt can neither scale nor draw at a
// size between them. So the bitmaps are drawn only where they come out pixel for pixel; at any
// other scale the text takes a scalable sans serif of nearly the same widths, Liberation Sans
// (drawn to Arial's metrics).
#pragma once

#include <QFont>
#include <QRawFont>
#include <QtGlobal>

#include <optional>

class QWidget;

namespace korva::qt {

// How text reaches the screen: device pixels per logical pixel, and logical dots per inch.
struct TextScale {
    qreal device_pixel_ratio;
    int logical_dpi;
};

// The scale of the screen widget is shown on (the first screen before it is shown).
TextScale ScaleOf(const QWidget& widget);

// True where the bitmaps draw as designed: one device pixel per pixel of the 96 dpi layout.
bool DrawsBitmap(TextScale scale);

// The designed face at point_size: the bitmap where it draws as designed, else the scalable
// stand-in. Its family names the designed face either way.
QFont DesignFont(int point_size, TextScale scale);

// The bitmap strike Windows draws for point_size at 96 dpi, read from the font file, when the
// file is installed and has that strike; to be drawn only where DrawsBitmap. Qt's own font
// matching knows only the file's first strike (13 px, 8 point), so larger text needs this.
std::optional<QRawFont> DesignStrike(int point_size);

}  // namespace korva::qt
