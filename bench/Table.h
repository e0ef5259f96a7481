// The benchmark's one printed table: a row per measurement.
#pragma once

#include <cstdio>
#include <string>

inline void printSection(const std::string& title) { std::printf("\n%s\n", title.c_str()); }

inline void printRow(const std::string& what, const std::string& value) {
  std::printf("  %-58s %s\n", what.c_str(), value.c_str());
}

inline std::string format(const char* fmt, double a) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, fmt, a);
  return buffer;
}
