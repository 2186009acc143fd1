// The doubles report each call by appending a line to the file named by
// ZARUMO_DOUBLE_LOG, and take their answers from ZARUMO_DOUBLE_ANSWERS.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

inline std::string DoubleEnv(const char* name) {
  char value[1024] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length && length < sizeof value ? std::string(value, length) : std::string();
}

inline void DoubleLog(const std::string& line) {
  std::string path = DoubleEnv("ZARUMO_DOUBLE_LOG");
  if (path.empty()) return;
  if (FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

// Answers are the characters of a file, taken one per call and removed.
inline int DoubleNextAnswer(int fallback) {
  std::string path = DoubleEnv("ZARUMO_DOUBLE_ANSWERS");
  if (path.empty()) return fallback;
  std::string answers;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[256];
    size_t got = std::fread(buffer, 1, sizeof buffer, file);
    answers.assign(buffer, got);
    std::fclose(file);
  }
  if (answers.empty()) return fallback;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(answers.data() + 1, 1, answers.size() - 1, file);
    std::fclose(file);
  }
  return answers[0] - '0';
}
