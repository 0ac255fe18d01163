// A test fixture with a fresh, empty folder of the test's own, removed after the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

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

    std::filesystem::path dir_;

  private:
    std::string prefix_;
};

}  // namespace korva::cli_test
