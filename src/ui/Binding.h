#pragma once
// Binds a control model (the logic's state) to its control: the model's changes show in the
// control, and the user's changes in the control are set into the model, which runs the
// owner's rule. Every user change runs inside the event guard, as any event does.
#include <functional>

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ChoiceGroup.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/StatusBar.h"
#include "models/ControlModels.h"

namespace ui {

// Runs one event's work; shows what it throws in the general error box.
using EventGuard = std::function<void(const std::function<void()>&)>;

void Bind(models::TextBoxModel& model, Edit& view, const EventGuard& guard);
void Bind(models::CheckBoxModel& model, CheckBox& view, const EventGuard& guard);
void Bind(models::CheckGroupModel& model, CheckGroup& view, const EventGuard& guard);
void Bind(models::RadioGroupModel& model, RadioGroup& view, const EventGuard& guard);
void Bind(models::ComboBoxModel& model, ComboBox& view, const EventGuard& guard);
void Bind(models::LabelModel& model, Label& view);
void Bind(models::LabelModel& model, StatusBar& view);
void Bind(models::MemoModel& model, Memo& view);
// Only the enabled state of a button is the logic's.
void BindEnabled(models::ControlModel& model, Wnd& view);
void BindVisible(models::VisibilityModel& model, Wnd& view);

}  // namespace ui
