#include "ui/PageControl.h"

namespace ui {

void PageControl::Create(HWND parent, int x, int y, int width, int height) {
  Panel::Create(parent, x, y, width, height);
}

Panel& PageControl::AddPage(const std::string& name) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  auto page = std::make_unique<Panel>();
  page->Create(hwnd_, 0, 0, rc.right, rc.bottom, name);
  page->SetVisible(false);
  pages_.push_back(std::move(page));
  return *pages_.back();
}

void PageControl::ShowPage(int index) {
  active_ = index >= 0 && index < static_cast<int>(pages_.size()) ? index : -1;
  // Show the new page before hiding the old one, so that nothing flashes between them.
  if (active_ >= 0) pages_[static_cast<size_t>(active_)]->SetVisible(true);
  for (size_t i = 0; i < pages_.size(); ++i)
    if (static_cast<int>(i) != active_) pages_[i]->SetVisible(false);
}

}  // namespace ui
