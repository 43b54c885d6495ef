// The main of every test program: GoogleTest, with the address space bounded first, so that a
// runaway test (a reader that keeps growing its buffers) fails on its own instead of taking the
// machine's memory from everything else. Sanitizer builds reserve terabytes of shadow memory and
// are bounded by their own hard_rss_limit_mb instead; Windows has no such limit per process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define Q748_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define Q748_SANITIZED 1
#endif
#endif

namespace {

// Q748_TEST_MEMORY_MB in the environment overrides the bound; 0 lifts it.
void BoundMemory() {
#if !defined(_WIN32) && !defined(Q748_SANITIZED)
  unsigned long long mb = 6144;
  if (const char* given = std::getenv("Q748_TEST_MEMORY_MB")) mb = std::strtoull(given, nullptr, 10);
  if (mb == 0) return;
  const rlim_t bytes = static_cast<rlim_t>(mb) << 20;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && (limit.rlim_max == RLIM_INFINITY || bytes < limit.rlim_max)) {
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::perror("setrlimit");
  }
#endif
}

}  // namespace

int main(int argc, char** argv) {
  BoundMemory();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
