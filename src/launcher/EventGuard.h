#pragma once
// Every user-interface event runs through here: an exception that its handler does not
// expect ends the event and is shown in the general error box; the program runs on.
#include <exception>
#include <utility>

#include "platform/MessageBoxes.h"

namespace launcher {

// Runs `handler`; true when it finished without an exception.
template <class Handler>
bool Guarded(platform::MessageBoxes& messages, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& e) {
    messages.ShowError(e.what());
    return false;
  }
}

}  // namespace launcher
