#include "ui/ComboBox.h"

#include "platform/win32/Win32System.h"

namespace ui {

void ComboBox::EditPart::Attach(HWND edit, ComboBox* owner) {
  owner_ = owner;
  AttachExisting(edit);
}

LRESULT ComboBox::EditPart::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN) deleting = (wp == VK_BACK || wp == VK_DELETE);
  else if (msg == WM_CHAR) deleting = deleting || wp == 8;
  const LRESULT result = Wnd::WndProc(msg, wp, lp);
  // The combo box does not always pass a text set on its edit part on as a change.
  if (msg == WM_SETTEXT) owner_->ReportShown();
  return result;
}

void ComboBox::Create(HWND parent, int x, int y, int width, int height,
                      const std::vector<std::string>& items) {
  CreateArgs a;
  a.className = L"COMBOBOX";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
  a.x = x, a.y = y, a.width = width, a.height = height + 220;
  CreateWnd(a);
  for (const auto& item : items) {
    items_.push_back(platform::Widen(item));
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.back().c_str()));
  }
  if (HWND edit = FindWindowExW(hwnd_, nullptr, L"EDIT", nullptr)) edit_.Attach(edit, this);
}

// The edit part is one of ours, so the toolkit would route its notifications to it and stop
// there. They belong to the combo box's own procedure: it turns EN_CHANGE into the
// CBN_EDITCHANGE that brings typed text to OnCommand (through the parent), and keeps its
// focus state from EN_SETFOCUS and EN_KILLFOCUS.
LRESULT ComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && edit_.Handle() && reinterpret_cast<HWND>(lp) == edit_.Handle())
    return CallDefault(msg, wp, lp);
  const LRESULT result = Wnd::WndProc(msg, wp, lp);
  // A text or a selection set by message sends no notification; the logic must still see
  // what the box shows.
  if (msg == WM_SETTEXT || msg == CB_SETCURSEL || msg == CB_SELECTSTRING) ReportShown();
  return result;
}

void ComboBox::ReportShown() {
  if (showing_ || !hwnd_) return;
  const std::wstring shown = WindowText(hwnd_);
  int index = SelectedIndex();
  if (index >= 0 && (static_cast<size_t>(index) >= items_.size() || items_[static_cast<size_t>(index)] != shown)) {
    // The list still marks the item that the new text replaced.
    showing_ = true;
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(hwnd_, shown.c_str());
    showing_ = false;
    index = -1;
  }
  Report(index, platform::Narrow(shown));
}

void ComboBox::Report(int index, const std::string& text) {
  if (index == reportedIndex_ && text == reportedText_) return;
  reportedIndex_ = index;
  reportedText_ = text;
  if (OnChanged) OnChanged(index, text);
}

int ComboBox::SelectedIndex() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::Show(int index, const std::string& text) {
  if (!hwnd_) return;
  showing_ = true;
  if (index >= 0) {
    if (SelectedIndex() != index) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    if (SelectedIndex() != -1) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (Text() != text) SetText(text);
  }
  showing_ = false;
  reportedIndex_ = SelectedIndex();
  reportedText_ = Text();
}

void ComboBox::OnCommand(int code) {
  if (showing_) return;
  if (code == CBN_SELCHANGE) {
    const int index = SelectedIndex();
    Report(index, index >= 0 ? platform::Narrow(items_[static_cast<size_t>(index)]) : Text());
  } else if (code == CBN_EDITCHANGE) {
    Complete();
    Report(SelectedIndex(), Text());
  }
}

// Typing at the end of the text completes it with the first item that begins with it,
// ignoring case; the completed part stays selected so that the next key replaces it.
void ComboBox::Complete() {
  const bool deleting = edit_.deleting;
  edit_.deleting = false;
  const std::wstring typed = WindowText(hwnd_);
  int found = -1;
  if (!typed.empty()) {
    for (size_t i = 0; i < items_.size() && found < 0; ++i)
      if (items_[i].size() >= typed.size() &&
          CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, items_[i].c_str(),
                         static_cast<int>(typed.size()), typed.c_str(),
                         static_cast<int>(typed.size())) == CSTR_EQUAL)
        found = static_cast<int>(i);
  }
  const bool exact = found >= 0 && items_[static_cast<size_t>(found)].size() == typed.size();
  showing_ = true;
  if (found >= 0 && (exact || !deleting)) {
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
  } else if (SelectedIndex() != -1) {
    // The text is no item (or the user is deleting): keep the text, drop the selection.
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(hwnd_, typed.c_str());
    SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), typed.size()));
  }
  showing_ = false;
}

HBRUSH ComboBox::OnCtlColor(HDC dc) {
  SetTextColor(dc, IsWindowEnabled(hwnd_) ? colors::Silver : colors::DisabledText);
  SetBkColor(dc, colors::EditFace);
  return Skin::Get().Brush(colors::EditFace);
}

}  // namespace ui
