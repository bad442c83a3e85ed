#include "update/BrowserLaunch.h"

#include "platform/Text.h"

namespace update {
namespace {

using platform::RegRoot;

bool ReadDefault(platform::Registry& registry, const std::string& path, std::string& value) {
  auto key = registry.Open(RegRoot::ClassesRoot, path);
  platform::RegValue v;
  if (!key || !key->Read("", v)) return false;
  if (v.type != platform::RegType::String && v.type != platform::RegType::ExpandString) return false;
  value = v.data;
  return true;
}

}  // namespace

std::string CommandProgram(const std::string& command) {
  std::string c = text::Trim(command);
  if (!c.empty() && c[0] == '"') {
    size_t end = c.find('"', 1);
    return end == std::string::npos ? c.substr(1) : c.substr(1, end - 1);
  }
  std::string lower = text::ToLowerAscii(c);
  for (size_t at = lower.find(".exe"); at != std::string::npos; at = lower.find(".exe", at + 1)) {
    size_t end = at + 4;
    if (end == c.size() || c[end] == ' ') return c.substr(0, end);
  }
  return c.substr(0, c.find(' '));
}

std::string HtmlHandlerCommand(platform::Registry& registry) {
  std::string type, command;
  if (!ReadDefault(registry, ".html", type) || type.empty()) return "";
  if (ReadDefault(registry, type + "\\shell\\open\\command", command)) return command;
  auto shell = registry.Open(RegRoot::ClassesRoot, type + "\\shell");
  if (!shell) return "";
  std::vector<std::string> verbs = shell->SubKeyNames();
  for (const std::string& verb : verbs)
    if (text::ToLowerAscii(verb).find("open") != std::string::npos &&
        ReadDefault(registry, type + "\\shell\\" + verb + "\\command", command))
      return command;
  for (const std::string& verb : verbs)
    if (ReadDefault(registry, type + "\\shell\\" + verb + "\\command", command)) return command;
  return "";
}

void OpenAddressInBrowser(platform::Registry& registry, platform::Shell& shell, const std::string& address) {
  std::string url = address.find("://") == std::string::npos ? "http://" + address : address;
  std::string program = CommandProgram(HtmlHandlerCommand(registry));
  if (program.empty())
    shell.Open("open", url, "", "", platform::SwShowNormal);
  else
    shell.Open("open", program, url, "", platform::SwShowNormal);
}

}  // namespace update
