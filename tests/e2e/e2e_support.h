#pragma once
// What every end-to-end test does: find the built programs, start a staged copy, close it.

#include "e2e/zentrava_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace zentrava::e2e {

inline constexpr const char* kShipped = "Zentrava.exe";
inline constexpr const char* kTestBuild = "Zentrava_test.exe";

// CTest passes the build folder as a Unix path; Wine shows / as drive Z:.
inline std::string ProgramPath(const char* exeName) {
    std::string dir = ZENTRAVA_BIN_DIR;
    if (!dir.empty() && dir.front() == '/') {
        dir = "Z:" + dir;
    }
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir + "\\" + exeName;
}

inline ::testing::AssertionResult StartCopy(ZentravaSession& session, const char* exeName,
                                            const std::string& baseName,
                                            std::string_view ini = {}) {
    if (!session.Stage(ProgramPath(exeName), baseName)) {
        return ::testing::AssertionFailure() << "stage: " << session.lastError();
    }
    if (!ini.empty() && !session.WriteIni(ini)) {
        return ::testing::AssertionFailure() << "ini: " << session.lastError();
    }
    if (!session.Launch()) {
        return ::testing::AssertionFailure() << "launch: " << session.lastError();
    }
    if (session.WaitForMainWindow() == nullptr) {
        return ::testing::AssertionFailure() << "window: " << session.lastError();
    }
    return ::testing::AssertionSuccess();
}

inline void ExpectClosesCleanly(ZentravaSession& session) {
    const CloseResult r = session.Close();
    EXPECT_TRUE(r.exited) << r.error;
    EXPECT_FALSE(r.terminated) << "had to be killed: " << r.error;
    EXPECT_EQ(r.exitCode, 0u) << r.error;
}

} // namespace zentrava::e2e
