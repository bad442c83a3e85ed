#pragma once
// Control models: the state of each option control, without a window.
//
// The logic (option rules, start-up, the run) reads and writes these models; the Win32
// window binds each model to its control. A model reports every change of its value
// to its owner's rule (`OnChange`), whoever made the change (the user through the window,
// or start-up through the setter), and tells the bound control to show its new state
// (`OnViewUpdate`). Setting a value equal to the current one reports nothing.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace models {

class ControlModel {
 public:
  virtual ~ControlModel() = default;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Refresh();
  }
  // The rule of the owner: runs after the value changed.
  std::function<void()> OnChange;
  // The bound control: runs after the value or the enabled state changed.
  std::function<void()> OnViewUpdate;

 protected:
  void Changed() {
    Refresh();
    if (OnChange) OnChange();
  }
  void Refresh() {
    if (OnViewUpdate) OnViewUpdate();
  }

 private:
  bool enabled_ = true;
};

class CheckBoxModel : public ControlModel {
 public:
  explicit CheckBoxModel(std::string caption = {}) : caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed();
  }

 private:
  std::string caption_;
  bool checked_ = false;
};

// A group of check boxes (`res`, AddSM3): each item has its own check and enabled state.
class CheckGroupModel : public ControlModel {
 public:
  CheckGroupModel(std::string caption, std::vector<std::string> items)
      : caption_(std::move(caption)), items_(std::move(items)),
        checked_(items_.size(), false), itemEnabled_(items_.size(), true) {}
  const std::string& Caption() const { return caption_; }
  const std::vector<std::string>& Items() const { return items_; }
  size_t Count() const { return items_.size(); }
  bool Checked(size_t i) const { return checked_.at(i); }
  bool ItemEnabled(size_t i) const { return itemEnabled_.at(i); }
  void SetChecked(size_t i, bool checked) {
    if (checked_.at(i) == checked) return;
    checked_[i] = checked;
    Changed();
  }
  void SetItemEnabled(size_t i, bool enabled) {
    if (itemEnabled_.at(i) == enabled) return;
    itemEnabled_[i] = enabled;
    Refresh();
  }

 private:
  std::string caption_;
  std::vector<std::string> items_;
  std::vector<bool> checked_;
  std::vector<bool> itemEnabled_;
};

// A radio group (`demo`, `Shader`): none (-1) or one selected item.
class RadioGroupModel : public ControlModel {
 public:
  RadioGroupModel(std::string caption, std::vector<std::string> items)
      : caption_(std::move(caption)), items_(std::move(items)) {}
  const std::string& Caption() const { return caption_; }
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index_ == index) return;
    index_ = index;
    Changed();
  }

 private:
  std::string caption_;
  std::vector<std::string> items_;
  int index_ = -1;
};

// A one-line text box. `MaxLength` 0 means no limit; a longer text is cut, as the box does.
class TextBoxModel : public ControlModel {
 public:
  explicit TextBoxModel(size_t maxLength = 0) : maxLength_(maxLength) {}
  const std::string& Text() const { return text_; }
  size_t MaxLength() const { return maxLength_; }
  void SetText(std::string text) {
    if (maxLength_ && text.size() > maxLength_) text.resize(maxLength_);
    if (text_ == text) return;
    text_ = std::move(text);
    Changed();
  }

 private:
  size_t maxLength_;
  std::string text_;
};

// An editable drop-down list: a selected index (-1 none) and the text in its edit field.
// Selecting an item puts its text into the field; typing a text that is not an item
// leaves no selection.
class ComboBoxModel : public ControlModel {
 public:
  explicit ComboBoxModel(std::vector<std::string> items) : items_(std::move(items)) {}
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  const std::string& Text() const { return text_; }
  void SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) return;
    std::string text = index >= 0 ? items_[index] : std::string();
    if (index_ == index && text_ == text) return;
    index_ = index;
    text_ = std::move(text);
    Changed();
  }
  // A typed text: selects the item it names exactly, otherwise leaves no selection.
  void SetText(std::string text) {
    int index = -1;
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == text) index = static_cast<int>(i);
    if (index_ == index && text_ == text) return;
    index_ = index;
    text_ = std::move(text);
    Changed();
  }

 private:
  std::vector<std::string> items_;
  int index_ = -1;
  std::string text_;
};

// A static text whose caption the logic sets (Label21, the progress panel's labels).
class LabelModel : public ControlModel {
 public:
  explicit LabelModel(std::string text = {}) : text_(std::move(text)) {}
  const std::string& Text() const { return text_; }
  void SetText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    Refresh();
  }

 private:
  std::string text_;
};

// Something that is shown or hidden by the logic (Panel1, a page).
class VisibilityModel : public ControlModel {
 public:
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Refresh();
  }

 private:
  bool visible_ = false;
};

// A push button or picture button whose only state the logic changes is whether it can be
// pressed (BenchButton, DemoEditButton).
class ButtonModel : public ControlModel {
 public:
  explicit ButtonModel(std::string caption = {}) : caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }

 private:
  std::string caption_;
};

// A whole number that the window shows in some way: the page area's active page, the
// navigation bar's open group, a label's left position.
class IntModel : public ControlModel {
 public:
  explicit IntModel(int value = 0) : value_(value) {}
  int Value() const { return value_; }
  void SetValue(int value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
  }

 private:
  int value_;
};

// A read-only multi-line text box whose lines the logic fills (infomemo). The lines are
// what the box shows, one per row, in order.
class MemoModel : public ControlModel {
 public:
  const std::vector<std::string>& Lines() const { return lines_; }
  size_t LineCount() const { return lines_.size(); }
  void Add(std::string line) {
    lines_.push_back(std::move(line));
    Refresh();
  }
  void SetLines(std::vector<std::string> lines) {
    if (lines_ == lines) return;
    lines_ = std::move(lines);
    Refresh();
  }
  void Clear() { SetLines({}); }
  // The box's whole text: the lines joined by CR LF.
  std::string Text() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (i) text += "\r\n";
      text += lines_[i];
    }
    return text;
  }

 private:
  std::vector<std::string> lines_;
};

}  // namespace models
