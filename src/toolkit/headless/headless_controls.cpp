#include "toolkit/headless/headless_controls.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/headless/headless_window.h"

namespace molvane::toolkit {

void HeadlessFailure(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "headless toolkit: %.*s %.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

namespace {

std::string WithoutLineBreaks(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (c != '\r' && c != '\n') kept += c;
  }
  return kept;
}

}  // namespace

HeadlessLabel::HeadlessLabel(const ControlForm& form) : text_(form.text), enabled_(form.enabled) {}

HeadlessEditBox::HeadlessEditBox(HeadlessWindow& window, const ControlForm& form)
    : window_(window),
      name_(form.name),
      multi_line_(form.kind == ControlKind::MultiLineEditBox),
      enabled_(form.enabled),
      background_(form.background) {
  SetText(form.text);
}

void HeadlessEditBox::SetText(std::string_view text) {
  text_ = multi_line_ ? text : FirstLine(text);
  all_selected_ = false;
}

void HeadlessEditBox::Focus() {
  if (enabled_) window_.MoveFocus(name_);
}

void HeadlessEditBox::InsertTyped(std::string_view typed) {
  const std::string kept = multi_line_ ? std::string(typed) : WithoutLineBreaks(typed);
  if (all_selected_) {
    text_ = kept;
  } else {
    text_ += kept;
  }
  all_selected_ = false;
}

HeadlessListBox::HeadlessListBox(const ControlForm& form) : enabled_(form.enabled) {}

int HeadlessListBox::Count() const { return static_cast<int>(items_.size()); }

bool HeadlessListBox::Holds(int index) const { return index >= 0 && index < Count(); }

std::string HeadlessListBox::ItemText(int index) const {
  return Holds(index) ? items_[static_cast<std::size_t>(index)] : std::string();
}

int HeadlessListBox::AddItem(std::string_view text) {
  items_.emplace_back(text);
  return Count() - 1;
}

// The selection follows its item; deleting the selected item leaves none.
void HeadlessListBox::DeleteItem(int index) {
  if (!Holds(index)) return;
  items_.erase(items_.begin() + index);
  if (selection_ == index) {
    selection_ = -1;
  } else if (selection_ > index) {
    --selection_;
  }
}

// An index that holds no item clears the selection, as a native list does.
void HeadlessListBox::SetSelection(int index) { selection_ = Holds(index) ? index : -1; }

HeadlessButton::HeadlessButton(const ControlForm& form)
    : caption_(form.text), enabled_(form.enabled) {}

}  // namespace molvane::toolkit
