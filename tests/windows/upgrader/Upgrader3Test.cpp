// The replacement program, the real Upgrader3.exe, installing an update into a launcher folder
// whose path has blanks ("...\Program Files\Lumenrig\"), as the launcher leaves it: the old
// files, the complete downloads under "*.uTMP" names and their list "Upgrader3.uLST".
// Every program it meets is a copy of the stand-in (see standin.cpp), which records its starts
// and exits; message boxes of the program are read and answered from here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ScratchFiles.h"

namespace {

const char* const kLauncherName = "lumenrig.exe";
const DWORD kWaitMs = 15000;  // bound of every wait for a process or a record

void WriteBytes(const std::string& path, const std::string& bytes) { ASSERT_TRUE(WriteText(path, bytes)) << path; }

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

// A message box of the program, as it was seen before it was answered.
struct Box {
  std::string caption;
  std::string text;
};

struct Finished {
  bool exited = false;
  DWORD exitCode = 0;
  std::vector<Box> boxes;
};

// Waits for the process to end, answering each message box it shows with its OK button.
Finished WaitAnsweringBoxes(HANDLE process, DWORD processId) {
  Finished result;
  std::set<HWND> answered;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    if (WaitForSingleObject(process, 10) == WAIT_OBJECT_0) {
      result.exited = true;
      GetExitCodeProcess(process, &result.exitCode);
      return result;
    }
    struct Search {
      DWORD processId;
      std::vector<HWND> boxes;
    } search{processId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD owner = 0;
          GetWindowThreadProcessId(hwnd, &owner);
          char cls[32] = "";
          GetClassNameA(hwnd, cls, sizeof cls);
          if (owner == s->processId && IsWindowVisible(hwnd) && !std::strcmp(cls, "#32770")) s->boxes.push_back(hwnd);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.boxes) {
      if (!answered.insert(box).second) continue;
      char caption[256] = "", text[4096] = "";
      GetWindowTextA(box, caption, sizeof caption);
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static text
      result.boxes.push_back({caption, text});
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
  }
  return result;
}

class Upgrader3 : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "lumenrig_upgrader_tests\\";
    CreateDirectoryA(base.c_str(), nullptr);
    root_ = base + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    for (char& c : root_) {
      if (c == '/') c = '_';  // parameterised test names
    }
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr)) << root_;
    ASSERT_TRUE(CreateDirectoryA((root_ + "Program Files").c_str(), nullptr));
    folder_ = root_ + "Program Files\\Lumenrig\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    launcher_ = folder_ + kLauncherName;

    standin_ = ReadText(LUMENRIG_UPGRADER_STANDIN);
    ASSERT_FALSE(standin_.empty()) << LUMENRIG_UPGRADER_STANDIN;
    // The replacement program runs from the temporary folder, as the launcher writes it there.
    upgrader_ = root_ + "Upgrader3.exe";
    ASSERT_TRUE(CopyFileA(LUMENRIG_UPGRADER3_EXE, upgrader_.c_str(), FALSE)) << LUMENRIG_UPGRADER3_EXE;
    // What the system would start for the unquoted "...\Program Files\Lumenrig\lumenrig.exe".
    WriteBytes(root_ + "Program.exe", Program("decoy"));

    record_ = root_ + "record.txt";
    SetEnvironmentVariableA("LUMENRIG_UPGRADER_RECORD", record_.c_str());
  }

  void TearDown() override {
    for (HANDLE h : started_) {
      WaitForSingleObject(h, kWaitMs);
      CloseHandle(h);
    }
    SetEnvironmentVariableA("LUMENRIG_UPGRADER_RECORD", nullptr);
  }

  // The stand-in's bytes as the program with this tag.
  std::string Program(const std::string& tag) const { return standin_ + "\nTAG:" + tag + "\n"; }

  // The launcher's folder as the launcher leaves it after the downloads: the files of `installed`
  // in place, the `downloaded` ones under their temporary names, and the list of complete ones.
  void Prepare(const std::vector<std::pair<std::string, std::string>>& installed,
               const std::vector<std::pair<std::string, std::string>>& downloaded, const std::string& list) {
    for (const auto& [name, bytes] : installed) WriteBytes(folder_ + name, bytes);
    for (const auto& [name, bytes] : downloaded) {
      // A download keeps the attributes it was written with.
      const std::string path = folder_ + name + ".uTMP";
      WriteBytes(path, bytes);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY);
    }
    WriteBytes(folder_ + "Upgrader3.uLST", list);
  }

  // Starts a program by its full path; the test waits for it at its end.
  DWORD Start(const std::string& program, const std::string& commandLine, HANDLE* processOut = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, root_.c_str(), &startup,
                        &info)) {
      ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
      return 0;
    }
    CloseHandle(info.hThread);
    if (processOut) {
      *processOut = info.hProcess;
    } else {
      started_.push_back(info.hProcess);
    }
    return info.dwProcessId;
  }

  // Runs Upgrader3.exe with this command line to its end.
  Finished RunUpgrader(const std::string& commandLine) {
    HANDLE process = nullptr;
    const DWORD id = Start(upgrader_, commandLine, &process);
    if (!process) return {};
    Finished finished = WaitAnsweringBoxes(process, id);
    if (!finished.exited) TerminateProcess(process, 99);
    CloseHandle(process);
    return finished;
  }

  // The command line the launcher writes: both paths quoted.
  std::string QuotedCommand(const std::string& method) const {
    return "\"" + upgrader_ + "\" \"" + launcher_ + "\" +/afterupgrade" + method;
  }

  std::vector<std::string> Record() const {
    std::vector<std::string> lines;
    const std::string text = ReadText(record_);
    size_t at = 0;
    while (at < text.size()) {
      const size_t end = text.find('\n', at);
      lines.push_back(text.substr(at, end - at));
      if (end == std::string::npos) break;
      at = end + 1;
    }
    return lines;
  }

  bool Recorded(const std::string& line) const {
    const std::vector<std::string> lines = Record();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  bool WaitForRecord(const std::string& line) const {
    return WaitUntil([&] { return Recorded(line); });
  }

  // The lines of the programs with these tags.
  std::vector<std::string> RecordOf(const std::set<std::string>& tags) const {
    std::vector<std::string> lines;
    for (const std::string& line : Record()) {
      const size_t from = line.find(' ') + 1;
      if (tags.count(line.substr(from, line.find(' ', from) - from))) lines.push_back(line);
    }
    return lines;
  }

  std::string root_, folder_, launcher_, upgrader_, record_, standin_;
  std::vector<HANDLE> started_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The launcher writes both paths quoted; older launchers wrote them bare, so that a folder with
// blanks reaches the program split into several arguments.
struct CommandForm {
  const char* name;
  bool quoted;
};
void PrintTo(const CommandForm& form, std::ostream* os) { *os << form.name; }

class Upgrader3CommandForms : public Upgrader3, public ::testing::WithParamInterface<CommandForm> {};

TEST_P(Upgrader3CommandForms, InstallsTheListedDownloadsAndStartsTheNewLauncherByItsPath) {
  Prepare({{kLauncherName, Program("old")}, {"data.pak", "old data"}, {"readme.txt", "old readme"}},
          {{kLauncherName, Program("new")}, {"data.pak", "new data"}, {"extra.dll", "unfinished download"}},
          "lumenrig.exe.uTMP\r\ndata.pak.uTMP\r\n");
  const std::string command = GetParam().quoted ? QuotedCommand("0")
                                                : upgrader_ + " " + launcher_ + " +/afterupgrade0";

  const Finished finished = RunUpgrader(command);

  ASSERT_TRUE(finished.exited);
  EXPECT_EQ(finished.exitCode, 0u);
  EXPECT_TRUE(finished.boxes.empty()) << finished.boxes.front().text;
  ASSERT_TRUE(WaitForRecord("exit new")) << Joined(Record());
  EXPECT_EQ(Joined(Record()), "start new args=/afterupgrade\nexit new\n");  // and never the decoy
  EXPECT_EQ(ReadText(launcher_), Program("new"));
  EXPECT_EQ(ReadText(folder_ + "data.pak"), "new data");
  EXPECT_EQ(ReadText(folder_ + "readme.txt"), "old readme");
  // The download that was not recorded as complete stays out; the backups and the list are gone.
  EXPECT_EQ(FileNames(folder_),
            (std::vector<std::string>{"data.pak", "extra.dll.uTMP", kLauncherName, "readme.txt"}));
  const DWORD attributes = GetFileAttributesA(launcher_.c_str());
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_FALSE(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY));
}

INSTANTIATE_TEST_SUITE_P(Forms, Upgrader3CommandForms,
                         ::testing::Values(CommandForm{"Quoted", true}, CommandForm{"OldUnquoted", false}),
                         [](const ::testing::TestParamInfo<CommandForm>& info) { return info.param.name; });

// Whatever keeps the launcher's file in use: the launcher itself still running, or another
// program that has it open. Either records at its end whether the update was still waiting.
struct Holder {
  const char* name;
  bool isLauncher;
};
void PrintTo(const Holder& holder, std::ostream* os) { *os << holder.name; }

class Upgrader3Waits : public Upgrader3, public ::testing::WithParamInterface<Holder> {};

TEST_P(Upgrader3Waits, ForTheLaunchersFileToBeFreeBeforeInstalling) {
  Prepare({{kLauncherName, Program("old")}}, {{kLauncherName, Program("new")}}, "lumenrig.exe.uTMP\r\n");
  const std::string pending = folder_ + "lumenrig.exe.uTMP";
  const std::string check = " --sleep 700 --check \"" + pending + "\"";
  std::string tag = "old";
  if (GetParam().isLauncher) {
    Start(launcher_, "\"" + launcher_ + "\"" + check);
    ASSERT_TRUE(WaitForRecord("start old args=" + check.substr(1))) << Joined(Record());
  } else {
    tag = "holder";
    WriteBytes(root_ + "holder.exe", Program(tag));
    Start(root_ + "holder.exe", "holder.exe --hold \"" + launcher_ + "\" lumenrig_unused_event" + check);
    ASSERT_TRUE(WaitForRecord("holding holder")) << Joined(Record());
  }

  const Finished finished = RunUpgrader(QuotedCommand("0"));

  ASSERT_TRUE(finished.exited);
  EXPECT_EQ(finished.exitCode, 0u);
  ASSERT_TRUE(WaitForRecord("exit new")) << Joined(Record());
  const std::vector<std::string> lines = Record();
  const auto holderExit = std::find(lines.begin(), lines.end(), "exit " + tag + " " + pending + "=present");
  const auto newStart = std::find(lines.begin(), lines.end(), "start new args=/afterupgrade");
  ASSERT_NE(holderExit, lines.end()) << Joined(lines);
  EXPECT_LT(holderExit, newStart) << Joined(lines);
  EXPECT_EQ(ReadText(launcher_), Program("new"));
}

INSTANTIATE_TEST_SUITE_P(Holders, Upgrader3Waits,
                         ::testing::Values(Holder{"RunningLauncher", true}, Holder{"ProgramHoldingIt", false}),
                         [](const ::testing::TestParamInfo<Holder>& info) { return info.param.name; });

TEST_F(Upgrader3, StartedOnItsOwnSaysWhatItIsAndDoesNothingElse) {
  Prepare({{kLauncherName, Program("old")}}, {{kLauncherName, Program("new")}}, "lumenrig.exe.uTMP\r\n");

  const Finished finished = RunUpgrader("\"" + upgrader_ + "\"");

  ASSERT_TRUE(finished.exited);
  EXPECT_EQ(finished.exitCode, 0u);
  ASSERT_EQ(finished.boxes.size(), 1u);
  EXPECT_EQ(finished.boxes[0].caption, "Upgrader3");
  EXPECT_EQ(finished.boxes[0].text.rfind("Upgrader3 installs a downloaded update", 0), 0u) << finished.boxes[0].text;
  EXPECT_EQ(Joined(Record()), "");
  EXPECT_EQ(ReadText(launcher_), Program("old"));
  EXPECT_EQ(FileNames(folder_), (std::vector<std::string>{"Upgrader3.uLST", kLauncherName, "lumenrig.exe.uTMP"}));
}

TEST_F(Upgrader3, SetupModeRunsTheSetupToItsEndRemovesItAndStartsTheLauncher) {
  // The setup program takes its time, so that the launcher's start shows the wait for its end.
  Prepare({{kLauncherName, Program("old")}}, {{"setup.exe", Program("setup --sleep 500")}}, "setup.exe.uTMP\r\n");

  const Finished finished = RunUpgrader(QuotedCommand("1"));

  ASSERT_TRUE(finished.exited);
  EXPECT_EQ(finished.exitCode, 0u);
  EXPECT_TRUE(finished.boxes.empty()) << finished.boxes.front().text;
  ASSERT_TRUE(WaitForRecord("exit old")) << Joined(Record());
  EXPECT_EQ(Joined(Record()),
            "start setup args=/afterupgrade\nexit setup\nstart old args=/afterupgrade\nexit old\n");
  EXPECT_EQ(FileNames(folder_), (std::vector<std::string>{kLauncherName}));
  EXPECT_EQ(ReadText(launcher_), Program("old"));
}

TEST_F(Upgrader3, ATargetInUseKeepsEveryPreviousFileStartsThePreviousLauncherAndSaysSoOnce) {
  // The launcher comes first, so that its replacement has to be undone when data.pak fails.
  const std::vector<std::pair<std::string, std::string>> old = {{kLauncherName, Program("old")},
                                                                {"data.pak", "old data"}};
  Prepare(old, {{kLauncherName, Program("new")}, {"data.pak", "new data"}}, "lumenrig.exe.uTMP\r\ndata.pak.uTMP\r\n");
  const std::string release = "lumenrig_upgrader_release_" + std::to_string(GetCurrentProcessId());
  HANDLE releaseEvent = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
  WriteBytes(root_ + "holder.exe", Program("holder"));
  Start(root_ + "holder.exe", "holder.exe --hold \"" + folder_ + "data.pak\" " + release);
  ASSERT_TRUE(WaitForRecord("holding holder")) << Joined(Record());

  const Finished finished = RunUpgrader(QuotedCommand("0"));
  SetEvent(releaseEvent);
  ASSERT_TRUE(WaitForRecord("exit holder"));
  CloseHandle(releaseEvent);

  ASSERT_TRUE(finished.exited);
  EXPECT_EQ(finished.exitCode, 1u);
  ASSERT_EQ(finished.boxes.size(), 1u);
  EXPECT_EQ(finished.boxes[0].caption, "Upgrader3");
  EXPECT_EQ(finished.boxes[0].text.rfind("The update was not installed.", 0), 0u) << finished.boxes[0].text;
  EXPECT_NE(finished.boxes[0].text.find(folder_ + "data.pak could not be replaced"), std::string::npos)
      << finished.boxes[0].text;
  EXPECT_NE(finished.boxes[0].text.find("All files have been kept as they were"), std::string::npos)
      << finished.boxes[0].text;
  // The previous version did not go through an update: it starts without the restart argument.
  ASSERT_TRUE(WaitForRecord("exit old")) << Joined(Record());
  EXPECT_EQ(Joined(RecordOf({"old", "new"})), "start old args=\nexit old\n");
  for (const auto& [name, bytes] : old) EXPECT_EQ(ReadText(folder_ + name), bytes) << name;
  // The downloads are back under their temporary names; no backup is left behind.
  EXPECT_EQ(ReadText(folder_ + "lumenrig.exe.uTMP"), Program("new"));
  EXPECT_EQ(FileNames(folder_),
            (std::vector<std::string>{"data.pak", "data.pak.uTMP", kLauncherName, "lumenrig.exe.uTMP"}));
}

}  // namespace
