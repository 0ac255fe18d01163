#include "frontends/qt/scale_follower.hpp"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "frontends/model/form.hpp"
#include "frontends/qt/design_font.hpp"
#include "frontends/qt/first_show.hpp"

namespace korva::qt {

namespace {

void Restyle(QWidget& window) {
    const TextScale scale = ScaleOf(window);
    const QString designed = QString::fromUtf8(korva::form::kFontFamily);
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget->testAttribute(Qt::WA_SetFont) && widget->font().family() == designed) {
            widget->setFont(DesignFont(widget->font().pointSize(), scale));
        }
    }
    // Labels drawn from a bitmap strike choose at each paint.
    window.update();
}

}  // namespace

void FollowScale(QWidget& window) {
    QWidget* const widget = &window;
    OnFirstShow(window, [widget](QWindow& native) {
        QObject::connect(&native, &QWindow::screenChanged, widget, [widget] { Restyle(*widget); });
        Restyle(*widget);
    });
}

}  // namespace korva::qt
