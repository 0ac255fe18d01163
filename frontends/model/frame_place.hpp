// Where a top-level window's frame goes on its screen, for any front end.
#pragma once

#include <algorithm>

#include "frontends/model/form.hpp"

namespace korva::form {

// Along one axis: the designed start while the frame fits the area there; otherwise moved in
// just far enough; the area's start when the frame is at least as long as the area.
constexpr int FittedStart(int start, int length, int area_start, int area_length) {
    if (length >= area_length) return area_start;
    return std::clamp(start, area_start, area_start + area_length - length);
}

// The frame's corner for a frame designed at frame, on a screen whose available area (what
// panels and task bars leave free) is area. Both axes on their own: a frame too tall for the
// area still keeps its designed left where its width fits.
constexpr Point FramePlace(Rect frame, Rect area) {
    return {FittedStart(frame.left, frame.width, area.left, area.width),
            FittedStart(frame.top, frame.height, area.top, area.height)};
}

}  // namespace korva::form
