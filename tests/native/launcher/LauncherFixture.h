#pragma once
// A main window over the fakes, with the game installed or not, and the program's key
// filled from a table.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUpdatePlatform.h"
#include "launcher/EventGuard.h"
#include "settings/SettingsStore.h"
#include "launcher/mainf.h"

// Records what the window was asked to do, in one log shared with the clock and the boxes.
class FakeHost : public TForm1Host {
 public:
  explicit FakeHost(std::vector<std::string>& log) : log_(log) {}
  void ShowSplash() override { log_.push_back("splash shown"); }
  void CloseSplash() override { log_.push_back("splash closed"); }
  void ApplyGroupBarColours(const GroupBarColours&) override { log_.push_back("group bar colours"); }
  void MinimizeApplication() override { log_.push_back("minimise"); }
  void TerminateApplication() override { log_.push_back("terminate"); }
  void ShowHardwareDialog() override { log_.push_back("hardware dialog"); }
  void RepaintNow() override { log_.push_back("repaint"); }

 private:
  std::vector<std::string>& log_;
};

// One machine with the launcher on it. Table tests make a fresh one per row.
struct LauncherWorld {
  static constexpr const char* kInstallDir = "C:\\Games\\SCCT";
  static constexpr const char* kSystemFolder = "C:\\Games\\SCCT\\system\\";
  static constexpr const char* kProgramFolder = "C:\\Program Files\\Lumenrig\\";
  static constexpr const char* kConfigFolder =
      "C:\\ProgramData\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\";
  static constexpr platform::RegRoot HKLM = platform::RegRoot::LocalMachine;

  LauncherWorld() {
    os.display.AllSizes();
    os.clock.onWait = [this](uint32_t ms) { log.push_back("wait " + std::to_string(ms)); };
    os.messages.onShow = [this](const ShownMessage& m) { log.push_back("box: " + m.text); };
    updates.windows.onShow = [this](const std::string&) { log.push_back("update " + updates.windows.log.back()); };
  }

  void InstallGame(const std::string& version = "1.05.157") {
    os.registry.SetString(HKLM, launcher::kGameVersionsKeyPath, "SplinterCell3", version);
    os.registry.SetString(HKLM, launcher::kGameKeyPath, "InstallDir", kInstallDir);
    os.files.AddFolder(kSystemFolder);
  }
  void Store(const std::map<std::string, std::string>& values) {
    os.registry.AddKey(HKLM, settings::SettingsStore::kKeyPath);
    for (const auto& [name, text] : values) os.registry.SetString(HKLM, settings::SettingsStore::kKeyPath, name, text);
  }
  std::string Stored(const std::string& name) const {
    return os.registry.Text(HKLM, settings::SettingsStore::kKeyPath, name);
  }
  // Names written since the last call, in order ("name=text").
  std::vector<std::string> TakeWrites() {
    auto w = os.registry.writes;
    os.registry.writes.clear();
    return w;
  }
  TForm1& Start() {
    form = std::make_unique<TForm1>(os.Services(), dialogs, host);
    form->CreateUpdater(updates.Services());
    form->FormCreate();
    return *form;
  }
  // Runs a handler the way the window does: an unexpected exception ends in the error box.
  template <class F>
  void Event(F&& f) {
    launcher::Guarded(os.messages, std::forward<F>(f));
  }

  std::vector<std::string> log;
  FakePlatform os;
  FakeFileDialogs dialogs;
  FakeHost host{log};
  FakeUpdatePlatform updates{os};
  std::unique_ptr<TForm1> form;
};

class LauncherTest : public ::testing::Test, public LauncherWorld {};
