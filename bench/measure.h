// What both start-up programs measure about themselves, and the one line of
// results each prints.
#pragma once

#include <windows.h>

namespace bench {

// Milliseconds from this process's creation (as the system recorded it) to now.
double MsSinceCreation();

struct ProcessFigures {
  double since_creation_ms = 0;  // creation to the moment of the reading
  double cpu_ms = 0;             // user + kernel time of the whole process so far
  double peak_working_set_mb = 0;
  double peak_pagefile_mb = 0;
};

// Reads the clock, the CPU time and the memory peaks, in that order.
ProcessFigures ReadProcessFigures();

// A high-resolution interval clock for timing work inside the process.
double NowMs();

// One result line: "key=value key=value ...". Written to standard output and,
// when TARVELLO_BENCH_OUTPUT names a file, appended to that file too.
class ResultLine {
 public:
  explicit ResultLine(const char* program);
  void Add(const char* key, double value);
  void Add(const char* key, long long value);
  void Emit() const;

 private:
  void Append(const char* text);
  char text_[2048];
  size_t length_ = 0;
};

}  // namespace bench
