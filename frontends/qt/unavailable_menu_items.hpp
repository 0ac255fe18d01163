// The items of a disabled menu, as assistive technology sees them. Qt reports an item by its own
// enabled state alone, so the enabled items under the window's disabled menus would be announced
// as available, and could even be triggered through the accessibility interface, although no
// user can reach them. Here they are reported unavailable and offer no action.
#pragma once

namespace korva::qt {

// From now on, each item of a menu that is disabled when the item is first asked for is reported
// unavailable. Installing it twice is harmless.
void ReportItemsOfDisabledMenusUnavailable();

}  // namespace korva::qt
