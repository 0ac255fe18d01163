// The frame's place on the screen's available area, at each edge of the rule.
#include <gtest/gtest.h>

#include "frontends/model/frame_place.hpp"

namespace {

using korva::form::FramePlace;
using korva::form::Point;
using korva::form::Rect;

TEST(FramePlace, Edges) {
    const Rect screen{0, 0, 1280, 1024};
    const struct {
        const char* what;
        Rect frame;
        Rect area;
        Point place;
    } rows[] = {
        {"fits: designed place", {196, 141, 641, 426}, screen, {196, 141}},
        {"touches the right and bottom edges", {639, 598, 641, 426}, screen, {639, 598}},
        {"one pixel over the right edge", {640, 141, 641, 426}, screen, {639, 141}},
        {"one pixel over the bottom edge", {196, 599, 641, 426}, screen, {196, 598}},
        {"above and left of the area", {-5, -20, 641, 426}, screen, {0, 0}},
        {"twice the scale on 1280x1024", {392, 282, 1266, 806}, screen, {14, 218}},
        {"as large as the area", {196, 141, 1280, 1024}, screen, {0, 0}},
        {"larger than the area", {196, 141, 1300, 1100}, screen, {0, 0}},
        {"too wide only: keeps its top", {196, 141, 1300, 426}, screen, {0, 141}},
        {"too tall only: keeps its left", {196, 141, 641, 1100}, screen, {196, 0}},
        {"a task bar below", {392, 282, 1266, 806}, {0, 0, 1280, 994}, {14, 188}},
        {"a panel above", {196, 10, 641, 426}, {0, 30, 1280, 994}, {196, 30}},
        {"a screen right of the first", {1200, 141, 641, 426}, {1280, 0, 1024, 768}, {1280, 141}},
        {"larger than a screen right of the first",
         {196, 141, 1300, 800},
         {1280, 0, 1024, 768},
         {1280, 0}},
    };
    for (const auto& row : rows) {
        const Point place = FramePlace(row.frame, row.area);
        EXPECT_EQ(place.left, row.place.left) << row.what;
        EXPECT_EQ(place.top, row.place.top) << row.what;
    }
}

}  // namespace
