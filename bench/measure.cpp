#include "bench/measure.h"

#include <psapi.h>

#include <cstdio>
#include <cstring>

namespace bench {
namespace {

double FileTimeMs(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 10000.0;  // 100 ns units
}

void WriteAll(HANDLE file, const char* text, DWORD length) {
  DWORD written = 0;
  WriteFile(file, text, length, &written, nullptr);
}

}  // namespace

double MsSinceCreation() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  FILETIME creation, exit, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) return -1;
  return FileTimeMs(now) - FileTimeMs(creation);
}

ProcessFigures ReadProcessFigures() {
  ProcessFigures figures;
  // The clock first, so that reading the rest is not counted in the time.
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  FILETIME creation, exit, kernel, user;
  if (GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) {
    figures.since_creation_ms = FileTimeMs(now) - FileTimeMs(creation);
    figures.cpu_ms = FileTimeMs(kernel) + FileTimeMs(user);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
    figures.peak_working_set_mb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    figures.peak_pagefile_mb = static_cast<double>(memory.PeakPagefileUsage) / (1024.0 * 1024.0);
  }
  return figures;
}

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

ResultLine::ResultLine(const char* program) {
  text_[0] = '\0';
  Append("program=");
  Append(program);
}

void ResultLine::Append(const char* text) {
  size_t room = sizeof text_ - length_ - 1;
  size_t length = std::strlen(text);
  if (length > room) length = room;
  std::memcpy(text_ + length_, text, length);
  length_ += length;
  text_[length_] = '\0';
}

void ResultLine::Add(const char* key, double value) {
  char item[128];
  std::snprintf(item, sizeof item, " %s=%.3f", key, value);
  Append(item);
}

void ResultLine::Add(const char* key, long long value) {
  char item[128];
  std::snprintf(item, sizeof item, " %s=%lld", key, value);
  Append(item);
}

void ResultLine::Emit() const {
  char line[sizeof text_ + 2];
  int length = std::snprintf(line, sizeof line, "%s\n", text_);
  // A windowed program has a standard output only when its starter gave it one
  // (as the shell does when it runs the program through Wine).
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output && output != INVALID_HANDLE_VALUE) WriteAll(output, line, static_cast<DWORD>(length));

  wchar_t path[MAX_PATH];
  DWORD path_length = GetEnvironmentVariableW(L"TARVELLO_BENCH_OUTPUT", path, MAX_PATH);
  if (path_length == 0 || path_length >= MAX_PATH) return;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  WriteAll(file, line, static_cast<DWORD>(length));
  CloseHandle(file);
}

}  // namespace bench
