#include "launcher/FormRunSides.h"

namespace launcher {

bench::RunParts FormRunSides::Parts() {
  return bench::RunParts{*this, *this, form_.Store(), form_.Os(), form_.FileOp, form_.cp.get()};
}

bench::RunFolders FormRunSides::Folders() const {
  return bench::RunFolders{form_.GameInstall.SystemFolder, form_.GameInstall.ConfigFolder, form_.ProgramFolder,
                           form_.ResultsFolder};
}

bool FormRunSides::ResolutionChecked(size_t index) const { return form_.res.Checked(index); }

bench::RunOptionControls FormRunSides::OptionControls() const {
  bench::RunOptionControls options;
  options.ShaderIndex = form_.Shader.ItemIndex();
  options.ParallaxMapping = form_.AddSM3.Checked(0);
  options.HQSoftShadows = form_.AddSM3.Checked(1);
  options.HDR = form_.EnableHDR.Checked();
  options.ToneMapping = form_.EnableToneMapping.Checked();
  options.HSMapping = form_.HSMapping.Checked();
  return options;
}

bench::DemoControls FormRunSides::Demo() const {
  bench::DemoControls demo;
  demo.Selected = form_.demo.ItemIndex();
  demo.MapnameText = form_.MapnameBox.Text();
  demo.DemoEditText = form_.DemoEdit.Text();
  return demo;
}

int FormRunSides::MapIndex() const { return form_.MapnameBox.ItemIndex(); }

bool FormRunSides::AddInfo() const { return form_.AddInfoBox.Checked(); }

std::string FormRunSides::Note() const { return form_.NoteEdit.Text(); }

void FormRunSides::SetRunButtonEnabled(bool enabled) { form_.BenchButton.SetEnabled(enabled); }

void FormRunSides::SetProgressPanelVisible(bool visible) { form_.Panel1.SetVisible(visible); }

void FormRunSides::ShowProgress(const std::string& text, int left) {
  form_.Label4.SetText(text);
  form_.Label4Left.SetValue(left);
}

void FormRunSides::RepaintNow() { form_.Host().RepaintNow(); }

}  // namespace launcher
