#pragma once
// The controls of the headless backend: every property lives in memory. The
// program changes them through the toolkit interface; tests read them there
// and act as the user through HeadlessWindow.

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/form.h"
#include "toolkit/window.h"

namespace molvane::toolkit {

class HeadlessWindow;

// Ends the test program with a message: a test that drives the backend in a
// way no user could (an unknown control, an answer nobody asked for) is a
// broken test, and it must not pass or hang.
[[noreturn]] void HeadlessFailure(std::string_view what, std::string_view detail = {});

class HeadlessLabel final : public Control {
 public:
  explicit HeadlessLabel(const ControlForm& form);
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] const std::string& Text() const { return text_; }

 private:
  std::string text_;
  bool enabled_;
};

class HeadlessEditBox final : public EditBox {
 public:
  HeadlessEditBox(HeadlessWindow& window, const ControlForm& form);
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] std::string Text() const override { return text_; }
  void SetText(std::string_view text) override;
  [[nodiscard]] bool ReadOnly() const override { return read_only_; }
  void SetReadOnly(bool read_only) override { read_only_ = read_only; }
  [[nodiscard]] Colour Background() const override { return background_; }
  void SetBackground(Colour colour) override { background_ = colour; }
  void SelectAll() override { all_selected_ = true; }
  // Takes the focus as a native box does: raises GotFocus unless it had it.
  void Focus() override;

  [[nodiscard]] bool MultiLine() const { return multi_line_; }
  // True after SelectAll until the text changes.
  [[nodiscard]] bool AllSelected() const { return all_selected_; }
  // What typing `typed` does: it replaces a whole selection, else it goes
  // at the end; a one-line box takes no line break.
  void InsertTyped(std::string_view typed);

 private:
  HeadlessWindow& window_;
  std::string_view name_;
  bool multi_line_;
  std::string text_;
  bool enabled_;
  bool read_only_ = false;
  Colour background_;
  bool all_selected_ = false;
};

class HeadlessListBox final : public ListBox {
 public:
  explicit HeadlessListBox(const ControlForm& form);
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] int Count() const override;
  [[nodiscard]] std::string ItemText(int index) const override;
  int AddItem(std::string_view text) override;
  void DeleteItem(int index) override;
  [[nodiscard]] int Selection() const override { return selection_; }
  void SetSelection(int index) override;

 private:
  [[nodiscard]] bool Holds(int index) const;
  std::vector<std::string> items_;
  int selection_ = -1;
  bool enabled_;
};

class HeadlessButton final : public Button {
 public:
  explicit HeadlessButton(const ControlForm& form);
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }

 private:
  std::string caption_;
  bool enabled_;
};

class HeadlessMenuItem final : public MenuItem {
 public:
  explicit HeadlessMenuItem(const MenuItemForm& form) : enabled_(form.enabled) {}
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

 private:
  bool enabled_;
};

}  // namespace molvane::toolkit
