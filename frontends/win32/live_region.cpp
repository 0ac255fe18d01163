#include "frontends/win32/live_region.hpp"

#include <iterator>
#include <string>

namespace korva::win32 {
namespace {

// UI Automation's LiveSetting property and its value Polite, which mingw-w64's headers lack.
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
constexpr GUID kAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

IAccPropServices* CreateServices() {
    void* services = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                &services))) {
        return nullptr;
    }
    return static_cast<IAccPropServices*>(services);
}

}  // namespace

LiveRegion::LiveRegion(HWND control) : control_(control), services_(CreateServices()) {
    if (!services_) return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services_->SetHwndProp(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                           kLiveSettingProperty, polite);
}

LiveRegion::~LiveRegion() {
    if (!services_) return;
    const MSAAPROPID properties[] = {kLiveSettingProperty, kNameProperty};
    services_->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties,
                              static_cast<int>(std::size(properties)));
}

void LiveRegion::Announce(std::wstring_view text) const {
    if (services_) {
        const std::wstring name(text);
        services_->SetHwndPropStr(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  kNameProperty, name.c_str());
    }
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace korva::win32
