// ReadSetting on a value of any type and any bytes, as another program may have stored it.
// Input: one byte of value type, then the data.

#include <cstdint>
#include <string>

#include "platform/sim/sim_registry.h"
#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  if (size == 0) return 0;
  sim::SimRegistry registry;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  registry.Put(settings::kProductRoot, settings::kProductKey, "cnt", data[0] % 12, bytes);
  const settings::SettingText read =
      settings::ReadSetting(registry, settings::kProductRoot, settings::kProductKey, "cnt");
  if (read.text.size() > 2 + 2 * settings::kValueBufferSize) __builtin_trap();  // "&h" + two digits a byte
  if (!read.found && !read.text.empty()) __builtin_trap();
  if (registry.OpenHandles() != 0) __builtin_trap();  // every key opened is closed
  return 0;
}
