#include "fakes/FakeSystem.h"

using platform::MsgButtons;
using platform::MsgResult;

MsgResult FakeMessageBoxes::Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                                 platform::MsgIcon icon) {
  shown.push_back({text, caption, buttons, icon});
  if (onShow) onShow(shown.back());
  if (!answers.empty()) {
    MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgResult::Yes;
    case MsgButtons::RetryCancel: return MsgResult::Retry;
    default: return MsgResult::Ok;
  }
}

std::vector<std::string> FakeMessageBoxes::Texts() const {
  std::vector<std::string> out;
  for (const auto& m : shown) out.push_back(m.text);
  return out;
}

void FakeDisplay::Sizes(std::initializer_list<std::pair<uint32_t, uint32_t>> sizes) {
  modes.clear();
  for (uint32_t bpp : {16u, 32u})
    for (auto [w, h] : sizes) modes.push_back({w, h, bpp, 60});
}

void FakeDisplay::AllSizes() {
  Sizes({{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}, {2048, 1536}});
}
