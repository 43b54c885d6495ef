// bench_row [N] [RUNS]: how long a row of N dimensions (default 100000) takes: finding where a
// fence crosses the lines of a generated drawing (N lines across it among as many beside it, read
// from the exchange file's text beforehand), and placing N values of a crowded row. Prints the
// best and the median of RUNS runs (default 5) of each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "FenceCrossings.h"
#include "RowPlacement.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
void Time(const char* what, int runs, F f) {
  std::vector<double> s;
  for (int r = 0; r < runs; ++r) {
    const Clock::time_point t0 = Clock::now();
    f();
    s.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
  }
  std::sort(s.begin(), s.end());
  std::printf("%-40s best %.4f s, median %.4f s\n", what, s.front(), s[s.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (n < 2 || runs < 1) {
    std::fprintf(stderr, "usage: bench_row [N >= 2] [RUNS >= 1]\n");
    return 2;
  }
  std::mt19937 rng(29);
  std::uniform_real_distribution<double> unit(0, 1);

  // A wall of N lines across the fence y = 0 (plumb, slanted, some touching it), shuffled with as
  // many lines that miss it and a tenth as many dimension lines (z3).
  std::vector<std::string> lines;
  double x = 0;
  for (int i = 0; i < n; ++i) {
    x += 0.05 + 10 * unit(rng) * unit(rng);
    char l[128];
    std::snprintf(l, sizeof l, "%.3f %.3f %.3f %.3f\n", x, -50 * unit(rng), x + unit(rng) - 0.5,
                  50 * unit(rng));
    lines.push_back(l);
    std::snprintf(l, sizeof l, "%.3f %.3f %.3f %.3f\n", x, 1 + unit(rng), x + 5, 60 * unit(rng) + 1);
    lines.push_back(l);
    if (i % 10 == 0) lines.push_back("z3\n" + std::string(l));
  }
  std::shuffle(lines.begin(), lines.end(), rng);
  std::string text = "hq\nhk 0\n";
  for (const std::string& l : lines) text += l;
  JwwState host;
  JwwReadBuffer(host, text);
  TDimensionInput in;
  in.Direction = TDirection::Horizontal;
  const TFrameTurn turn = FrameTurn(in);
  const TFence fence{{-1, 0}, {x + 1, 0}, {0, 30}};
  std::size_t found = 0;
  Time("fence across the drawing's lines", runs,
       [&] { found = FenceCrossings(host, fence, turn).Points.size(); });
  std::printf("  %d lines read, %zu measured points\n", host.Lines.Count(), found);

  // A crowded row: N segments, a third of them too short for their value.
  TRowInput row;
  row.Ends.push_back(0);
  for (int i = 0; i < n; ++i) {
    const double kind = unit(rng);
    row.Ends.push_back(row.Ends.back() + (kind < 0.3   ? 0.2 + unit(rng)
                                          : kind < 0.7 ? 3 + 5 * unit(rng)
                                                       : 10 + 20 * unit(rng)));
    row.Extents.push_back(2 + 6 * unit(rng));
    row.Heights.push_back(2.5);
  }
  row.TextGap = 0.5;
  row.StartReach = row.EndReach = 2.9;
  row.MarkerHalfWidth = 0.8;
  row.Overhang = 2;
  for (bool upAway : {true, false}) {
    row.UpAway = upAway;
    std::vector<TRowValue> placed;
    Time(upAway ? "placing the values (text up away)" : "placing the values (text up towards)", runs,
         [&] { placed = PlaceRowValues(row); });
    int moved = 0, further = 0;
    double first = 0, top = 0;  // where the first row of moved values starts, how far out they reach
    for (const TRowValue& v : placed) {
      moved += v.Row > 0;
      further += v.Row > 1;
      if (v.Row == 1) first = std::min(v.Box.Y0, v.Box.Y1);
      top = std::max(top, v.Box.Y1);
    }
    std::printf("  %zu values, %d moved, %d of them in the second row; first row at %.1f, top %.1f\n",
                placed.size(), moved, further, first, top);
  }
  return 0;
}
