#pragma once
// One update component over fakes of everything it uses, with its events written down as
// lines of text, and helpers that serve the info file and the release's files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeUpdateSystem.h"
#include "fakes/FakeUpgradeUI.h"
#include "fakes/FakeWorkerThreads.h"
#include "update/auAutoUpgrader.h"

namespace updatetest {

constexpr const char* kInfoURL = "http://www.tavorin.example/lumenrig/update.txt";
constexpr const char* kInfoObject = "/lumenrig/update.txt";
constexpr const char* kProgramFolder = "C:\\Program Files\\Lumenrig\\";
constexpr const char* kExe = "C:\\Program Files\\Lumenrig\\lumenrig.exe";

struct UpgraderWorld {
  FakeFileSystem files;
  FakeHttpClientOnFiles http{files};
  FakeWorkerThreads threads;
  FakeRegistry registry;
  FakeFileDetails details{files};
  FakeSystemFolders folders;
  FakeShell shell;
  FakeProcesses processes;
  FakeTimerWindows timers;
  FakeLocalNetwork network;
  FakeModuleResources resources;
  FakeMessageWaits waits;
  FakeApplication app;
  FakeClock clock;
  FakeUpgradeUI ui;
  std::unique_ptr<update::TauAutoUpgrader> u;
  std::vector<std::string> events;
  std::vector<std::string> progress;  // "<percents>/<total>" of each OnProgress
  bool keepBuildKey = false;          // Make keeps the key the build carries

  UpgraderWorld() {
    files.AddFolder("C:\\Temp");
    files.AddFile(kExe, "old launcher");
    resources.resources[{"AUUPG", "AUUPG"}] = "MZ replacement program";
    Make();
  }

  void Make() {
    u = std::make_unique<update::TauAutoUpgrader>(update::TauUpgraderServices{
        http, threads, registry, files, details, folders, shell, processes, timers, network, resources, waits, app,
        clock, ui});
    using update::TauAutoUpgrader;
    // A launcher built without a publisher key; tests of the signed update set one.
    if (!keepBuildKey) u->PublisherKey.clear();
    u->InfoFileURL = kInfoURL;
    u->VersionControl = update::TauAutoUpgraderVersionControl::byNumber;
    u->VersionNumber = "1.2";
    u->OnBeginUpgrade = [this](TauAutoUpgrader*, const std::string& msg, update::TacUpgradeMethod m,
                               const std::vector<std::string>& list, bool&) {
      events.push_back("begin " + msg + " method " + std::to_string(static_cast<int>(m)) + " files " +
                       std::to_string(list.size()));
    };
    u->OnLaterUpgrade = [this](TauAutoUpgrader*) { events.push_back("later"); };
    u->OnNoUpdateAvailable = [this](TauAutoUpgrader*) { events.push_back("no update"); };
    u->OnNoInfoFile = [this](TauAutoUpgrader*) { events.push_back("no info file"); };
    u->OnHostUnreachable = [this](TauAutoUpgrader*, const std::string& url, const std::string& host) {
      events.push_back("unreachable " + url + " " + host);
    };
    u->OnConnLost = [this](TauAutoUpgrader*) { events.push_back("connection lost"); };
    u->OnAborted = [this](TauAutoUpgrader*) { events.push_back("aborted"); };
    u->OnFileStart = [this](TauAutoUpgrader*, const std::string& url, int size, update::TDateTime, bool& can) {
      events.push_back("file start " + url + " " + std::to_string(size) + (can ? "" : " (skip)"));
    };
    u->OnProgress = [this](TauAutoUpgrader*, const std::string&, int, int, int, int, uint8_t p, uint8_t t, float) {
      progress.push_back(std::to_string(p) + "/" + std::to_string(t));
    };
    u->OnFileDone = [this](TauAutoUpgrader*, const std::string& name) { events.push_back("file done " + name); };
    u->OnLostFile = [this](TauAutoUpgrader*, const std::string& url, int code, bool&) {
      events.push_back("lost " + url + " " + std::to_string(code));
    };
    u->OnEndUpgrade = [this](TauAutoUpgrader*, bool&) { events.push_back("end"); };
  }

  // Serves the info file with `text`.
  void Info(const std::string& text) { http.answers[kInfoObject] = {FakeHttpClient::Ok(text)}; }
  // Serves a release file at http://www.tavorin.example<object>.
  void Serve(const std::string& object, const std::string& body, const std::string& lastModified = "") {
    FakeHttpAnswer a = FakeHttpClient::Ok(body, "application/octet-stream");
    if (!lastModified.empty()) a.headers[FakeHttpClient::kLastModified] = lastModified;
    http.answers[object] = {a};
  }
  void Status(const std::string& object, int status) {
    FakeHttpAnswer a;
    a.status = status;
    a.body = "<html>not here</html>";
    http.answers[object] = {a};
  }

  // Runs the check and every transfer that follows from it.
  void Check() {
    u->CheckUpdate();
    Settle();
  }
  void Settle() { ASSERT_TRUE(threads.PumpUntil([&] { return !u->Busy(); })); }

  std::vector<std::string> TempFiles() { return files.ListFiles(kProgramFolder, "*.uTMP"); }
  std::string Program(const std::string& name) { return files.Content(std::string(kProgramFolder) + name); }
};

}  // namespace updatetest
