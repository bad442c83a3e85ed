// e2edriver: drives a running Win32 program from outside, the way a user or a screen reader
// would see it: top-level windows and their child controls (at any depth) are found by their
// window text. Runs inside the same Wine prefix and desktop as the program under test.
//
//   e2edriver list [--quick]                top-level windows: hwnd pid class "text" flags
//                                           (--quick: texts without asking the windows)
//   e2edriver tree WINDOW                   the window and every descendant control
//   e2edriver wait WINDOW [ms]              wait until a visible window WINDOW exists; prints hwnd pid
//   e2edriver waitgone WINDOW [ms]          wait until no visible window WINDOW exists
//   e2edriver waitcontrol WINDOW CTRL [ms]  wait until the control exists
//   e2edriver click WINDOW CTRL [--command] BM_CLICK to a button, else BN_CLICKED to its parent
//   e2edriver leave WINDOW CTRL             WM_MOUSELEAVE to the control
//   e2edriver point WINDOW CTRL [X Y]       prints the screen point of the control's centre,
//                                           or of X,Y from its top left
//   e2edriver settext WINDOW CTRL TEXT [--no-notify]   WM_SETTEXT, then EN_CHANGE to the parent
//   e2edriver type WINDOW CTRL TEXT         WM_CHAR for each character, as keystrokes (U+0008: backspace)
//   e2edriver select WINDOW CTRL INDEX      a drop-down list picks item INDEX (-1: none), CBN_SELCHANGE
//   e2edriver gettext WINDOW CTRL           prints the control's text
//   e2edriver state WINDOW CTRL             prints visible= enabled= checked=
//   e2edriver msgbox BUTTON [ms] [--title T] waits for a message box, prints its text, presses BUTTON
//   e2edriver close WINDOW                  WM_SYSCOMMAND SC_CLOSE
//   e2edriver client WINDOW                 prints the client size WxH
//   e2edriver rect WINDOW                   prints the window rectangle left top right bottom
//   e2edriver waitexit PID [ms]             waits for the process to end; prints its exit code
//   e2edriver hold FILE MS [read]           opens FILE with no sharing (with "read": others may
//                                           read it, as a spreadsheet program holds a file),
//                                           prints "held", keeps it MS
//   e2edriver reg32 KEY VALUE               prints a string value of the 32-bit registry view
//                                           exactly (KEY: HKLM\... or HKCU\...); fails when missing
//
// WINDOW is a top-level window text. CTRL is a control's window text (an '&' mnemonic may be
// left out), or #ID for a control id, or #ID:CLASS for the control of that id and window class. Texts are UTF-8 on the command line and in the output.
// Exit status: 0 done, 1 not found / timed out / check failed, 2 usage error.

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 5000;
constexpr UINT kReadTimeoutMs = 20000;

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

void Out(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Err(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

std::string Hex(HWND h) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)));
  return buf;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

// The text a control reports for itself. WM_GETTEXT (not GetWindowText, which does not ask
// another process's window) so that owner-drawn and custom controls answer too. A program
// whose thread is busy (a blocking wait of several seconds) answers late, not never: no
// SMTO_ABORTIFHUNG, and a generous limit. Returns false when the window did not answer.
bool ReadText(HWND h, std::wstring* text) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kReadTimeoutMs, &len))
    return false;
  std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_NORMAL, kReadTimeoutMs, &got))
    return false;
  buf.resize(wcsnlen(buf.c_str(), buf.size()));
  *text = buf;
  return true;
}

// With --quick, texts are taken as the system keeps them (GetWindowText), without asking the
// windows: a look at the screen while a program's thread is blocked (a splash that waits)
// must not wait for it.
bool g_quick = false;

std::wstring TextOf(HWND h) {
  std::wstring t;
  if (g_quick) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
  }
  ReadText(h, &t);
  return t;
}

std::wstring WithoutMnemonic(const std::wstring& s) {
  std::wstring r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'&') {
      if (i + 1 < s.size() && s[i + 1] == L'&') { r += L'&'; ++i; }
      continue;
    }
    r += s[i];
  }
  return r;
}

bool TextMatches(const std::wstring& actual, const std::wstring& wanted) {
  return actual == wanted || WithoutMnemonic(actual) == wanted;
}

bool IsButtonClass(HWND h) { return _wcsicmp(ClassOf(h).c_str(), L"Button") == 0; }

bool IsChecked(HWND h) {
  if (!IsButtonClass(h)) return false;
  DWORD_PTR r = 0;
  SendMessageTimeoutW(h, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
  return r == BST_CHECKED;
}

std::string Flags(HWND h) {
  std::string f;
  f += IsWindowVisible(h) ? "visible" : "hidden";
  f += IsWindowEnabled(h) ? " enabled" : " disabled";
  if (IsButtonClass(h)) f += IsChecked(h) ? " checked" : " unchecked";
  return f;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// Every descendant, parents before their children.
std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> all;
  EnumChildWindows(
      top,
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindTop(const std::wstring& text, bool visibleOnly = true) {
  for (HWND h : TopLevelWindows()) {
    if (visibleOnly && !IsWindowVisible(h)) continue;
    if (TextOf(h) == text) return h;
  }
  return nullptr;
}

HWND FindControl(HWND top, const std::wstring& sel) {
  bool byId = sel.size() > 1 && sel[0] == L'#';
  int id = byId ? _wtoi(sel.c_str() + 1) : 0;
  // "#ID:CLASS" narrows an id that several nested windows share (a common dialog's
  // ComboBoxEx32, its ComboBox and its Edit all carry the id of the file name box).
  std::wstring cls;
  if (size_t colon = sel.find(L':'); byId && colon != std::wstring::npos) cls = sel.substr(colon + 1);
  HWND found = nullptr;
  int matches = 0;
  for (HWND h : Descendants(top)) {
    bool hit = byId ? GetDlgCtrlID(h) == id && (cls.empty() || _wcsicmp(ClassOf(h).c_str(), cls.c_str()) == 0)
                    : TextMatches(TextOf(h), sel);
    if (hit) {
      if (!found) found = h;
      ++matches;
    }
  }
  if (matches > 1)
    Err("note: " + std::to_string(matches) + " controls match \"" + Utf8(sel) +
        "\"; using the first");
  return found;
}

bool WaitFor(DWORD timeoutMs, const auto& condition) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
}

struct Args {
  std::vector<std::wstring> positional;
  bool command = false;
  bool noNotify = false;
  std::wstring title;
  bool hasTitle = false;
};

Args Parse(int argc, wchar_t** argv) {
  Args a;
  for (int i = 1; i < argc; ++i) {
    std::wstring s = argv[i];
    if (s == L"--command") a.command = true;
    else if (s == L"--no-notify") a.noNotify = true;
    else if (s == L"--quick") g_quick = true;
    else if (s == L"--title" && i + 1 < argc) { a.title = argv[++i]; a.hasTitle = true; }
    else a.positional.push_back(s);
  }
  return a;
}

DWORD TimeoutArg(const Args& a, size_t index) {
  return a.positional.size() > index ? static_cast<DWORD>(_wtoi(a.positional[index].c_str()))
                                     : kDefaultTimeoutMs;
}

int Usage() {
  Err("usage: e2edriver list [--quick] | tree W | wait W [ms] | waitgone W [ms] | waitcontrol W C [ms] |"
      " click W C [--command] | leave W C | point W C [X Y] | settext W C TEXT [--no-notify] | type W C TEXT |"
      " select W C INDEX |"
      " gettext W C |"
      " state W C | msgbox BUTTON [ms] [--title T] | close W | client W | rect W |"
      " waitexit PID [ms] | hold FILE MS [read] | reg32 KEY VALUE");
  return 2;
}

HWND RequireTop(const std::wstring& text) {
  HWND h = FindTop(text);
  if (!h) Err("no visible window \"" + Utf8(text) + "\"");
  return h;
}

HWND RequireControl(HWND top, const std::wstring& sel) {
  HWND c = FindControl(top, sel);
  if (!c) Err("no control \"" + Utf8(sel) + "\" in \"" + Utf8(TextOf(top)) + "\"");
  return c;
}

void PrintWindowLine(HWND h, int depth, HWND origin) {
  RECT r{};
  GetWindowRect(h, &r);
  if (origin) MapWindowPoints(HWND_DESKTOP, origin, reinterpret_cast<POINT*>(&r), 2);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  std::string line(static_cast<size_t>(depth) * 2, ' ');
  line += Hex(h) + " id=" + std::to_string(GetDlgCtrlID(h)) + " pid=" + std::to_string(pid) +
          " class=" + Utf8(ClassOf(h)) + " \"" + Utf8(TextOf(h)) + "\" " + Flags(h) + " at " +
          std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
          std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  Out(line);
}

int Depth(HWND h, HWND top) {
  int d = 0;
  for (HWND p = GetParent(h); p && p != top; p = GetParent(p)) ++d;
  return d + 1;
}

// A message box: a dialog-class top-level window with a button of the wanted text.
HWND FindMessageBox(const std::wstring& button, const Args& a, HWND* buttonOut) {
  for (HWND h : TopLevelWindows()) {
    if (!IsWindowVisible(h) || ClassOf(h) != L"#32770") continue;
    if (a.hasTitle && TextOf(h) != a.title) continue;
    for (HWND c : Descendants(h)) {
      if (IsButtonClass(c) && _wcsicmp(WithoutMnemonic(TextOf(c)).c_str(), button.c_str()) == 0) {
        *buttonOut = c;
        return h;
      }
    }
  }
  return nullptr;
}

int Run(const std::wstring& cmd, const Args& a) {
  const auto& p = a.positional;
  auto need = [&](size_t n) { return p.size() >= n; };

  if (cmd == L"list") {
    for (HWND h : TopLevelWindows()) PrintWindowLine(h, 0, nullptr);
    return 0;
  }
  if (cmd == L"tree" && need(2)) {
    HWND top = RequireTop(p[1]);
    if (!top) return 1;
    PrintWindowLine(top, 0, nullptr);
    for (HWND c : Descendants(top)) PrintWindowLine(c, Depth(c, top), top);
    return 0;
  }
  if (cmd == L"wait" && need(2)) {
    HWND found = nullptr;
    if (!WaitFor(TimeoutArg(a, 2), [&] { return (found = FindTop(p[1])) != nullptr; })) {
      Err("timed out waiting for window \"" + Utf8(p[1]) + "\"");
      return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    Out(Hex(found) + " " + std::to_string(pid));
    return 0;
  }
  if (cmd == L"waitgone" && need(2)) {
    if (!WaitFor(TimeoutArg(a, 2), [&] { return FindTop(p[1]) == nullptr; })) {
      Err("window \"" + Utf8(p[1]) + "\" is still there");
      return 1;
    }
    return 0;
  }
  if (cmd == L"waitcontrol" && need(3)) {
    bool ok = WaitFor(TimeoutArg(a, 3), [&] {
      HWND top = FindTop(p[1]);
      return top && FindControl(top, p[2]);
    });
    if (!ok) Err("timed out waiting for control \"" + Utf8(p[2]) + "\"");
    return ok ? 0 : 1;
  }
  if (cmd == L"close" && need(2)) {
    HWND top = RequireTop(p[1]);
    if (!top) return 1;
    PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if ((cmd == L"client" || cmd == L"rect") && need(2)) {
    HWND top = RequireTop(p[1]);
    if (!top) return 1;
    RECT r{};
    if (cmd == L"client") {
      GetClientRect(top, &r);
      Out(std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
    } else {
      GetWindowRect(top, &r);
      Out(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
          " " + std::to_string(r.bottom));
    }
    return 0;
  }
  if (cmd == L"waitexit" && need(2)) {
    DWORD pid = static_cast<DWORD>(_wtoi(p[1].c_str()));
    HANDLE proc = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!proc) {
      Out("gone");  // already ended and reaped
      return 0;
    }
    DWORD w = WaitForSingleObject(proc, TimeoutArg(a, 2));
    DWORD code = 0;
    GetExitCodeProcess(proc, &code);
    CloseHandle(proc);
    if (w != WAIT_OBJECT_0) {
      Err("process " + std::to_string(pid) + " is still running");
      return 1;
    }
    Out("exit " + std::to_string(code));
    return 0;
  }
  if (cmd == L"hold" && need(3)) {
    // A file another program has open without sharing cannot be read by anyone else; with
    // read sharing it can be read but not written.
    const DWORD share = p.size() > 3 && p[3] == L"read" ? FILE_SHARE_READ : 0;
    HANDLE h = CreateFileW(p[1].c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      Err("cannot open \"" + Utf8(p[1]) + "\"");
      return 1;
    }
    Out("held");
    Sleep(static_cast<DWORD>(_wtoi(p[2].c_str())));
    CloseHandle(h);
    return 0;
  }
  if (cmd == L"reg32" && need(3)) {
    // reg.exe prints through the console's OEM code page, which loses most of the ANSI texts
    // the program stores; this reads them as they are.
    std::wstring path = p[1];
    HKEY root = nullptr;
    for (const auto& [prefix, key] : {std::pair<const wchar_t*, HKEY>{L"HKLM\\", HKEY_LOCAL_MACHINE},
                                      {L"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE},
                                      {L"HKCU\\", HKEY_CURRENT_USER},
                                      {L"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER}}) {
      size_t n = wcslen(prefix);
      if (_wcsnicmp(path.c_str(), prefix, n) == 0) { root = key; path = path.substr(n); break; }
    }
    if (!root) return Usage();
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
      Err("no key \"" + Utf8(p[1]) + "\"");
      return 1;
    }
    DWORD type = 0, size = 0;
    LONG r = RegQueryValueExW(key, p[2].c_str(), nullptr, &type, nullptr, &size);
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (r == ERROR_SUCCESS)
      r = RegQueryValueExW(key, p[2].c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) {
      Err("no value \"" + Utf8(p[2]) + "\"");
      return 1;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      Out("<type " + std::to_string(type) + ">");
      return 0;
    }
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    Out(Utf8(text));
    return 0;
  }
  if (cmd == L"msgbox" && need(2)) {
    HWND box = nullptr, button = nullptr;
    if (!WaitFor(TimeoutArg(a, 2), [&] { return (box = FindMessageBox(p[1], a, &button)); })) {
      Err("timed out waiting for a message box with a \"" + Utf8(p[1]) + "\" button");
      return 1;
    }
    Out("title: " + Utf8(TextOf(box)));
    for (HWND c : Descendants(box)) {
      if (ClassOf(c) == L"Static") {
        std::wstring t = TextOf(c);
        if (!t.empty()) Out("text: " + Utf8(t));
      }
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    if (!WaitFor(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
      Err("the message box did not close");
      return 1;
    }
    return 0;
  }

  // The remaining commands act on one control of one window.
  if (!need(3)) return Usage();
  HWND top = RequireTop(p[1]);
  if (!top) return 1;
  HWND c = RequireControl(top, p[2]);
  if (!c) return 1;

  if (cmd == L"click") {
    // Posted, not sent: a click that opens a modal box must not block the driver.
    if (IsButtonClass(c) && !a.command) {
      PostMessageW(c, BM_CLICK, 0, 0);
    } else {
      PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED),
                   reinterpret_cast<LPARAM>(c));
    }
    return 0;
  }
  if (cmd == L"point") {
    // Where the mouse would go: the harness moves the X pointer there (e2e_mouse_to), since
    // input injected from inside Wine does not always agree with the X server's pointer.
    RECT r{};
    GetWindowRect(c, &r);
    POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (p.size() >= 5) pt = POINT{r.left + _wtoi(p[3].c_str()), r.top + _wtoi(p[4].c_str())};
    Out(std::to_string(pt.x) + " " + std::to_string(pt.y));
    return 0;
  }
  if (cmd == L"leave") {
    PostMessageW(c, WM_MOUSELEAVE, 0, 0);
    return 0;
  }
  if (cmd == L"settext" && need(4)) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p[3].c_str()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) {
      Err("WM_SETTEXT was not answered");
      return 1;
    }
    if (!a.noNotify)
      PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), EN_CHANGE),
                   reinterpret_cast<LPARAM>(c));
    return 0;
  }
  if (cmd == L"type" && need(4)) {
    // Keystrokes go through the control's own editing: its length limit, its selection and
    // the notifications it sends for each change.
    for (wchar_t ch : p[3]) PostMessageW(c, WM_CHAR, ch, 1);
    return 0;
  }
  if (cmd == L"select" && need(4)) {
    // As a pick from the opened list: the selection first, then the list's notification.
    DWORD_PTR r = 0;
    const int index = _wtoi(p[3].c_str());
    if (!SendMessageTimeoutW(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &r)) {
      Err("CB_SETCURSEL was not answered");
      return 1;
    }
    if (index >= 0 && static_cast<LONG_PTR>(r) != index) {
      Err("the list has no item " + std::to_string(index));
      return 1;
    }
    PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c));
    return 0;
  }
  if (cmd == L"gettext") {
    std::wstring t;
    if (!ReadText(c, &t)) {
      Err("the control did not answer WM_GETTEXT");
      return 1;
    }
    Out(Utf8(t));
    return 0;
  }
  if (cmd == L"state") {
    Out(std::string("visible=") + (IsWindowVisible(c) ? "1" : "0") +
        " enabled=" + (IsWindowEnabled(c) ? "1" : "0") + " checked=" + (IsChecked(c) ? "1" : "0"));
    return 0;
  }
  return Usage();
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return Usage();
  Args a = Parse(argc, argv);
  if (a.positional.empty()) return Usage();
  return Run(a.positional[0], a);
}
