#include <gtest/gtest.h>

#include <wx/log.h>

#include <string>
#include <vector>

#include "platform/Trace.h"

namespace {

// Keeps what reaches the toolkit's log.
class CollectingLog : public wxLog {
public:
    std::vector<std::string> lines;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override { lines.push_back(msg.ToStdString()); }
};

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        log = new CollectingLog;
        previous = wxLog::SetActiveTarget(log);
        wxLog::SetLogLevel(wxLOG_Max);
    }
    void TearDown() override {
        platform::EnableTrace(false);
        wxLog::SetActiveTarget(previous);
        delete log;
    }
    CollectingLog* log = nullptr;
    wxLog* previous = nullptr;
};

}  // namespace

TEST_F(TraceTest, LinesReachTheLogOnlyWhenSwitchedOn) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    platform::EnableTrace(false);
    platform::Trace("Raise");
    EXPECT_FALSE(platform::TraceEnabled());
    platform::EnableTrace(true);
    platform::Trace("Saving %s %d");  // plain text, never a format
    wxLog::FlushActive();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(log->lines.size(), 1u);
    EXPECT_NE(log->lines[0].find("Saving %s %d"), std::string::npos);
}

TEST_F(TraceTest, ErrorsGoToStandardErrorOnce) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    platform::ReportError("frame0012.dat line 57: expected 10 values, found 4");
    platform::ReportError("second %n line\n");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "frame0012.dat line 57: expected 10 values, found 4\nsecond %n line\n");
}
