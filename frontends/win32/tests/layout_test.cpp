// The window as it starts and as the screen's dpi changes: places, sizes, captions, fonts, the
// menu bar and the pixels drawn, checked against the form's tables.
#include <windows.h>

#include <windowsx.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <utility>

#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

// The designed font at dpi: 8 point for the window's controls, 10 point for the labels.
void CheckFonts(const Form& form, UINT dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    for (const auto& [id, points] :
         {std::pair{ControlId::kSabo, 8}, {ControlId::kInput, 8}, {ControlId::kLabel1, 10}}) {
        const std::string_view name = form::ControlOf(id).name;
        LOGFONTW font{};
        GetObjectW(GetWindowFont(form[id]), sizeof font, &font);
        EXPECT_EQ(std::abs(font.lfHeight), std::lround(points * dpi / 72.0))
            << std::string(name) + " font height" + at;
        EXPECT_EQ(font.lfFaceName, Wide(form::kFontFamily)) << std::string(name) + " font face";
    }
}

RECT RectIn(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Every control where the table puts it, scaled to dpi; the client area below the menu bar.
void CheckPlaces(const Form& form, UINT dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    for (const form::Control& control : form::kControls) {
        const std::string name(control.name);
        const HWND window = form[control.id];
        const RECT rect = RectIn(window, GetParent(window));
        EXPECT_EQ(rect.left, Rounded(control.rect.left, dpi)) << name + " left" + at;
        EXPECT_EQ(rect.top, Rounded(control.rect.top, dpi)) << name + " top" + at;
        EXPECT_EQ(rect.right - rect.left, Rounded(control.rect.width, dpi)) << name + " width" + at;
        EXPECT_EQ(rect.bottom - rect.top, Rounded(control.rect.height, dpi))
            << name + " height" + at;
        const HWND expected_parent =
            control.parent == form::Parent::kPanel1 ? form[ControlId::kPanel1] : form.window();
        EXPECT_TRUE(GetParent(window) == expected_parent) << name + " parent";
    }
    RECT client;
    GetClientRect(form.window(), &client);
    EXPECT_EQ(client.right, Rounded(form::kClientSize.width, dpi)) << "client width" + at;
    EXPECT_EQ(client.bottom, Rounded(form::kClientSize.height, dpi)) << "client height" + at;
    // The client area lies below the caption and the menu bar.
    RECT outer;
    GetWindowRect(form.window(), &outer);
    POINT client_origin{0, 0};
    ClientToScreen(form.window(), &client_origin);
    EXPECT_TRUE(client_origin.y - outer.top >= GetSystemMetricsForDpi(SM_CYMENU, dpi))
        << "menu bar above the client area" + at;
}

// The window as it starts, at the system's dpi, then as the monitor's dpi changes: 150 % and
// 200 %, and back. The layout and the fonts follow; the window takes the place suggested.
TEST(Layout, FollowsTheDpi) {
    const UINT system_dpi = SystemDpi();
    const Form form;
    EXPECT_EQ(GetDpiForWindow(form.window()), system_dpi)
        << "the window starts at the system's dpi";
    // Where the window starts; then, at each change, where the system suggests.
    POINT place{Rounded(form::kWindowPosition.left, system_dpi),
                Rounded(form::kWindowPosition.top, system_dpi)};
    const UINT dpis[] = {system_dpi, 144u, 192u, 96u};
    for (std::size_t i = 0; i < std::size(dpis); ++i) {
        const UINT dpi = dpis[i];
        if (i > 0) {
            const RECT suggested{40, 30, 50, 40};
            SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            form.Pump();
            place = {40, 30};
        }
        RECT outer;
        GetWindowRect(form.window(), &outer);
        const std::string at = " at " + std::to_string(dpi) + " dpi";
        EXPECT_EQ(outer.left, place.x) << "window left" + at;
        EXPECT_EQ(outer.top, place.y) << "window top" + at;
        CheckPlaces(form, dpi);
        CheckFonts(form, dpi);
    }
}

TEST(Layout, CaptionAndFixedBorder) {
    const Form form;
    EXPECT_EQ(TextOf(form.window()), Wide(form::kCaption)) << "caption";

    // A fixed border with close and minimise only.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(form.window(), GWL_STYLE));
    const struct {
        const char* name;
        DWORD flag;
        bool set;
    } styles[] = {{"system menu", WS_SYSMENU, true},
                  {"minimise box", WS_MINIMIZEBOX, true},
                  {"maximise box", WS_MAXIMIZEBOX, false},
                  {"sizing border", WS_THICKFRAME, false}};
    for (const auto& row : styles) {
        EXPECT_TRUE(((style & row.flag) != 0) == row.set) << std::string("style: ") + row.name;
    }
}

TEST(Layout, ControlsEnabledAndCaptioned) {
    const Form form;
    for (const form::Control& control : form::kControls) {
        const std::string name(control.name);
        EXPECT_TRUE((IsWindowEnabled(form[control.id]) != FALSE) == control.enabled)
            << name + " enabled";
        if (control.kind == form::Kind::kLabel || control.kind == form::Kind::kButton) {
            EXPECT_EQ(TextOf(form[control.id]), Wide(control.caption)) << name + " caption";
        }
    }
}

TEST(Layout, FirstTextsAndFocus) {
    const Form form;
    EXPECT_EQ(TextOf(form[ControlId::kInput]), Wide(form::kInitialInput)) << "first text of Input";
    const auto [start, end] = SelectionOf(form[ControlId::kInput]);
    EXPECT_TRUE(start == 0 && end == Wide(form::kInitialInput).size())
        << "the help text is selected, so that a paste replaces it";
    EXPECT_EQ(TextOf(form[ControlId::kOutput]), Wide(form::kInitialOutput))
        << "first text of Output";
    EXPECT_TRUE(GetFocus() == form[ControlId::kInput]) << "first focus on Input";
}

TEST(Layout, MenuBar) {
    const Form form;
    const HMENU bar = GetMenu(form.window());
    EXPECT_EQ(GetMenuItemCount(bar), 3) << "top-level entries";
    int top = -1;
    int item = 0;
    HMENU popup = nullptr;
    for (const form::MenuEntry& entry : form::kMenu) {
        const std::string name(entry.name);
        HMENU menu = bar;
        int position = 0;
        if (entry.level == form::MenuLevel::kTop) {
            position = ++top;
            popup = GetSubMenu(bar, top);
            item = 0;
        } else {
            menu = popup;
            position = item++;
        }
        const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
        if (entry.level == form::MenuLevel::kSeparator) {
            EXPECT_TRUE((state & MF_SEPARATOR) != 0) << name + " is a separator";
            continue;
        }
        std::array<wchar_t, 64> caption{};
        GetMenuStringW(menu, position, caption.data(), caption.size(), MF_BYPOSITION);
        EXPECT_EQ(caption.data(), Wide(entry.caption)) << name + " caption";
        EXPECT_TRUE(((state & MF_GRAYED) == 0) == entry.enabled) << name + " enabled state";
    }
    // -1 if HelpMenu opened no menu; the items above fail likewise for the other two.
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 0) << "HelpMenu opens an empty menu";
}

COLORREF PixelAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// A system colour changed for as long as the object lives.
class SystemColour {
  public:
    SystemColour(int element, COLORREF colour) : element_(element), before_(GetSysColor(element)) {
        SetSysColors(1, &element_, &colour);
    }
    ~SystemColour() { SetSysColors(1, &element_, &before_); }
    SystemColour(const SystemColour&) = delete;
    SystemColour& operator=(const SystemColour&) = delete;

  private:
    int element_;
    COLORREF before_;
};

// What the screen shows: the boxes' backgrounds and the panel's two bevels.
TEST(Layout, Pixels) {
    // Wine's menu colour is its window colour: one of its own tells the boxes apart.
    const SystemColour menu(COLOR_MENU, RGB(0xF0, 0xE6, 0x8C));
    ASSERT_NE(GetSysColor(COLOR_MENU), GetSysColor(COLOR_WINDOW));
    const Form form;
    RedrawWindow(form.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    form.Pump();
    Sleep(200);
    const struct {
        const char* what;
        ControlId control;
        int x;
        int y;
        int colour;
    } rows[] = {
        {"Output's background is the menu colour", ControlId::kOutput, 200, 300, COLOR_MENU},
        {"Input's background is the window colour", ControlId::kInput, 200, 300, COLOR_WINDOW},
        {"the panel's outer bevel is lowered (shadow at the top left)", ControlId::kPanel1, 20, 0,
         COLOR_BTNSHADOW},
        {"the panel's inner bevel is raised (light at the top left)", ControlId::kPanel1, 20, 1,
         COLOR_BTNHIGHLIGHT},
        {"the panel's outer bevel at the bottom right is light", ControlId::kPanel1, 20, -1,
         COLOR_BTNHIGHLIGHT},
        {"the panel's inner bevel at the bottom right is shadow", ControlId::kPanel1, 20, -2,
         COLOR_BTNSHADOW},
        {"the panel's face", ControlId::kPanel1, 40, 200, COLOR_BTNFACE},
    };
    for (const auto& row : rows) {
        // A negative y counts from the bottom edge.
        RECT client;
        GetClientRect(form[row.control], &client);
        const int y = row.y >= 0 ? row.y : client.bottom + row.y;
        EXPECT_EQ(PixelAt(form[row.control], row.x, y), GetSysColor(row.colour)) << row.what;
    }
}

}  // namespace
}  // namespace korva::win32::fixture
