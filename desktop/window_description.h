// The desktop window's element tree as data: a small line-based text format,
// parsed without any window so it can be checked (and fuzzed) on any host.
//
//   # comment
//   kind Name key=value key="quoted value" ...
//
// One element per line; an element's parent must appear before it. Values
// are UTF-8; inside quotes, \" and \\ escape themselves.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace desktop {

struct ElementDescription {
  std::string kind;
  std::string name;
  std::string parent;  // empty for the top-level element
  int line = 0;        // where it stands in the text, for messages
  std::map<std::string, std::string> properties;  // without "parent"
};

class DescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the whole text. Throws DescriptionError naming the line for any
// malformed line, a repeated name or key, an unknown parent or a second
// top-level element.
std::vector<ElementDescription> ParseWindowDescription(const std::string& text);

// Helpers for property values, each throwing DescriptionError on bad input.
int ParseInt(const std::string& value);
std::pair<int, int> ParseIntPair(const std::string& value);  // "12,-3"
bool ParseBool(const std::string& value);                     // yes/no
std::vector<std::string> SplitList(const std::string& value, char separator);

}  // namespace desktop
