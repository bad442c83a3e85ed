// A stand-in for every program the replacement program meets in these tests: the launcher (old
// and new), a setup program, a decoy at the unquoted prefix of a path with blanks, and a program
// that keeps a file open. Which one it plays is told by the tag at the end of its own file
// ("\nTAG:<name>[ <options>]", appended by the test), so one build serves as several distinct
// programs; options in the tag apply however the program is started.
//
// Each run appends to the file named by LUMENRIG_UPGRADER_RECORD:
//   start <tag> args=<the command line after the program name>
//   exit <tag> [<file>=present|absent]
// Options, only given when a test starts it directly:
//   --sleep N          stay N milliseconds before exiting
//   --check FILE       at exit, record whether FILE exists
//   --hold FILE EVENT  open FILE for writing without sharing, record "holding <tag>", and keep it
//                      open until the named event is signalled, or for the --sleep time when one
//                      is given (at most 30 seconds)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string OwnTag() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string content;
  if (FILE* f = std::fopen(std::string(path, n).c_str(), "rb")) {
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, got);
    std::fclose(f);
  }
  const size_t at = content.rfind("\nTAG:");
  if (at == std::string::npos) return "untagged";
  std::string tag = content.substr(at + 5);
  while (!tag.empty() && (tag.back() == '\n' || tag.back() == '\r')) tag.pop_back();
  return tag;
}

// The command line after the program name, as the program received it.
std::string Arguments() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
    if (*line == '"') quoted = !quoted;
    ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

void Record(const std::string& line) {
  char record[MAX_PATH];
  if (!GetEnvironmentVariableA("LUMENRIG_UPGRADER_RECORD", record, MAX_PATH)) return;
  // Programs of one test may record at nearly the same time: retry while another one writes.
  for (int attempt = 0; attempt < 2000; ++attempt) {
    HANDLE file = CreateFileA(record, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      const std::string text = line + "\n";
      DWORD written = 0;
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    Sleep(1);
  }
}

}  // namespace

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  size_t at = 0;
  while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
    const size_t end = text.find(' ', at);
    words.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end;
  }
  return words;
}

int main(int argc, char** argv) {
  std::vector<std::string> options = Words(OwnTag());
  const std::string tag = options.empty() ? "untagged" : options.front();
  if (!options.empty()) options.erase(options.begin());
  for (int i = 1; i < argc; ++i) options.push_back(argv[i]);
  Record("start " + tag + " args=" + Arguments());

  unsigned long sleepMs = 0;
  std::string check, hold, release;
  for (size_t i = 0; i < options.size(); ++i) {
    if (options[i] == "--sleep" && i + 1 < options.size()) {
      sleepMs = std::strtoul(options[++i].c_str(), nullptr, 10);
    } else if (options[i] == "--check" && i + 1 < options.size()) {
      check = options[++i];
    } else if (options[i] == "--hold" && i + 2 < options.size()) {
      hold = options[++i];
      release = options[++i];
    }
  }
  if (!hold.empty()) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
    HANDLE file = CreateFileA(hold.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Record("cannot-hold " + tag);
      return 3;
    }
    Record("holding " + tag);
    WaitForSingleObject(event, sleepMs ? sleepMs : 30000);
    CloseHandle(file);
    CloseHandle(event);
  } else if (sleepMs) {
    Sleep(sleepMs);
  }
  std::string exitLine = "exit " + tag;
  if (!check.empty()) {
    exitLine += " " + check + (GetFileAttributesA(check.c_str()) != INVALID_FILE_ATTRIBUTES ? "=present" : "=absent");
  }
  Record(exitLine);
  return 0;
}
