// The controls of the main window as small objects named as on the form. Unbound (tests), an
// object holds its own state; in the Windows build it is bound to its widget, which then holds
// the state, so the code that reads and writes controls runs unchanged in both.
//
// Setting a value never runs a click handler: the callers run the handler themselves where a
// change must have its effects.
#pragma once

#include <string>
#include <vector>

// What a widget offers its control object. Texts are UTF-8.
class ControlBinding {
 public:
  virtual ~ControlBinding() = default;
  virtual std::string Text() = 0;  // text or caption
  virtual void SetText(const std::string& text) = 0;
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Focused() = 0;
  virtual void SetFocus() = 0;
};

// Check boxes and radio buttons.
class CheckBinding : public ControlBinding {
 public:
  virtual bool Checked() = 0;
  virtual void SetChecked(bool checked) = 0;
};

// Spin buttons.
class PositionBinding : public ControlBinding {
 public:
  virtual int Position() = 0;
  virtual void SetPosition(int position) = 0;
};

// Radio groups (the checked item) and page controls (the page shown).
class IndexBinding : public ControlBinding {
 public:
  virtual int ItemIndex() = 0;
  virtual void SetItemIndex(int index) = 0;
};

// Shared by the controls of one form: which of them has the keyboard focus while unbound.
struct FocusState {
  const class TControl* focused = nullptr;
};

class TControl {
 public:
  TControl(std::string name, std::string text) : Name(std::move(name)), text_(std::move(text)) {}
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  std::string Text() const;
  void SetText(const std::string& text);
  // A caption is the widget's text, as for every window.
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Focused() const;
  void SetFocus();

  void Bind(ControlBinding* binding) { binding_ = binding; }
  void SetFocusState(FocusState* focus) { focus_ = focus; }
  bool Bound() const { return binding_ != nullptr; }

  // Design properties, fixed at creation.
  const std::string Name;
  std::string Hint;        // shown as a tooltip
  bool FontBold = false;   // the form's font unless set
  int FontHeight = 0;      // pixels; 0 = the form's font
  bool ImeClosed = false;  // the input method is switched off while the control has the focus

 private:
  ControlBinding* binding_ = nullptr;
  FocusState* focus_ = nullptr;
  std::string text_;
  bool enabled_ = true;
};

class TLabel : public TControl {
 public:
  using TControl::TControl;
};

class TButton : public TControl {
 public:
  using TControl::TControl;
};

class TGroupBox : public TControl {
 public:
  using TControl::TControl;
};

class TImage : public TControl {
 public:
  explicit TImage(std::string name) : TControl(std::move(name), "") {}
};

class TEdit : public TControl {
 public:
  using TControl::TControl;
  bool ReadOnly = false;
};

// What a check box and a radio button share: a checked state, shown by the widget once bound.
class TCheckable : public TControl {
 public:
  bool Checked() const;
  void SetChecked(bool checked);
  void Bind(CheckBinding* binding) {
    TControl::Bind(binding);
    check_ = binding;
  }

 protected:
  TCheckable(std::string name, std::string caption, bool checked)
      : TControl(std::move(name), std::move(caption)), checked_(checked) {}

 private:
  CheckBinding* check_ = nullptr;
  bool checked_;
};

class TCheckBox : public TCheckable {
 public:
  TCheckBox(std::string name, std::string caption, bool checked)
      : TCheckable(std::move(name), std::move(caption), checked) {}
};

// A radio button belongs to a group of buttons of which exactly one is checked; checking one
// unchecks the others, as the user's click does.
class TRadioButton : public TCheckable {
 public:
  TRadioButton(std::string name, std::string caption, bool checked)
      : TCheckable(std::move(name), std::move(caption), checked) {}
  void SetChecked(bool checked);
  static void MakeGroup(const std::vector<TRadioButton*>& buttons);

 private:
  std::vector<TRadioButton*> group_;
};

// A spin button. With an associated edit it shows its position there ("bound to the edit" on
// the form) and reads the edit back, as the widget does: a typed number within the limits
// becomes the position, anything else leaves the position as it was.
class TUpDown : public TControl {
 public:
  TUpDown(std::string name, int min, int max, int position, TEdit* associate = nullptr)
      : TControl(std::move(name), ""),
        Min(min),
        Max(max),
        Associate(associate),
        position_(position) {}
  int Position() const;
  void SetPosition(int position);  // clamped to Min..Max
  void Bind(PositionBinding* binding) {
    TControl::Bind(binding);
    spin_ = binding;
  }

  const int Min;
  const int Max;
  TEdit* const Associate;

 private:
  PositionBinding* spin_ = nullptr;
  int position_;
};

class TRadioGroup : public TControl {
 public:
  TRadioGroup(std::string name, std::string caption, std::vector<std::string> items, int index)
      : TControl(std::move(name), std::move(caption)), Items(std::move(items)), index_(index) {}
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1 (none) or an item
  void Bind(IndexBinding* binding) {
    TControl::Bind(binding);
    index_binding_ = binding;
  }

  const std::vector<std::string> Items;

 private:
  IndexBinding* index_binding_ = nullptr;
  int index_;
};

class TTabSheet : public TControl {
 public:
  using TControl::TControl;
};

class TPageControl : public TControl {
 public:
  TPageControl(std::string name, std::vector<TTabSheet*> pages)
      : TControl(std::move(name), ""), Pages(std::move(pages)) {}
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  void Bind(IndexBinding* binding) {
    TControl::Bind(binding);
    index_binding_ = binding;
  }

  const std::vector<TTabSheet*> Pages;

 private:
  IndexBinding* index_binding_ = nullptr;
  int index_ = 0;
};
