#pragma once
// The main window as a run sees it: what the run reads when it starts and at each step
// (RunInputs), and what it shows while it works (RunDisplay). The window's logic implements
// both; the run knows nothing else of it.
#include <cstddef>
#include <string>

#include "bench/DemoChoice.h"
#include "bench/RunOptions.h"

namespace bench {

// The folders a run works in, each ending in "\". `System` is empty when no game was found.
struct RunFolders {
  std::string System;   // the game's System folder (SC3PathEdit)
  std::string Config;   // the game's configuration folder
  std::string Program;  // the launcher's own folder
  std::string Results;  // the results folder in force
};

class RunInputs {
 public:
  virtual ~RunInputs() = default;
  virtual RunFolders Folders() const = 0;
  // The check mark of row `index` (0..5) of `res`: counted at the start and looked at
  // again each time the next resolution is searched.
  virtual bool ResolutionChecked(size_t index) const = 0;
  virtual RunOptionControls OptionControls() const = 0;
  virtual DemoControls Demo() const = 0;
  // MapnameBox's selected item, -1 for a typed name.
  virtual int MapIndex() const = 0;
  virtual bool AddInfo() const = 0;  // AddInfoBox
  virtual std::string Note() const = 0;  // NoteEdit
};

class RunDisplay {
 public:
  virtual ~RunDisplay() = default;
  virtual void SetRunButtonEnabled(bool enabled) = 0;  // BenchButton
  virtual void SetProgressPanelVisible(bool visible) = 0;  // Panel1
  // Label4's text and its left position in the panel.
  virtual void ShowProgress(const std::string& text, int left) = 0;
  // Paints the window now: the thread blocks or the game takes the screen next.
  virtual void RepaintNow() = 0;
};

}  // namespace bench
