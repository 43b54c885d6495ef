// bench_read FILE [RUNS]: how fast, and in how much memory, JwwReadFile reads a large exchange
// file, against a baseline over the same file that does what `wc -l` does: read it in blocks and
// count its line ends with memchr.
//
// bench_read --one-line FILE [RUNS]: JwwReadFile over FILE against the same bytes as one line (its
// line ends turned into blanks, written beside it as FILE.one-line and removed afterwards): a line
// of any length must cost about what the same bytes cost in ordinary lines.
//
// Each run is a fresh child process, so that its peak memory (ru_maxrss) is its own. Of RUNS runs
// (default 5) of each kind, interleaved, the best time and the highest peak are reported, and the
// median times. Prints the throughputs, the ratio of the two times (best and median), the reader's
// peak over the file's size, and the bytes the records hold (lists, shared tables and string
// pool) per entity.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "JwwGaibu.h"

namespace {

using Clock = std::chrono::steady_clock;

struct TResult {
  double Seconds;  // best run
  double Median;   // of all runs, once they are done
  long PeakKiB;    // the child's ru_maxrss
  int64_t Items;   // lines counted (raw) or entities read (reader)
  int64_t Bytes;   // the reader: bytes the records hold
};

// The baseline: the file in blocks of 128 KiB, its line ends counted with memchr (`wc -l`).
int64_t RawPass(const std::string& file, int64_t& bytes) {
  const int fd = open(file.c_str(), O_RDONLY);
  if (fd < 0) std::exit(3);
  static char block[128 * 1024];
  int64_t lines = 0;
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n <= 0) break;
    const char* p = block;
    const char* const end = p + n;
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      ++lines;
      p = static_cast<const char*>(lf) + 1;
    }
  }
  close(fd);
  bytes = 0;
  return lines;
}

template <class L>
int64_t Held(const L& list) {
  return list.HeldBytes();
}

int64_t ReaderPass(const std::string& file, int64_t& bytes) {
  JwwState st;
  if (!JwwReadFile(st, file)) {
    std::fprintf(stderr, "JwwReadFile failed on %s\n", file.c_str());
    std::exit(3);
  }
  bytes = Held(st.Lines) + Held(st.Circles) + Held(st.Arcs) + Held(st.Texts) + Held(st.Points) +
          Held(st.PointsEx) + Held(st.Messages) + Held(st.Blocks) + Held(st.Solids2) + Held(st.Solids3) +
          Held(st.Solids4) + Held(st.SolidsSc) + Held(st.SolidsSe) + Held(st.SolidsSo) + Held(st.SolidsSg) +
          Held(st.EntityOrder) + Held(st.Tables.Heads) + Held(st.Tables.Styles) + st.Strings.HeldBytes();
  return st.EntityOrder.Count();
}

using TPass = int64_t (*)(const std::string&, int64_t&);

// One run of PASS in a fresh child process: its time, and its peak memory (ru_maxrss), which a
// run in the same process as an earlier one could not show.
TResult RunInChild(TPass pass, const std::string& file) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(2);
  const pid_t pid = fork();
  if (pid < 0) std::exit(2);
  if (pid == 0) {
    close(fds[0]);
    const auto t0 = Clock::now();
    TResult r{0, 0, 0, 0, 0};
    r.Items = pass(file, r.Bytes);
    r.Seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const ssize_t n = write(fds[1], &r, sizeof r);
    _exit(n == static_cast<ssize_t>(sizeof r) ? 0 : 1);
  }
  close(fds[1]);
  TResult r{};
  const ssize_t n = read(fds[0], &r, sizeof r);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (n != static_cast<ssize_t>(sizeof r) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "measurement failed\n");
    std::exit(3);
  }
  r.PeakKiB = usage.ru_maxrss;
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Keeps the best time and the highest peak.
void Keep(TResult& best, const TResult& r) {
  if (r.Seconds < best.Seconds) best.Seconds = r.Seconds;
  if (r.PeakKiB > best.PeakKiB) best.PeakKiB = r.PeakKiB;
  best.Items = r.Items;
  best.Bytes = r.Bytes;
}

// FILE's bytes with every CR and LF turned into a blank, written to ONELINE.
bool WriteOneLine(const std::string& file, const std::string& oneLine) {
  const int in = open(file.c_str(), O_RDONLY);
  const int out = open(oneLine.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  bool ok = in >= 0 && out >= 0;
  static char block[1 << 20];
  while (ok) {
    const ssize_t n = read(in, block, sizeof block);
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (char* c = block; c != block + n; ++c)
      if (*c == '\r' || *c == '\n') *c = ' ';
    ok = write(out, block, static_cast<std::size_t>(n)) == n;
  }
  if (in >= 0) close(in);
  if (out >= 0 && close(out) != 0) ok = false;
  return ok;
}

int OneLine(const std::string& file, int runs, double mb) {
  const std::string oneLine = file + ".one-line";
  if (!WriteOneLine(file, oneLine)) {
    std::fprintf(stderr, "cannot write %s\n", oneLine.c_str());
    return 2;
  }
  TResult lines{1e300, 0, 0, 0, 0}, one{1e300, 0, 0, 0, 0};
  for (int i = 0; i < runs; ++i) {
    Keep(lines, RunInChild(ReaderPass, file));
    Keep(one, RunInChild(ReaderPass, oneLine));
  }
  std::remove(oneLine.c_str());
  std::printf("file              %s, %.1f MB\n", file.c_str(), mb);
  std::printf("in its lines      %.3f s  %8.1f MB/s  peak %.1f MB\n", lines.Seconds, mb / lines.Seconds,
              static_cast<double>(lines.PeakKiB) / 1024.0);
  std::printf("as one line       %.3f s  %8.1f MB/s  peak %.1f MB\n", one.Seconds, mb / one.Seconds,
              static_cast<double>(one.PeakKiB) / 1024.0);
  std::printf("time ratio        %.2fx the lines\n", one.Seconds / lines.Seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool oneLine = argc > 1 && std::strcmp(argv[1], "--one-line") == 0;
  if (oneLine) --argc, ++argv;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s [--one-line] FILE [RUNS]\n", argv[0]);
    return 2;
  }
  const std::string file = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), ec.message().c_str());
    return 2;
  }
  const double mb = static_cast<double>(size) / 1e6;
  if (oneLine) return OneLine(file, runs, mb);

  TResult raw{1e300, 0, 0, 0, 0}, reader{1e300, 0, 0, 0, 0};
  std::vector<double> rawTimes, readerTimes;
  for (int i = 0; i < runs; ++i) {
    const TResult r = RunInChild(RawPass, file), j = RunInChild(ReaderPass, file);
    Keep(raw, r);
    Keep(reader, j);
    rawTimes.push_back(r.Seconds);
    readerTimes.push_back(j.Seconds);
  }
  raw.Median = Median(rawTimes);
  reader.Median = Median(readerTimes);

  std::printf("file              %s, %.1f MB, %lld lines\n", file.c_str(), mb,
              static_cast<long long>(raw.Items));
  std::printf("raw baseline      %.3f s  %8.1f MB/s  peak %.1f MB\n", raw.Seconds, mb / raw.Seconds,
              static_cast<double>(raw.PeakKiB) / 1024.0);
  std::printf("JwwReadFile       %.3f s  %8.1f MB/s  peak %.1f MB  (%lld entities)\n", reader.Seconds,
              mb / reader.Seconds, static_cast<double>(reader.PeakKiB) / 1024.0,
              static_cast<long long>(reader.Items));
  std::printf("records           %.1f MB, %.1f bytes per entity\n",
              static_cast<double>(reader.Bytes) / 1048576.0,
              static_cast<double>(reader.Bytes) / static_cast<double>(std::max<int64_t>(1, reader.Items)));
  std::printf("medians           raw %.3f s, JwwReadFile %.3f s\n", raw.Median, reader.Median);
  std::printf("time ratio        best %.1fx, median %.1fx the baseline\n", reader.Seconds / raw.Seconds,
              reader.Median / raw.Median);
  std::printf("peak memory       %.2fx the file size\n",
              static_cast<double>(reader.PeakKiB) * 1024.0 / static_cast<double>(size));
  return 0;
}
