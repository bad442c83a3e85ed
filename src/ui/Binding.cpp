#include "ui/Binding.h"

namespace ui {

void Bind(models::TextBoxModel& model, Edit& view, const EventGuard& guard) {
  model.OnViewUpdate = [&model, &view] {
    view.SetTextIfDifferent(model.Text());
    view.SetEnabled(model.Enabled());
  };
  model.OnViewUpdate();
  view.OnTextChanged = [&model, &view, guard] { guard([&] { model.SetText(view.Text()); }); };
}

void Bind(models::CheckBoxModel& model, CheckBox& view, const EventGuard& guard) {
  model.OnViewUpdate = [&model, &view] {
    view.SetIsChecked(model.Checked());
    view.SetEnabled(model.Enabled());
  };
  model.OnViewUpdate();
  view.OnClicked = [&model, &view, guard] { guard([&] { model.SetChecked(view.IsChecked()); }); };
}

void Bind(models::CheckGroupModel& model, CheckGroup& view, const EventGuard& guard) {
  model.OnViewUpdate = [&model, &view] {
    for (size_t i = 0; i < model.Count() && i < view.Count(); ++i) {
      view.SetIsChecked(i, model.Checked(i));
      view.SetItemEnabled(i, model.Enabled() && model.ItemEnabled(i));
    }
  };
  model.OnViewUpdate();
  view.OnItemCheckChanged = [&model, &view, guard](size_t i) {
    guard([&] {
      if (i < model.Count()) model.SetChecked(i, view.IsChecked(i));
    });
  };
}

void Bind(models::RadioGroupModel& model, RadioGroup& view, const EventGuard& guard) {
  model.OnViewUpdate = [&model, &view] {
    view.SetSelectedIndex(model.ItemIndex());
    view.SetEnabled(model.Enabled());
  };
  model.OnViewUpdate();
  view.OnSelectionChanged = [&model, guard](int index) { guard([&] { model.SetItemIndex(index); }); };
}

void Bind(models::ComboBoxModel& model, ComboBox& view, const EventGuard& guard) {
  model.OnViewUpdate = [&model, &view] {
    view.Show(model.ItemIndex(), model.Text());
    view.SetEnabled(model.Enabled());
  };
  model.OnViewUpdate();
  view.OnChanged = [&model, guard](int index, const std::string& text) {
    guard([&] {
      if (index >= 0) model.SetItemIndex(index);
      else model.SetText(text);
    });
  };
}

void Bind(models::LabelModel& model, Label& view) {
  model.OnViewUpdate = [&model, &view] {
    if (view.Text() != model.Text()) view.SetText(model.Text());
    view.SetEnabled(model.Enabled());
  };
  model.OnViewUpdate();
}

void Bind(models::LabelModel& model, StatusBar& view) {
  model.OnViewUpdate = [&model, &view] {
    if (view.Text() != model.Text()) view.SetText(model.Text());
  };
  model.OnViewUpdate();
}

void Bind(models::MemoModel& model, Memo& view) {
  model.OnViewUpdate = [&model, &view] { view.SetText(model.Text()); };
  model.OnViewUpdate();
}

void BindEnabled(models::ControlModel& model, Wnd& view) {
  model.OnViewUpdate = [&model, &view] { view.SetEnabled(model.Enabled()); };
  model.OnViewUpdate();
}

void BindVisible(models::VisibilityModel& model, Wnd& view) {
  model.OnViewUpdate = [&model, &view] { view.SetVisible(model.Visible()); };
  model.OnViewUpdate();
}

}  // namespace ui
