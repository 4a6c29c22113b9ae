#include "shell/Controls.h"

#include <algorithm>
#include <cstdint>

#include "numbers/NumberText.h"

std::string TControl::Text() const { return binding_ ? binding_->Text() : text_; }

void TControl::SetText(const std::string& text) {
  text_ = text;
  if (binding_) binding_->SetText(text);
}

bool TControl::Enabled() const { return binding_ ? binding_->Enabled() : enabled_; }

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (binding_) binding_->SetEnabled(enabled);
}

bool TControl::Focused() const {
  if (binding_) return binding_->Focused();
  return focus_ && focus_->focused == this;
}

void TControl::SetFocus() {
  if (binding_) binding_->SetFocus();
  if (focus_) focus_->focused = this;
}

bool TCheckable::Checked() const { return check_ ? check_->Checked() : checked_; }

void TCheckable::SetChecked(bool checked) {
  checked_ = checked;
  if (check_) check_->SetChecked(checked);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked) {
    for (TRadioButton* other : group_) {
      if (other != this && other->Checked()) other->SetChecked(false);
    }
  }
  TCheckable::SetChecked(checked);
}

void TRadioButton::MakeGroup(const std::vector<TRadioButton*>& buttons) {
  for (TRadioButton* b : buttons) b->group_ = buttons;
}

int TUpDown::Position() const {
  if (spin_) return spin_->Position();
  if (Associate) {
    // The widget takes a number typed into its edit when it lies within the limits.
    long long typed = 0;
    if (TryParseInt(Associate->Text(), typed) && typed >= Min && typed <= Max)
      return static_cast<int>(typed);
  }
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, Min, Max);
  if (spin_) spin_->SetPosition(position_);
  if (Associate) Associate->SetText(std::to_string(position_));
}

int TRadioGroup::ItemIndex() const { return index_binding_ ? index_binding_->ItemIndex() : index_; }

void TRadioGroup::SetItemIndex(int index) {
  index_ = (index >= 0 && index < static_cast<int>(Items.size())) ? index : -1;
  if (index_binding_) index_binding_->SetItemIndex(index_);
}

int TPageControl::ActivePageIndex() const {
  return index_binding_ ? index_binding_->ItemIndex() : index_;
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(Pages.size())) return;
  index_ = index;
  if (index_binding_) index_binding_->SetItemIndex(index);
}
