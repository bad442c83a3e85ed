#pragma once
#include <string>

// The bytes of tests/fixtures/<name>; an empty string fails the calling test.
std::string FixtureBytes(const std::string& name);

// What a report parse gives for the two recorded reports.
namespace expected {
inline const char* const kWindowsLines[] = {
    "Operating System: Windows 10 Pro 64-bit (10.0, Build 19045) (19041.vb_release.191206-1406)",
    "Processor: AMD Ryzen 5 3600 6-Core Processor              (12 CPUs), ~3.6GHz",
    "Memory: 16384MB RAM",
    "Card name: NVIDIA GeForce GTX 1060 6GB",
    "Display Memory: 14212 MB",
    "Driver Version: 31.0.15.3623",
};
inline const char* const kWineLines[] = {
    "Operating System: Windows XP Professional",
    "Processor: Intel(R) Xeon(R) Processor(2 CPUs), ~2599MHz",
    "Memory: 24105MB RAM",
    "", "", "",
};
}  // namespace expected
