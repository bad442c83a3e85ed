#pragma once
// The tool-tips of one top-level window. A tool-tip shows the control's own window text,
// which for a picture without a caption is the tool-tip's text.
#include <string>

#include "ui/Wnd.h"

namespace ui {

class Tooltip {
 public:
  Tooltip() = default;
  Tooltip(const Tooltip&) = delete;
  Tooltip& operator=(const Tooltip&) = delete;
  ~Tooltip();
  void Create(HWND owner);
  void Add(const Wnd& control, const std::string& text);
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace ui
