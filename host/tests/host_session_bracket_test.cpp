// The session bracket against the simulated host's counted session.
#include "host/host_api.h"
#include "host/host_session_bracket.h"
#include "hostsim/hostsim_control.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Bracket : public ::testing::Test {
  protected:
    void SetUp() override {
        char error[256];
        ASSERT_EQ(0, HOSTSIM_load_session_text("{}", ".", error, sizeof error)) << error;
    }
    void TearDown() override { HOSTSIM_clear_faults(); }
};

bool handler(bool leaveEarly, int* workDone) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return false;
    if (leaveEarly)
        return true;
    ++*workDone;
    return true;
}

TEST_F(Bracket, OpensAndClosesTheSessionOnEveryWayOut) {
    int work = 0;
    EXPECT_TRUE(handler(false, &work));
    EXPECT_TRUE(handler(true, &work));
    EXPECT_EQ(1, work);
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_EQ(2, HOSTSIM_call_count("UF_initialize"));
    EXPECT_EQ(2, HOSTSIM_call_count("UF_terminate"));
}

TEST_F(Bracket, AFailedInitializeLeavesAtOnceWithoutTerminate) {
    HOSTSIM_fail_operation("UF_initialize", 0, 0);
    int work = 0;
    EXPECT_FALSE(handler(false, &work));
    EXPECT_EQ(0, work);
    EXPECT_EQ(0, HOSTSIM_call_count("UF_terminate"));
}

TEST_F(Bracket, InsideAnOpenSessionItDoesNotInitializeButStillTerminates) {
    ASSERT_EQ(0, UF_initialize());
    int work = 0;
    EXPECT_TRUE(handler(false, &work));
    EXPECT_EQ(1, HOSTSIM_call_count("UF_initialize"));
    EXPECT_EQ(1, HOSTSIM_call_count("UF_terminate"));
    EXPECT_EQ(0, HOSTSIM_session_depth());
}

TEST_F(Bracket, TheCommandsOwnSessionIsOpenedWithoutAsking) {
    ASSERT_EQ(0, UF_initialize());
    {
        HostSessionBracket command(HostSessionBracket::Opening::Always);
        EXPECT_TRUE(command.IsOpen());
        EXPECT_EQ(2, HOSTSIM_session_depth());
    }
    EXPECT_EQ(0, HOSTSIM_call_count("UF_is_initialized"));
    EXPECT_EQ(1, HOSTSIM_session_depth());
    UF_terminate();
}

TEST_F(Bracket, NestedBracketsTerminateOnceEachInnerFirst) {
    {
        HostSessionBracket outer;
        ASSERT_TRUE(outer.IsOpen());
        {
            HostSessionBracket inner;
            EXPECT_TRUE(inner.IsOpen());
        }
        EXPECT_EQ(1, HOSTSIM_call_count("UF_terminate"));
    }
    EXPECT_EQ(1, HOSTSIM_call_count("UF_initialize"));
    EXPECT_EQ(2, HOSTSIM_call_count("UF_terminate"));
    std::string last = HOSTSIM_call_log_entry(HOSTSIM_call_log_size() - 1);
    EXPECT_EQ("UF_terminate()", last);
}

} // namespace
