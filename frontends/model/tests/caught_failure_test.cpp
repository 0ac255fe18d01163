// Every kind of failure, caught in a command and at start-up, and what the error box then shows.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/model/caught_failure.hpp"

namespace {

using namespace korva::form;

// The texts ShowFailure shows for what fail throws, caught at site.
std::vector<std::u16string> Shown(FailureSite site, const std::function<void()>& fail) {
    std::vector<std::u16string> shown;
    try {
        fail();
    } catch (...) {
        ShowFailure(site, std::current_exception(), [&shown](std::u16string_view text) {
            EXPECT_EQ(text.data()[text.size()], u'\0') << "not 0-terminated";
            shown.emplace_back(text);
        });
    }
    return shown;
}

TEST(CaughtFailure, WhatTheErrorBoxShows) {
    using Texts = std::vector<std::u16string>;
    const struct {
        const char* name;
        std::function<void()> fail;
        Texts in_command;
        Texts at_start_up;
    } rows[] = {
        // clang-format off
        {"Exception",
         [] { throw Exception(u"Fenster fehlt"); }, {u"Fenster fehlt."}, {u"Fenster fehlt."}},
        {"empty message", [] { throw Exception(u""); }, {u""}, {u""}},
        {"EAbort", [] { throw EAbort(); }, {}, {u"Operation aborted."}},
        {"EOutOfMemory", [] { throw EOutOfMemory(); }, {u"Out of memory."}, {u"Out of memory."}},
        {"EExternalException",
         [] { throw EExternalException(0x0000ABCD); },
         {u"External exception ABCD."},
         {u"External exception ABCD."}},
        {"std::bad_alloc",
         [] { throw std::bad_alloc(); }, {u"Out of memory."}, {u"Out of memory."}},
        {"std::runtime_error",
         [] { throw std::runtime_error("kaputt"); }, {u"External exception E06D7363."}, {u""}},
        {"int", [] { throw 7; }, {u"External exception E06D7363."}, {u""}},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Shown(FailureSite::kEvent, row.fail), row.in_command) << row.name;
        EXPECT_EQ(Shown(FailureSite::kStartUp, row.fail), row.at_start_up) << row.name;
    }
}

}  // namespace
