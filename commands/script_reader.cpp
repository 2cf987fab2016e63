#include "commands/script_reader.h"

#include <algorithm>
#include <cstring>

namespace commands {
namespace {

constexpr std::string_view kLongestCommand = "execute";

// Hands out the source's bytes one at a time from a small buffer.
class Bytes {
 public:
  explicit Bytes(ByteSource& source) : source_(source) {}

  bool Next(char& byte) {
    if (position_ == filled_) {
      filled_ = source_.Read(buffer_, sizeof buffer_);
      position_ = 0;
      if (filled_ == 0) return false;
    }
    byte = buffer_[position_++];
    return true;
  }

 private:
  ByteSource& source_;
  char buffer_[4096];
  size_t position_ = 0;
  size_t filled_ = 0;
};

// Reads one line into `line`, up to `limit` bytes of content; a CR right
// before the LF belongs to the line end. Returns false when the line is
// longer than the limit (reading stops there).
bool ReadLine(Bytes& bytes, std::string& line, size_t limit) {
  char byte;
  while (bytes.Next(byte)) {
    if (byte == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line.size() <= limit;
    }
    // One byte of slack for a CR that may turn out to end the line.
    if (line.size() > limit) return false;
    line.push_back(byte);
  }
  return line.size() <= limit;  // the last line may end with the file
}

class StringSource : public ByteSource {
 public:
  explicit StringSource(std::string_view bytes) : bytes_(bytes) {}
  size_t Read(char* buffer, size_t size) override {
    size_t count = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view bytes_;
};

}  // namespace

Script ReadScript(ByteSource& source) {
  Bytes bytes(source);
  Script script;
  std::string first;
  if (!ReadLine(bytes, first, kLongestCommand.size())) return script;
  if (first == "close") {
    script.command = ScriptCommand::Close;
  } else if (first == "open") {
    script.command = ScriptCommand::Open;
  } else if (first == "execute") {
    script.command = ScriptCommand::Execute;
    if (!ReadLine(bytes, script.argument, kMaxArgumentBytes)) {
      script.argument.clear();
      script.argument_too_long = true;
    }
  }
  return script;
}

Script ReadScript(std::string_view bytes) {
  StringSource source(bytes);
  return ReadScript(source);
}

}  // namespace commands
