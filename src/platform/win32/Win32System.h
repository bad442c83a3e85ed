#pragma once
// Win32 implementations of the small system services.
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

namespace platform {

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
  uint32_t Ticks() override;
  void Wait(uint32_t milliseconds) override;
};

// Message boxes owned by the application's main window once it exists, with the
// application's title as caption. Texts are ANSI and shown through the wide API.
class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(std::string applicationTitle) : title_(std::move(applicationTitle)) {}
  void SetOwner(uintptr_t window) { owner_ = window; }
  MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon) override;

 private:
  std::string title_;
  uintptr_t owner_ = 0;
};

class Win32Shell : public Shell {
 public:
  void Open(const std::string& verb, const std::string& file, const std::string& parameters,
            const std::string& directory, int showCommand) override;
};

class Win32Display : public Display {
 public:
  bool ModeAt(uint32_t index, DisplayMode& out) override;
};

// ANSI (the system's code page) <-> UTF-16: the texts of the user and of the system (file
// names, typed texts, reports of the system's tools).
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);
// The program's own texts (captions, labels, titles, tool-tips) are written in code page
// 1252 (the multiplication sign of the resolutions is byte 215 there), so they show the
// same on every system, whatever its ANSI code page.
inline constexpr unsigned kOwnTextCodePage = 1252;
std::wstring WidenOwnText(const std::string& text);
std::string NarrowOwnText(const std::wstring& wide);

}  // namespace platform
