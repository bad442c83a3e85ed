#pragma once
// HardwareInfo: the six lines that describe the machine, as the diagnostic report gives
// them, and the registry values that keep them between starts.
#include <array>
#include <cstddef>
#include <string>

namespace hwinfo {

struct HardwareField {
  const char* name;       // the field
  const char* valueName;  // its registry value under the program's key
  const char* label;      // the report label that marks its line
};

// Display order everywhere: the memo, the parse, the report.
inline constexpr std::array<HardwareField, 6> kHardwareFields{{
    {"OS", "OS", "Operating System:"},
    {"CPU", "CPU", "Processor:"},
    {"Memory", "Memory", "Memory:"},
    {"VGA", "VGA", "Card name:"},
    {"VGA Memory", "VGA Memory", "Display Memory:"},
    {"VGA Driver", "VGA Driver", "Driver Version:"},
}};

// "1" while the six values are stored, "0" after they were cleared.
inline constexpr const char* kSaveInfoValue = "Save Info";

struct HardwareInfo {
  // By the index of kHardwareFields.
  std::array<std::string, kHardwareFields.size()> Lines;

  const std::string& OS() const { return Lines[0]; }
  const std::string& CPU() const { return Lines[1]; }
  const std::string& Memory() const { return Lines[2]; }
  const std::string& VGA() const { return Lines[3]; }
  const std::string& VGAMemory() const { return Lines[4]; }
  const std::string& VGADriver() const { return Lines[5]; }

  bool operator==(const HardwareInfo&) const = default;
};

}  // namespace hwinfo
