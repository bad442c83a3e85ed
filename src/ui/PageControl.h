#pragma once
// A page area without tabs: pages of the same size on top of each other, one visible. A page
// is chosen by its number.
#include <memory>
#include <vector>

#include "ui/Panel.h"

namespace ui {

class PageControl : public Panel {
 public:
  void Create(HWND parent, int x, int y, int width, int height);
  // A new page, hidden, filling the area; `name` is its window text.
  Panel& AddPage(const std::string& name);
  size_t Count() const { return pages_.size(); }
  Panel& Page(size_t i) { return *pages_.at(i); }
  // Shows page `index` and hides the rest; an index out of range hides all.
  void ShowPage(int index);
  int ActivePage() const { return active_; }

 private:
  std::vector<std::unique_ptr<Panel>> pages_;
  int active_ = -1;
};

}  // namespace ui
