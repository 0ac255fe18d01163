// A test fixture with a fresh, empty folder of the test's own, removed after the test, and the
// files and korva-count runs of the end-to-end tests in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "process.hpp"

namespace korva::cli_test {

class ScratchDirTest : public ::testing::Test {
  protected:
    // prefix starts the folder's name, so that a folder left behind says whose it was.
    explicit ScratchDirTest(std::string_view prefix) : prefix_(prefix) {}

    void SetUp() override {
        // create_directory says false when the name is taken: then another name.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
            const auto dir =
                std::filesystem::path(::testing::TempDir()) / (prefix_ + std::to_string(random()));
            if (std::filesystem::create_directory(dir)) dir_ = dir;
        }
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    // name in UTF-8; the path comes back in UTF-8, as korva-count takes it.
    std::string File(const std::string& name, std::string_view bytes) {
        const auto path = dir_ / std::u8string(name.begin(), name.end());
        WriteBytes(path, bytes);
        return Utf8Path(path);
    }

    // Standard input the null device, or these bytes.
    ProcessResult Run(const std::vector<std::string>& args) {
        return RunKorvaCount(dir_, {.args = args});
    }
    ProcessResult Run(const std::vector<std::string>& args, const std::string& stdin_bytes) {
        return RunKorvaCount(dir_, {.args = args, .stdin_bytes = stdin_bytes});
    }

    std::filesystem::path dir_;

  private:
    std::string prefix_;
};

}  // namespace korva::cli_test
