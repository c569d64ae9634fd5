// Submissions per address: a burst at once, then a steady rate; other addresses unaffected.
#include <gtest/gtest.h>

#include "RateLimiter.h"

TEST(RateLimiter, ABurstThenOneEveryFiveSecondsAtTwelveAMinute) {
  RateLimiter limiter(12, 3);
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 0));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 0));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 0));
  EXPECT_FALSE(limiter.Allow("10.0.0.1", 0)) << "the burst is spent";
  EXPECT_TRUE(limiter.Allow("10.0.0.2", 0)) << "another address has its own bucket";
  EXPECT_FALSE(limiter.Allow("10.0.0.1", 4999));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 5000)) << "one back after 60/12 s";
  EXPECT_FALSE(limiter.Allow("10.0.0.1", 5001));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 3600000)) << "refilled, but only to the burst";
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 3600000));
  EXPECT_TRUE(limiter.Allow("10.0.0.1", 3600000));
  EXPECT_FALSE(limiter.Allow("10.0.0.1", 3600000));
}

TEST(RateLimiter, ZeroAMinuteLimitsNothing) {
  RateLimiter limiter(0, 1);
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(limiter.Allow("10.0.0.1", 0));
}

namespace {
// A made-up client address, one per number.
std::string Address(char prefix, int number) {
  std::string address(1, prefix);
  address += std::to_string(number);
  return address;
}
}  // namespace

TEST(RateLimiter, QuietAddressesAreForgotten) {
  RateLimiter limiter(60, 2);
  for (int i = 0; i < 5000; ++i) limiter.Allow(Address('a', i), 0);
  EXPECT_GE(limiter.TrackedAddresses(), 1024u);
  // A minute later every bucket is full again; the next sweep drops them.
  for (int i = 0; i < 5000; ++i) limiter.Allow(Address('b', i), 60000);
  EXPECT_EQ(limiter.TrackedAddresses(), 5000u) << "only the new addresses are left";
  EXPECT_FALSE(limiter.Allow("b1", 60000) && limiter.Allow("b1", 60000) &&
               limiter.Allow("b1", 60000))
      << "a remembered address keeps its count";
}
