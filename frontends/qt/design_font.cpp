#include "frontends/qt/design_font.hpp"

#include <QFile>
#include <QFontDatabase>
#include <QWidget>

#include <array>

#include "frontends/model/form.hpp"

namespace korva::qt {

namespace {

// Where Debian's fonts-wine puts the file. Fontconfig does not index that folder, so the
// program registers the file itself.
constexpr std::array kDesignFontFiles{"/usr/share/wine/fonts/ms_sans_serif.ttf",
                                      "/usr/share/fonts/truetype/wine/ms_sans_serif.ttf"};

// Scalable, with Arial's advance widths, which are within a pixel or two of the bitmaps' at 8
// and 10 point; also the stand-in where the bitmap font is not installed.
constexpr const char* kScalableFamily = "Liberation Sans";

// Point size at 96 dpi -> pixel size of the strike Windows draws for it (character heights 11
// and 13 px, cells 13 and 16 px).
struct Strike {
    int point_size;
    int pixel_size;
};
constexpr std::array kStrikes{Strike{8, 13}, Strike{10, 16}};

constexpr int kDesignDpi = 96;

std::optional<QString> DesignFontFile() {
    for (const char* path : kDesignFontFiles) {
        if (QFile::exists(QString::fromLatin1(path))) return QString::fromLatin1(path);
    }
    return std::nullopt;
}

void RegisterDesignFont() {
    static const bool registered = [] {
        const std::optional<QString> file = DesignFontFile();
        return file && QFontDatabase::addApplicationFont(*file) >= 0;
    }();
    (void)registered;
}

}  // namespace

TextScale ScaleOf(const QWidget& widget) {
    return {widget.devicePixelRatioF(), widget.logicalDpiY()};
}

bool DrawsBitmap(TextScale scale) {
    return scale.device_pixel_ratio == 1.0 && scale.logical_dpi == kDesignDpi;
}

QFont DesignFont(int point_size, TextScale scale) {
    RegisterDesignFont();
    QFont font;
    font.setFamilies(
        {QString::fromUtf8(korva::form::kFontFamily), QString::fromLatin1(kScalableFamily)});
    font.setPointSize(point_size);
    font.setStyleHint(QFont::SansSerif);
    // Outline fonts only: the bitmap face is passed over for the scalable one.
    if (!DrawsBitmap(scale)) font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

std::optional<QRawFont> DesignStrike(int point_size) {
    const std::optional<QString> file = DesignFontFile();
    if (!file) return std::nullopt;
    for (const Strike& strike : kStrikes) {
        if (strike.point_size != point_size) continue;
        QRawFont raw(*file, qreal(strike.pixel_size));
        if (raw.isValid() && raw.pixelSize() == strike.pixel_size) return raw;
    }
    return std::nullopt;
}

}  // namespace korva::qt
