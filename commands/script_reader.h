// Script files: line 1 names a command, line 2 is its argument. Read from
// bytes without any window, only as far as the command needs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace commands {

enum class ScriptCommand { None, Close, Open, Execute };

struct Script {
  ScriptCommand command = ScriptCommand::None;
  std::string argument;  // line 2, code page 1251 bytes; only read for "execute"
  bool argument_too_long = false;  // line 2 ran past kMaxArgumentBytes; argument is then empty
};

// Longer than any path or command line the platform accepts (32,767 characters).
inline constexpr size_t kMaxArgumentBytes = 32767;

// Where the bytes come from: Read fills up to size bytes and returns how many
// (0 at the end); it throws on a read error.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual size_t Read(char* buffer, size_t size) = 0;
};

// Lines end with LF or CR LF. Line 1 is compared whole, byte for byte, with
// "close", "open" and "execute": nothing trimmed, letter case counts. Reading
// stops as soon as line 1 can no longer be a command; line 2 is read only for
// "execute", and never past kMaxArgumentBytes.
Script ReadScript(ByteSource& source);
Script ReadScript(std::string_view bytes);

}  // namespace commands
