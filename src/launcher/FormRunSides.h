#pragma once
// The main window's logic as a run sees it: TForm1's controls behind the run's two narrow
// sides, and the parts the run works with.
#include "bench/RunController.h"
#include "launcher/mainf.h"

namespace launcher {

class FormRunSides : public bench::RunInputs, public bench::RunDisplay {
 public:
  explicit FormRunSides(TForm1& form) : form_(form) {}

  // What a run controller over this form is built from.
  bench::RunParts Parts();

  // bench::RunInputs
  bench::RunFolders Folders() const override;
  bool ResolutionChecked(size_t index) const override;
  bench::RunOptionControls OptionControls() const override;
  bench::DemoControls Demo() const override;
  int MapIndex() const override;
  bool AddInfo() const override;
  std::string Note() const override;

  // bench::RunDisplay
  void SetRunButtonEnabled(bool enabled) override;
  void SetProgressPanelVisible(bool visible) override;
  void ShowProgress(const std::string& text, int left) override;
  void RepaintNow() override;

 private:
  TForm1& form_;
};

}  // namespace launcher
