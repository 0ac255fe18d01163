#include "frontends/qt/unavailable_menu_items.hpp"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

namespace korva::qt {

namespace {

// "Bericht ö&ffnen" is read "Bericht öffnen"; "&&" stands for one "&".
QString WithoutMnemonicMarks(const QString& caption) {
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        name += caption[i];
    }
    return name;
}

class UnavailableMenuItem : public QAccessibleInterface {
  public:
    UnavailableMenuItem(QMenu& menu, QAction& item) : menu_(&menu), item_(&item) {}

    bool isValid() const override { return menu_ && item_; }
    QObject* object() const override { return item_; }
    QWindow* window() const override {
        const QAccessibleInterface* owner = parent();
        return owner ? owner->window() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QAccessible::Role role() const override {
        return item_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.disabled = true;
        state.invisible = !menu_->isVisible() || !item_->isVisible();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return WithoutMnemonicMarks(item_->text());
        if (kind == QAccessible::Accelerator)
            return QKeySequence::mnemonic(item_->text()).toString();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        return menu_->actionGeometry(item_).translated(menu_->mapToGlobal(QPoint(0, 0)));
    }

  private:
    QPointer<QMenu> menu_;
    QPointer<QAction> item_;
};

QAccessibleInterface* ItemOfDisabledMenu(const QString& class_name, QObject* object) {
    auto* item = qobject_cast<QAction*>(object);
    if (!item || class_name != QLatin1String("QAction")) return nullptr;
    auto* menu = qobject_cast<QMenu*>(item->parent());
    if (!menu || menu->isEnabled() || !menu->actions().contains(item)) return nullptr;
    return new UnavailableMenuItem(*menu, *item);
}

}  // namespace

void ReportItemsOfDisabledMenusUnavailable() {
    QAccessible::installFactory(ItemOfDisabledMenu);
}

}  // namespace korva::qt
