#include "toolkit/headless/headless_toolkit.h"

#include <algorithm>
#include <ranges>
#include <utility>

namespace molvane::toolkit {

HeadlessToolkit::~HeadlessToolkit() { EndProcess(); }

HeadlessWindow& HeadlessToolkit::Create(const WindowForm& form, Bindings bindings) {
  windows_.push_back(std::make_unique<HeadlessWindow>(*this, form, std::move(bindings)));
  return *windows_.back();
}

Window* HeadlessToolkit::Load(const WindowForm& form, Bindings bindings) {
  if (!Delivering()) return nullptr;
  HeadlessWindow& window = Create(form, std::move(bindings));
  window.Raise({}, EventKind::Created);
  if (!window.IsOpen() || !Delivering()) return nullptr;
  window.Show();
  return &window;
}

void HeadlessToolkit::RunModal(const WindowForm& form, Bindings bindings, Window& parent) {
  if (!Delivering()) return;
  auto& owner = static_cast<HeadlessWindow&>(parent);
  owner.Block();
  HeadlessWindow& window = Create(form, std::move(bindings));
  modal_windows_.push_back(&window);
  window.Raise({}, EventKind::Created);
  if (window.IsOpen() && Delivering()) {
    window.Show();
    const bool scripted = !modal_scripts_.empty() && !EndAsked();
    CountAnswered(scripted, form.name);
    if (scripted) {
      auto script = std::move(modal_scripts_.front());
      modal_scripts_.pop_front();
      script(window);
    }
    window.Close();
  }
  owner.Unblock();
}

void HeadlessToolkit::RunEventLoop() {
  if (!loop_scripts_.empty() && Delivering() && !EndAsked()) {
    auto script = std::move(loop_scripts_.front());
    loop_scripts_.pop_front();
    script();
  }
  for (auto& window : windows_ | std::views::reverse) {
    if (!Delivering()) return;
    window->Close();
  }
}

std::optional<std::string> HeadlessToolkit::RunInputDialog(const InputDialogForm& form,
                                                           std::string_view caption,
                                                           std::string_view prompt) {
  CheckStillRunning("an input dialog");
  ShownDialog shown;
  shown.caption = caption;
  shown.text = prompt;
  shown.layout = form;
  shown.answered = !inputs_.empty() && !EndAsked();
  if (shown.answered) {
    shown.entered = std::move(inputs_.front());
    inputs_.pop_front();
  }
  dialogs_.push_back(shown);
  CountAnswered(shown.answered, caption);
  return shown.entered;
}

MessageAnswer HeadlessToolkit::RunMessageBox(std::string_view text, std::string_view caption,
                                             MessageButtons buttons) {
  CheckStillRunning("a message box");
  ShownDialog shown;
  shown.kind = ShownDialog::Kind::Message;
  shown.caption = caption;
  shown.text = text;
  shown.buttons = buttons;
  shown.answered = !message_answers_.empty() && !EndAsked();
  // Esc and the close box give Cancel when there is one; OK alone gives OK.
  MessageAnswer answer = MessageAnswer::Cancel;
  if (shown.answered) {
    answer = message_answers_.front();
    message_answers_.pop_front();
  }
  shown.answer = buttons == MessageButtons::OkCancel ? answer : MessageAnswer::Ok;
  dialogs_.push_back(shown);
  CountAnswered(shown.answered, text);
  return shown.answer;
}

void HeadlessToolkit::SetExitRoutine(std::function<void()> routine) {
  exit_routine_ = std::move(routine);
}

void HeadlessToolkit::SetDisplayLostRoutine(std::function<void()> routine) {
  display_lost_routine_ = std::move(routine);
}

void HeadlessToolkit::EndProgram(int code) {
  if (!end_code_) end_code_ = code;
}

void HeadlessToolkit::RequestEnd() {
  if (end_state_ == EndState::Running) end_state_ = EndState::Asked;
}

void HeadlessToolkit::LoseDisplay() {
  // After EndProgram the real process is gone already.
  if (!Delivering()) return;
  if (display_lost_routine_) display_lost_routine_();
  end_code_ = 1;
  EndProcess();
}

void HeadlessToolkit::NoteClosing(const HeadlessWindow& window) {
  if (std::ranges::find(modal_windows_, &window) == modal_windows_.end()) {
    end_state_ = EndState::Closing;
  }
}

void HeadlessToolkit::EndProcess() {
  process_ended_ = true;
  if (exit_routine_ && exit_routine_runs_ == 0) {
    ++exit_routine_runs_;
    exit_routine_();
  }
}

void HeadlessToolkit::QueueInput(std::string text) { inputs_.emplace_back(std::move(text)); }

void HeadlessToolkit::QueueInputCancel() { inputs_.emplace_back(std::nullopt); }

void HeadlessToolkit::QueueMessageAnswer(MessageAnswer answer) {
  message_answers_.push_back(answer);
}

void HeadlessToolkit::QueueModalScript(std::function<void(HeadlessWindow&)> script) {
  modal_scripts_.push_back(std::move(script));
}

void HeadlessToolkit::QueueMenuChoice(std::string item_name) {
  menu_choices_.push_back(std::move(item_name));
}

void HeadlessToolkit::QueueLoopScript(std::function<void()> script) {
  loop_scripts_.push_back(std::move(script));
}

std::size_t HeadlessToolkit::UnusedAnswers() const {
  return inputs_.size() + message_answers_.size() + modal_scripts_.size() + menu_choices_.size() +
         loop_scripts_.size();
}

HeadlessWindow* HeadlessToolkit::LastWindow(std::string_view form_name) const {
  for (const auto& window : windows_ | std::views::reverse) {
    if (window->Form().name == form_name) return window.get();
  }
  return nullptr;
}

std::optional<std::string> HeadlessToolkit::TakeMenuChoice() {
  if (menu_choices_.empty()) return std::nullopt;
  std::string choice = std::move(menu_choices_.front());
  menu_choices_.pop_front();
  return choice;
}

// The real backends never return from EndProgram, so code that goes on to
// ask the user something would never have run there.
void HeadlessToolkit::CheckStillRunning(std::string_view what) const {
  if (!Delivering()) HeadlessFailure(what, "was opened after the program had ended");
}

void HeadlessToolkit::CountAnswered(bool answered, std::string_view what) {
  unanswered_in_a_row_ = answered ? 0 : unanswered_in_a_row_ + 1;
  if (unanswered_in_a_row_ > kUnansweredLimit) {
    HeadlessFailure("the program keeps asking and nothing answers; queue the answers. Last:", what);
  }
}

}  // namespace molvane::toolkit
