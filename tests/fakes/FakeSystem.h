#pragma once
// Small fakes of the system services: clock and waits, message boxes, the shell's "open",
// display modes and the fixed folders.
#include <deque>
#include <functional>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

// Records every blocking wait instead of sleeping; the clock moves on by the wait.
class FakeClock : public platform::Clock {
 public:
  platform::LocalTime now{2026, 12, 10, 14, 5, 9, 0, 4};
  uint32_t ticks = 100000;
  std::vector<uint32_t> waits;
  // Runs during each wait, after it was recorded (lets a test change the world meanwhile).
  std::function<void(uint32_t)> onWait;

  platform::LocalTime Now() override { return now; }
  uint32_t Ticks() override { return ticks; }
  void Wait(uint32_t ms) override {
    waits.push_back(ms);
    ticks += ms;
    if (onWait) onWait(ms);
  }
};

struct ShownMessage {
  std::string text;
  std::string caption;
  platform::MsgButtons buttons;
  platform::MsgIcon icon;
};

// Records every box; answers from `answers` in order, else with the box's first button.
class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  std::vector<ShownMessage> shown;
  std::deque<platform::MsgResult> answers;
  std::function<void(const ShownMessage&)> onShow;

  platform::MsgResult Show(const std::string& text, const std::string& caption,
                           platform::MsgButtons buttons, platform::MsgIcon icon) override;
  // The texts of all boxes shown, in order.
  std::vector<std::string> Texts() const;
};

struct ShellOpenCall {
  std::string verb, file, parameters, directory;
  int showCommand;
};

class FakeShell : public platform::Shell {
 public:
  std::vector<ShellOpenCall> opened;
  void Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& directory, int showCommand) override {
    opened.push_back({verb, file, parameters, directory, showCommand});
  }
};

class FakeDisplay : public platform::Display {
 public:
  std::vector<platform::DisplayMode> modes;
  // Every size from 640 x 480 to 2048 x 1536 in two colour depths.
  void AllSizes();
  // Sizes given as {w, h} pairs, each in 16 and 32 bit colour.
  void Sizes(std::initializer_list<std::pair<uint32_t, uint32_t>> sizes);
  bool ModeAt(uint32_t index, platform::DisplayMode& out) override {
    if (index >= modes.size()) return false;
    out = modes[index];
    return true;
  }
};

class FakeSystemFolders : public platform::SystemFolders {
 public:
  std::string moduleFileName = "C:\\Program Files\\Lumenrig\\lumenrig.exe";
  std::string commonAppData = "C:\\ProgramData";
  std::string systemDirectory = "C:\\windows\\system32";
  std::string tempPath = "C:\\Temp\\";
  std::string ModuleFileName() override { return moduleFileName; }
  std::string CommonAppData() override { return commonAppData; }
  std::string SystemDirectory() override { return systemDirectory; }
  std::string TempPath() override { return tempPath; }
};
