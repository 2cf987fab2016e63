#include "desktop/window_description.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>

namespace desktop {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

[[noreturn]] void Fail(int line, const std::string& what) {
  throw DescriptionError("window description, line " + std::to_string(line) + ": " + what);
}

// Splits one line into words; a word may contain quoted parts.
class LineReader {
 public:
  LineReader(const std::string& text, int line) : text_(text), line_(line) {}

  bool AtEnd() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    return pos_ == text_.size() || text_[pos_] == '#';
  }

  std::string Name() {
    size_t start = pos_;
    while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
    if (start == pos_) Fail(line_, "a name was expected");
    return text_.substr(start, pos_ - start);
  }

  void Expect(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) Fail(line_, std::string("'") + c + "' was expected");
    ++pos_;
  }

  void ExpectSpaceOrEnd() {
    if (pos_ < text_.size() && !IsSpace(text_[pos_])) Fail(line_, "a space was expected");
  }

  // A value runs to the next unquoted space; quoted parts keep their spaces.
  std::string Value() {
    std::string value;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) {
      char c = text_[pos_++];
      if (c != '"') {
        value += c;
        continue;
      }
      for (;;) {
        if (pos_ >= text_.size()) Fail(line_, "a quoted value is not closed");
        c = text_[pos_++];
        if (c == '"') break;
        if (c == '\\') {
          if (pos_ >= text_.size()) Fail(line_, "a quoted value is not closed");
          c = text_[pos_++];
          if (c != '"' && c != '\\') Fail(line_, "only \\\" and \\\\ may be escaped");
        }
        value += c;
      }
    }
    return value;
  }

 private:
  const std::string& text_;
  int line_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<ElementDescription> ParseWindowDescription(const std::string& text) {
  std::vector<ElementDescription> elements;
  std::set<std::string> names;
  int line_number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;

    LineReader reader(line, line_number);
    if (reader.AtEnd()) continue;
    ElementDescription element;
    element.line = line_number;
    element.kind = reader.Name();
    reader.ExpectSpaceOrEnd();
    if (reader.AtEnd()) Fail(line_number, "the element has no name");
    element.name = reader.Name();
    reader.ExpectSpaceOrEnd();
    while (!reader.AtEnd()) {
      std::string key = reader.Name();
      reader.Expect('=');
      std::string value = reader.Value();
      if (key == "parent") {
        if (!element.parent.empty()) Fail(line_number, "parent is given twice");
        if (value.empty()) Fail(line_number, "parent is empty");
        element.parent = value;
      } else if (!element.properties.emplace(key, value).second) {
        Fail(line_number, key + " is given twice");
      }
    }
    if (!names.insert(element.name).second) Fail(line_number, element.name + " is already defined");
    if (element.parent.empty()) {
      if (!elements.empty()) Fail(line_number, element.name + " has no parent");
    } else if (!names.count(element.parent) || element.parent == element.name) {
      Fail(line_number, "parent " + element.parent + " is not defined above");
    }
    elements.push_back(std::move(element));
  }
  if (elements.empty()) throw DescriptionError("window description: no elements");
  return elements;
}

int ParseInt(const std::string& value) {
  if (value.empty() || value.size() > 11) throw DescriptionError("not a number: \"" + value + "\"");
  char* end = nullptr;
  errno = 0;
  long result = std::strtol(value.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || result < INT_MIN || result > INT_MAX || value[0] == ' ' || value[0] == '+')
    throw DescriptionError("not a number: \"" + value + "\"");
  return static_cast<int>(result);
}

std::pair<int, int> ParseIntPair(const std::string& value) {
  auto parts = SplitList(value, ',');
  if (parts.size() != 2) throw DescriptionError("two numbers were expected: \"" + value + "\"");
  return {ParseInt(parts[0]), ParseInt(parts[1])};
}

bool ParseBool(const std::string& value) {
  if (value == "yes") return true;
  if (value == "no") return false;
  throw DescriptionError("yes or no was expected: \"" + value + "\"");
}

std::vector<std::string> SplitList(const std::string& value, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = value.find(separator, start);
    parts.push_back(value.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace desktop
