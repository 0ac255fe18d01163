// A control that screen readers watch as a polite UI Automation live region: when it is
// announced, they read its new name once they have finished speaking, wherever the focus is.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleacc.h>

#include <memory>
#include <string_view>

namespace korva::win32 {

// COM on the calling thread for as long as it lives, for the accessibility service.
class ComApartment {
  public:
    ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (started_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    const bool started_;
};

class LiveRegion {
  public:
    // Marks control as a polite live region. Where the system's accessibility service is
    // missing (COM not started, an old system), the announcement still raises its event.
    explicit LiveRegion(HWND control);
    ~LiveRegion();
    LiveRegion(const LiveRegion&) = delete;
    LiveRegion& operator=(const LiveRegion&) = delete;

    // Names the control text and tells screen readers that the region has changed.
    void Announce(std::wstring_view text) const;

  private:
    struct Release {
        void operator()(IAccPropServices* services) const { services->Release(); }
    };

    HWND control_;
    std::unique_ptr<IAccPropServices, Release> services_;
};

}  // namespace korva::win32
