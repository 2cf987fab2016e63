// libFuzzer target: any bytes as a script file. The reader must never crash,
// read past what it was given, or keep more than the command needs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "commands/cp1251.h"
#include "commands/script_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  commands::Script script = commands::ReadScript(bytes);
  if (script.command != commands::ScriptCommand::Execute && !script.argument.empty()) std::abort();
  if (script.argument.size() > commands::kMaxArgumentBytes) std::abort();
  if (script.argument.size() > size) std::abort();
  if (commands::FromCp1251(script.argument).size() != script.argument.size()) std::abort();
  return 0;
}
