#include "frontends/qt/inert_menu_bar.hpp"

#include <QAction>
#include <QEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>

#include <algorithm>

namespace korva::qt {

namespace {

bool NothingCanOpen(const QMenuBar& bar) {
    const QList<QAction*> entries = bar.actions();
    return std::none_of(entries.begin(), entries.end(),
                        [](const QAction* entry) { return entry->isEnabled(); });
}

// The bar's one way into keyboard navigation, by Alt or F10, asks this hint first.
class NoKeyboardNavigationStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        const auto* bar = qobject_cast<const QMenuBar*>(widget);
        if (hint == SH_MenuBar_AltKeyNavigation && bar && NothingCanOpen(*bar)) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// A mnemonic (Alt+O) of a disabled entry would still make it the bar's current entry.
class MnemonicsOff : public QObject {
  public:
    explicit MnemonicsOff(QMenuBar& bar) : QObject(&bar), bar_(bar) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut && NothingCanOpen(bar_)) return true;
        return QObject::eventFilter(watched, event);
    }

  private:
    const QMenuBar& bar_;
};

}  // namespace

void KeepKeyboardOutWhileInert(QMenuBar& bar) {
    // The bar keeps its look: the proxy owns a fresh copy of the style that draws it now.
    auto* style = new NoKeyboardNavigationStyle(QStyleFactory::create(bar.style()->name()));
    style->setParent(&bar);
    bar.setStyle(style);
    bar.installEventFilter(new MnemonicsOff(bar));
}

}  // namespace korva::qt
