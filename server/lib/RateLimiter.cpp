#include "RateLimiter.h"

#include <algorithm>

namespace {
constexpr double kMsPerMinute = 60000.0;
}  // namespace

double RateLimiter::Refilled(const Bucket& bucket, int64_t nowMs) const {
  const double elapsedMs = static_cast<double>(std::max<int64_t>(0, nowMs - bucket.UpdatedMs));
  return std::min<double>(Burst_, bucket.Tokens + elapsedMs * PerMinute_ / kMsPerMinute);
}

bool RateLimiter::Allow(const std::string& address, int64_t nowMs) {
  if (PerMinute_ <= 0) return true;
  std::lock_guard lock(Mutex_);
  if (Buckets_.size() >= NextSweepSize_) ForgetFullBuckets(nowMs);
  auto [it, added] = Buckets_.try_emplace(address, Bucket{static_cast<double>(Burst_), nowMs});
  Bucket& bucket = it->second;
  if (!added) {
    bucket.Tokens = Refilled(bucket, nowMs);
    bucket.UpdatedMs = std::max(bucket.UpdatedMs, nowMs);
  }
  if (bucket.Tokens < 1.0) return false;
  bucket.Tokens -= 1.0;
  return true;
}

void RateLimiter::ForgetFullBuckets(int64_t nowMs) {
  std::erase_if(Buckets_, [&](const auto& item) { return Refilled(item.second, nowMs) >= Burst_; });
  // Sweep again only once the table has doubled, so a flood of addresses costs amortised O(1).
  NextSweepSize_ = std::max<size_t>(1024, Buckets_.size() * 2);
}

size_t RateLimiter::TrackedAddresses() {
  std::lock_guard lock(Mutex_);
  return Buckets_.size();
}
