#include <doctest/doctest.h>

#include <cstring>
#include <stdexcept>

#include "commands/cp1251.h"
#include "commands/script_reader.h"

#ifdef _WIN32
#include <windows.h>
#endif

using commands::ReadScript;
using commands::ScriptCommand;

namespace {

// An endless file: the same byte forever after an optional start.
class EndlessSource : public commands::ByteSource {
 public:
  EndlessSource(std::string start, char filler) : start_(std::move(start)), filler_(filler) {}
  size_t Read(char* buffer, size_t size) override {
    size_t from_start = std::min(size, start_.size() - std::min(start_.size(), served_));
    std::memcpy(buffer, start_.data() + served_, from_start);
    std::memset(buffer + from_start, filler_, size - from_start);
    served_ += size;
    return size;
  }
  size_t served_ = 0;

 private:
  std::string start_;
  char filler_;
};

class FailingSource : public commands::ByteSource {
 public:
  size_t Read(char*, size_t) override { throw std::runtime_error("the disk went away"); }
};

}  // namespace

TEST_CASE("line 1 names the command, compared whole; line 2 is read for execute only") {
  struct Case {
    std::string bytes;
    ScriptCommand command;
    std::string argument;
  };
  const Case cases[] = {
      {"open", ScriptCommand::Open, ""},
      {"open\r\nwhatever\r\n", ScriptCommand::Open, ""},
      {"close\n", ScriptCommand::Close, ""},
      {"close\r\n\r\n", ScriptCommand::Close, ""},
      {"execute\r\nc:\\windows\\notepad.exe\r\nignored", ScriptCommand::Execute, "c:\\windows\\notepad.exe"},
      {"execute\nreadme.txt\nignored\n", ScriptCommand::Execute, "readme.txt"},
      {"execute\nlast line without end", ScriptCommand::Execute, "last line without end"},
      {"execute", ScriptCommand::Execute, ""},
      {"execute\r\n", ScriptCommand::Execute, ""},
      {"execute\n\xc4\xee\xea\xf3\xec\xe5\xed\xf2.txt\n", ScriptCommand::Execute, "\xc4\xee\xea\xf3\xec\xe5\xed\xf2.txt"},
      {"execute\r\na\rb\r\n", ScriptCommand::Execute, "a\rb"},  // a lone CR is no line end
      {"", ScriptCommand::None, ""},
      {"\n", ScriptCommand::None, ""},
      {"\r\n", ScriptCommand::None, ""},
      {"Open", ScriptCommand::None, ""},
      {"OPEN\n", ScriptCommand::None, ""},
      {"open \n", ScriptCommand::None, ""},
      {" open\n", ScriptCommand::None, ""},
      {"\xef\xbb\xbfopen\n", ScriptCommand::None, ""},  // a byte-order mark in front
      {"open\r", ScriptCommand::None, ""},
      {"open\r\r\n", ScriptCommand::None, ""},
      {"\nopen\n", ScriptCommand::None, ""},
      {"executed\nx\n", ScriptCommand::None, ""},
      {std::string("open\0", 5), ScriptCommand::None, ""},
      {"MZ\x90\x00\x03\x00\x00\x00\x04\x00", ScriptCommand::None, ""},  // a program file
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    CAPTURE(i);
    commands::Script script = ReadScript(cases[i].bytes);
    CHECK(script.command == cases[i].command);
    CHECK(script.argument == cases[i].argument);
    CHECK_FALSE(script.argument_too_long);
  }
}

TEST_CASE("line 2 has no limit of its own up to what the system accepts, and nothing past it is kept") {
  std::string longest(commands::kMaxArgumentBytes, 'd');
  CHECK(ReadScript("execute\r\n" + longest + "\r\n").argument == longest);
  CHECK(ReadScript("execute\n" + longest).argument == longest);
  commands::Script too_long = ReadScript("execute\n" + longest + "d\n");
  CHECK(too_long.argument_too_long);
  CHECK(too_long.argument.empty());
}

TEST_CASE("a hostile file is read only as far as the command needs") {
  SUBCASE("a first line without end stops once it cannot be a command") {
    EndlessSource source("", 'x');
    CHECK(ReadScript(source).command == ScriptCommand::None);
    CHECK(source.served_ <= 4096);
  }
  SUBCASE("open, then an endless second line, is not read further") {
    EndlessSource source("open\n", 'x');
    CHECK(ReadScript(source).command == ScriptCommand::Open);
    CHECK(source.served_ <= 4096);
  }
  SUBCASE("an endless second line after execute stops at the limit") {
    EndlessSource source("execute\n", 'x');
    commands::Script script = ReadScript(source);
    CHECK(script.argument_too_long);
    CHECK(source.served_ <= commands::kMaxArgumentBytes + 2 * 4096);
  }
  SUBCASE("a read error is passed on") {
    FailingSource source;
    CHECK_THROWS_AS(ReadScript(source), std::runtime_error);
  }
}

TEST_CASE("code page 1251 converts as the platform converts it") {
  CHECK(commands::FromCp1251("open") == u"open");
  CHECK(commands::FromCp1251("\xc4\xee\xea\xf3\xec\xe5\xed\xf2") == u"Документ");
  CHECK(commands::FromCp1251("\xb2\xb3\xaf\xbf\xaa\xba\xa5\xb4") == u"ІіЇїЄєҐґ");
  CHECK(commands::FromCp1251("\xb9\x88\x98") == u"№€\u0098");
#ifdef _WIN32
  for (int byte = 0; byte < 256; ++byte) {
    CAPTURE(byte);
    char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    REQUIRE(MultiByteToWideChar(1251, 0, &narrow, 1, &wide, 1) == 1);
    CHECK(commands::FromCp1251(std::string_view(&narrow, 1)) == std::u16string(1, static_cast<char16_t>(wide)));
  }
#endif
}
