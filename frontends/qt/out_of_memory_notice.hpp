// Showing "Out of memory." once memory has run out. Whatever the error box needs that can be
// made beforehand is made at start-up, and a reserve of memory is given back just before the box
// is built; should even that not be enough, a box built at start-up shows the text, and failing
// that, standard error gets it. The program goes on either way.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <memory>

#include "frontends/qt/error_display.hpp"

class QMessageBox;

namespace korva::qt {

class OutOfMemoryNotice {
  public:
    // Enough for Qt to build and show a message box with memory otherwise exhausted.
    static constexpr std::size_t kReserveBytes = std::size_t{2} << 20;

    explicit OutOfMemoryNotice(std::size_t reserve_bytes = kReserveBytes);
    ~OutOfMemoryNotice();

    OutOfMemoryNotice(const OutOfMemoryNotice&) = delete;
    OutOfMemoryNotice& operator=(const OutOfMemoryNotice&) = delete;

    // Builds the fallback box; needs the QApplication. Until then the fallback is standard
    // error alone.
    void PrepareBox();

    // Shows "Out of memory." captioned with the application title through present, and returns
    // once it is dismissed. A shortage while its own box is up only writes to standard error.
    void Show(const ErrorBoxPresenter& present) noexcept;

  private:
    void ShowFallback() noexcept;
    void WriteToStandardError() const noexcept;

    const QString caption_;
    const QString text_;
    const QByteArray line_;
    std::unique_ptr<QMessageBox> box_;
    const std::size_t reserve_bytes_;
    std::unique_ptr<char[]> reserve_;
    bool showing_ = false;
};

}  // namespace korva::qt
