#pragma once
// Modal message boxes. Texts are in the ANSI code page like every other text of the logic.
#include <string>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // `caption` empty means the application's title.
  virtual MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) = 0;

  // A box with an OK button.
  void ShowMessage(const std::string& text) { Show(text, "", MsgButtons::Ok, MsgIcon::None); }
  // A confirmation with Yes and No; true for Yes.
  bool Confirm(const std::string& text) {
    return Show(text, "", MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes;
  }
  // The general error box: the one place that shows an unexpected exception's message.
  void ShowError(const std::string& text) { Show(text, "", MsgButtons::Ok, MsgIcon::Error); }
};

}  // namespace platform
