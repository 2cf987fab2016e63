#include "desktop/file_names.h"

namespace desktop {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i) {
    if (Lower(text[i]) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsProgramFileName(std::u16string_view name) {
  for (std::u16string_view extension : {u".exe", u".com", u".bat", u".pif"}) {
    if (EndsWithIgnoringCase(name, extension)) return true;
  }
  return false;
}

std::u16string JoinPath(std::u16string_view directory, std::u16string_view name) {
  std::u16string path(directory);
  if (path.empty() || (path.back() != u'\\' && path.back() != u'/')) path += u'\\';
  path += name;
  return path;
}

}  // namespace desktop
