// Tells screen readers what a count has given, wherever the focus is: a notification that
// appears, through AT-SPI, with the text, as desktop notifications do, which Orca speaks. Qt 6.4
// has no announcement event of its own, and its AT-SPI bridge passes on no live region or alert.
// Nothing of it is drawn: it has no size.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace korva::qt {

class CountAnnouncer : public QWidget {
    Q_OBJECT

  public:
    explicit CountAnnouncer(QWidget* parent);

    // Shows the notification anew with text, so that it is announced even where the text is
    // the same as last time.
    void Announce(const QString& text);

  private:
    QLabel* text_;
};

}  // namespace korva::qt
