#include "frontends/qt/out_of_memory_notice.hpp"

#include <QMessageBox>

#include <cstdio>
#include <new>

#include "frontends/model/failure.hpp"
#include "frontends/model/form.hpp"

namespace korva::qt {

OutOfMemoryNotice::OutOfMemoryNotice(std::size_t reserve_bytes)
    : caption_(QString::fromUtf8(korva::form::kApplicationTitle)),
      text_(QString::fromUtf16(korva::form::kOutOfMemoryText)),
      line_((caption_ + QStringLiteral(": ") + text_ + QLatin1Char('\n')).toUtf8()),
      reserve_bytes_(reserve_bytes),
      reserve_(new char[reserve_bytes]) {}

OutOfMemoryNotice::~OutOfMemoryNotice() = default;

void OutOfMemoryNotice::PrepareBox() {
    if (box_) return;
    box_ = std::make_unique<QMessageBox>(QMessageBox::Critical, caption_, text_, QMessageBox::Ok);
    box_->ensurePolished();
}

void OutOfMemoryNotice::Show(const ErrorBoxPresenter& present) noexcept {
    if (showing_) {
        WriteToStandardError();
        return;
    }
    showing_ = true;
    reserve_.reset();
    try {
        present(caption_, text_);
    } catch (...) {
        ShowFallback();
    }
    reserve_.reset(new (std::nothrow) char[reserve_bytes_]);
    showing_ = false;
}

void OutOfMemoryNotice::ShowFallback() noexcept {
    if (box_) {
        try {
            box_->exec();
            return;
        } catch (...) {
            // A box left half shown would block the main window as a modal one.
            try {
                box_->hide();
            } catch (...) {
            }
        }
    }
    WriteToStandardError();
}

void OutOfMemoryNotice::WriteToStandardError() const noexcept {
    // Standard error is unbuffered: this asks for no memory.
    std::fwrite(line_.constData(), 1, static_cast<std::size_t>(line_.size()), stderr);
}

}  // namespace korva::qt
