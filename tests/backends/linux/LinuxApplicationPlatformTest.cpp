#include "backends/linux/LinuxApplicationPlatform.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

using namespace hushpane;

TEST(LinuxApplicationPlatform, TermFromTheSessionEndsItAndInterruptIsTheUsersOwnQuit) {
    LinuxApplicationPlatform platform;
    QSignalSpy requested(&platform, &ApplicationPlatform::terminationRequested);
    EXPECT_FALSE(platform.isSessionEnding());

    ::raise(SIGINT);
    ASSERT_TRUE(requested.wait(2000));
    EXPECT_FALSE(platform.isSessionEnding());

    ::raise(SIGTERM);
    ASSERT_TRUE(requested.wait(2000));
    EXPECT_TRUE(platform.isSessionEnding());
    EXPECT_EQ(requested.count(), 2);
}

TEST(LinuxApplicationPlatform, StartsAsAnAccessoryAndKeepsThePolicyItIsGiven) {
    LinuxApplicationPlatform platform;
    EXPECT_EQ(platform.activationPolicy(), ApplicationPlatform::ActivationPolicy::accessory);
    platform.setActivationPolicy(ApplicationPlatform::ActivationPolicy::regular);
    EXPECT_EQ(platform.activationPolicy(), ApplicationPlatform::ActivationPolicy::regular);
}
