// Port: conversion between UTF-8 and the system's ANSI code page (932 on the users' machines).
#pragma once

#include <string>
#include <string_view>

namespace platform {

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;
  // Characters the code page lacks become its default character ('?'); usedDefault tells.
  virtual std::string Utf8ToAnsi(std::string_view utf8, bool* usedDefault = nullptr) = 0;
};

}  // namespace platform
