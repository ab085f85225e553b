#pragma once

// One QApplication for a whole Qt test executable, made before the first test and destroyed
// before the exit handlers run: a QApplication that outlives main() takes Qt's own globals down
// with it. The tests run without a display.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace korvel::test {

class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "korvel_ui_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const qtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace korvel::test
