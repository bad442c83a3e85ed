#pragma once
// An editable drop-down list that completes what the user types with the first item that
// begins with it, and selects that item.
#include <vector>

#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class ComboBox : public Wnd {
 public:
  // `height` is the height of the closed box; the list opens below it.
  void Create(HWND parent, int x, int y, int width, int height, const std::vector<std::string>& items);
  int SelectedIndex() const;
  // Shows `index` (-1: none) with its text, or `text` when no item is selected; reports nothing.
  void Show(int index, const std::string& text);

  // The selection or the text changed, however it was made (typing, paste, a picked item,
  // WM_SETTEXT or CB_SETCURSEL from automation), except through Show: index (-1 when the
  // text is no item) and the text in the box.
  std::function<void(int index, const std::string& text)> OnChanged;

 protected:
  void OnCommand(int code) override;
  HBRUSH OnCtlColor(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  class EditPart : public Wnd {
   public:
    void Attach(HWND edit, ComboBox* owner);
    bool deleting = false;  // the last key removed text: do not complete
   protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    HBRUSH OnCtlColor(HDC dc) override { return owner_->OnCtlColor(dc); }
   private:
    ComboBox* owner_ = nullptr;
  };
  void Complete();
  // Reports a text or selection set by a message from outside.
  void ReportShown();
  // One change reaches OnChanged once, however many messages it took.
  void Report(int index, const std::string& text);
  int reportedIndex_ = -1;
  std::string reportedText_;
  std::vector<std::wstring> items_;
  EditPart edit_;
  bool showing_ = false;
};

}  // namespace ui
