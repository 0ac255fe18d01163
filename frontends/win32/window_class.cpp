#include "frontends/win32/window_class.hpp"

#include "frontends/win32/failure.hpp"

namespace korva::win32 {
namespace {

// The icon's id in the program's resources.
constexpr int kIconId = 1;

}  // namespace

void RegisterWindowClass(HINSTANCE instance, const WindowClass& window_class) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof registered;
    registered.lpfnWndProc = window_class.procedure;
    registered.hInstance = instance;
    if (window_class.icon) {
        registered.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
        registered.hIconSm = static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    registered.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    registered.hbrBackground = window_class.background;
    registered.lpszClassName = window_class.name;
    if (RegisterClassExW(&registered) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw LastErrorException();
    }
}

}  // namespace korva::win32
