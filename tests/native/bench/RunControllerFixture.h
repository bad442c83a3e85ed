#pragma once
// A main window with a run controller over the fakes: the game installed, the user's own
// SplinterCell3.ini in place, the built-in demos beside the launcher, and a stand-in for
// the game that the test ends (with or without a result file) one process at a time.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/RunController.h"
#include "fakes/FakeDateTimeText.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "launcher/FormRunSides.h"
#include "launcher/mainf.h"

// The window's side, written into the shared event log.
class RunHost : public TForm1Host {
 public:
  explicit RunHost(std::vector<std::string>& log) : log_(log) {}
  void ShowSplash() override {}
  void CloseSplash() override {}
  void ApplyGroupBarColours(const GroupBarColours&) override {}
  void MinimizeApplication() override {}
  void TerminateApplication() override {}
  void ShowHardwareDialog() override {}
  void RepaintNow() override { log_.push_back("repaint"); }

 private:
  std::vector<std::string>& log_;
};

struct RunWorld {
  static constexpr const char* kSystem = "C:\\Games\\SCCT\\system\\";
  static constexpr const char* kConfig = "C:\\ProgramData\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\";
  static constexpr const char* kProgram = "C:\\Program Files\\Lumenrig\\";
  static constexpr const char* kResults = "C:\\Program Files\\Lumenrig\\Benchmark\\";
  static constexpr const char* kUserIni = "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n; the user's own\r\n";
  static constexpr platform::RegRoot HKLM = platform::RegRoot::LocalMachine;

  RunWorld() {
    os.clock.onWait = [this](uint32_t ms) { log.push_back("wait " + std::to_string(ms)); };
    os.messages.onShow = [this](const ShownMessage& m) { log.push_back("box: " + m.text); };
    os.files.AddFolder(kSystem);
    os.files.AddFile(Ini(), kUserIni);
    for (const char* demo : {"01_Lighthouse.dem", "02_voru3v.dem", "03_voru3v.dem"})
      os.files.AddFile(std::string(kProgram) + "Demos\\" + demo, std::string("demo ") + demo);
    os.files.AddFolder(kResults);
    os.registry.AddKey(HKLM, settings::SettingsStore::kKeyPath);

    form = std::make_unique<TForm1>(os.Services(), dialogs, host, &os.processes);
    form->GameInstall.InstallDir = "C:\\Games\\SCCT";
    form->GameInstall.SystemFolder = kSystem;
    form->GameInstall.ConfigFolder = kConfig;
    form->ProgramFolder = kProgram;
    form->ResultsFolder = kResults;
    form->ResEdit.SetText(kResults);
    form->SC3PathEdit.SetText(kSystem);
    form->demo.SetItemIndex(0);
    form->Shader.SetItemIndex(0);
    sides = std::make_unique<launcher::FormRunSides>(*form);
    run = std::make_unique<bench::RunController>(sides->Parts(), dateTime);
    form->Run = run.get();
    os.registry.writes.clear();
    log.clear();
  }

  static std::string Ini() { return std::string(kConfig) + "SplinterCell3.ini"; }
  static std::string Backup() { return std::string(kConfig) + "SplinterCell3_old.ini"; }
  static std::string Batch() { return std::string(kSystem) + "lumenrig.bat"; }
  static std::string Result() { return std::string(kSystem) + "TimeDemoResult.xls"; }
  static std::string ResultCopy() { return std::string(kSystem) + "TimeDemoResult.txt"; }

  void Check(std::initializer_list<int> rows) {
    for (int row : rows) form->res.SetChecked(static_cast<size_t>(row), true);
  }
  std::string Flag() const { return os.registry.Text(HKLM, settings::SettingsStore::kKeyPath, "NoErrorWarning"); }
  void SetFlag(const std::string& text) {
    os.registry.SetString(HKLM, settings::SettingsStore::kKeyPath, "NoErrorWarning", text);
  }
  size_t Started() const { return os.processes.started.size(); }
  bool GameRunning() const { return Started() > 0 && os.processes.started.back().running; }

  // The click of the run button, as the window makes it.
  void Click() { form->BenchButtonClick(); }
  // The running game ends; with a score it leaves a result file first, as the game does.
  void GameEnds(const std::string& score = "61.73", uint32_t exitCode = 0) {
    ASSERT_TRUE(GameRunning());
    if (!score.empty()) os.files.WriteAll(Result(), "Demo: 01_Lighthouse.dem\r\nAverage FPS\r\n" + score + "\t0\r\n");
    os.processes.End(Started() - 1, exitCode);
    os.processes.RunPending();
  }
  // Ends every game of a run, each with a result; returns the bench command of each start.
  std::vector<std::string> RunToTheEnd() {
    std::vector<std::string> commands;
    for (int guard = 0; guard < 10 && GameRunning(); ++guard) {
      commands.push_back(run->Run().Command);
      GameEnds();
    }
    return commands;
  }
  std::vector<std::string> Boxes() const { return os.messages.Texts(); }

  std::vector<std::string> log;
  FakePlatform os;
  FakeFileDialogs dialogs;
  RunHost host{log};
  FakeDateTimeText dateTime;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<launcher::FormRunSides> sides;
  std::unique_ptr<bench::RunController> run;
};

class RunControllerTest : public ::testing::Test, public RunWorld {};

inline std::string BenchFixtureFile(const std::string& name) {
  std::ifstream in(std::string(LUMENRIG_FIXTURES_DIR) + "/bench/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
