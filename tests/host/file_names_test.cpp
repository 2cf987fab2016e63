#include <doctest/doctest.h>

#include "desktop/file_names.h"

TEST_CASE("program files are told by their extension, in any letter case") {
  struct Case {
    const char16_t* name;
    bool program;
  };
  const Case cases[] = {
      {u"run.exe", true},     {u"RUN.EXE", true},  {u"setup.Com", true},   {u"go.bAt", true},
      {u"old.PIF", true},     {u"exe", false},     {u".exe", true},        {u"notes.txt", false},
      {u"archive.exe.txt", false}, {u"script.cmd", false}, {u"program.ex", false}, {u"", false},
      {u"програма.ЕХЕ", false},  // Cyrillic letters that only look like Latin ones
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    CAPTURE(i);
    CHECK(desktop::IsProgramFileName(cases[i].name) == cases[i].program);
  }
}

TEST_CASE("a path is the directory, one backslash and the name") {
  CHECK(desktop::JoinPath(u"c:\\work", u"open.txt") == u"c:\\work\\open.txt");
  CHECK(desktop::JoinPath(u"c:\\", u"open.txt") == u"c:\\open.txt");
  CHECK(desktop::JoinPath(u"\\\\server\\share\\", u"a") == u"\\\\server\\share\\a");
}
