// Submissions per address: a bucket of `burst` submissions per address that refills at
// `perMinute` a minute. Addresses whose bucket is full again are forgotten, so the table stays
// as small as the set of recently busy addresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
 public:
  // perMinute 0 lets everything through.
  RateLimiter(int perMinute, int burst) : PerMinute_(perMinute), Burst_(burst) {}

  // Takes one submission from the address's bucket at time nowMs; false when it is empty.
  bool Allow(const std::string& address, int64_t nowMs);
  size_t TrackedAddresses();

 private:
  struct Bucket {
    double Tokens = 0;
    int64_t UpdatedMs = 0;
  };
  double Refilled(const Bucket& bucket, int64_t nowMs) const;
  void ForgetFullBuckets(int64_t nowMs);

  int PerMinute_;
  int Burst_;
  std::mutex Mutex_;
  std::unordered_map<std::string, Bucket> Buckets_;
  size_t NextSweepSize_ = 1024;
};
