#include <doctest/doctest.h>

#include "desktop/window_description.h"

using desktop::DescriptionError;
using desktop::ParseWindowDescription;

TEST_CASE("a description reads into elements with parents and settings") {
  auto elements = ParseWindowDescription(
      "# comment line\n"
      "form Form1 color=btnface\r\n"
      "\n"
      "panel  Panel1\tparent=Form1 at=8,-3 text=\"два слова \\\"й\\\" \\\\\"  # trailing comment\n"
      "label Label5 parent=Panel1 font=\"Courier:11:cyrillic\" empty=\"\"");
  REQUIRE(elements.size() == 3);
  CHECK(elements[0].kind == "form");
  CHECK(elements[0].parent.empty());
  CHECK(elements[0].properties.at("color") == "btnface");
  CHECK(elements[1].name == "Panel1");
  CHECK(elements[1].parent == "Form1");
  CHECK(elements[1].line == 4);
  CHECK(elements[1].properties.at("at") == "8,-3");
  CHECK(elements[1].properties.at("text") == "два слова \"й\" \\");
  CHECK(elements[1].properties.count("parent") == 0);
  CHECK(elements[2].properties.at("font") == "Courier:11:cyrillic");
  CHECK(elements[2].properties.at("empty").empty());
}

TEST_CASE("malformed descriptions are refused with the line named") {
  struct Case {
    const char* text;
    const char* message_part;
  };
  const Case cases[] = {
      {"", "no elements"},
      {"# only a comment", "no elements"},
      {"form", "no name"},
      {"form Form1 key", "'=' was expected"},
      {"form Form1 =x", "a name was expected"},
      {"form Form1 text=\"open", "not closed"},
      {"form Form1 text=\"a\\n\"", "escaped"},
      {"form Form1 a=1 a=2", "given twice"},
      {"form Form1\npanel P parent=Form1 parent=Form1", "parent is given twice"},
      {"form Form1\npanel Form1 parent=Form1", "line 2: Form1 is already defined"},
      {"form Form1\npanel P parent=Nowhere", "line 2: parent Nowhere is not defined above"},
      {"form Form1\npanel P parent=P", "not defined above"},
      {"form Form1\nform Form2", "line 2: Form2 has no parent"},
      {"form Form1\npanel P parent=", "parent is empty"},
      {"form Form1-x", "a space was expected"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.text);
    try {
      ParseWindowDescription(c.text);
      FAIL("accepted");
    } catch (const DescriptionError& error) {
      CHECK(std::string(error.what()).find(c.message_part) != std::string::npos);
    }
  }
}

TEST_CASE("numbers, pairs and yes/no values") {
  CHECK(desktop::ParseInt("-3") == -3);
  CHECK(desktop::ParseInt("1020") == 1020);
  CHECK(desktop::ParseIntPair("272,0") == std::pair{272, 0});
  CHECK(desktop::ParseBool("yes"));
  CHECK_FALSE(desktop::ParseBool("no"));
  for (const char* bad : {"", "1x", "+1", " 1", "99999999999", "2147483648", "0x10"}) {
    CAPTURE(bad);
    CHECK_THROWS_AS(desktop::ParseInt(bad), DescriptionError);
  }
  CHECK_THROWS_AS(desktop::ParseIntPair("1"), DescriptionError);
  CHECK_THROWS_AS(desktop::ParseIntPair("1,2,3"), DescriptionError);
  CHECK_THROWS_AS(desktop::ParseBool("true"), DescriptionError);
  CHECK(desktop::SplitList("a::b", ':') == std::vector<std::string>{"a", "", "b"});
}
