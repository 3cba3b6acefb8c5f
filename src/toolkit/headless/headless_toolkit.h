#pragma once
// The in-memory backend that tests link. There is no screen and no user:
// a test acts as the user through HeadlessWindow and queues, before the
// program asks, the answers of its dialogs, the scripts that run while a
// modal window or the event loop is open, and the choices of popup menus.
//
// Nothing waits: a dialog, modal window or popup with no queued answer is
// closed at once as the user's close box (or Esc) would close it, and is
// recorded as unanswered. A program that keeps asking without answers (more
// than kUnansweredLimit times in a row) fails the test with a message, and
// so does any dialog opened after EndProgram.
//
// A test also delivers the ends that come from outside the program: a
// termination request (RequestEnd) and the loss of the display
// (LoseDisplay).

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/headless/headless_window.h"
#include "toolkit/toolkit.h"

namespace molvane::toolkit {

// A dialog as it was shown, and how it was answered.
struct ShownDialog {
  enum class Kind { Input, Message };
  Kind kind = Kind::Input;
  std::string caption;
  std::string text;                    // the prompt of an input dialog, or the message
  InputDialogForm layout{};            // input dialogs: the layout shown
  MessageButtons buttons{};            // message boxes: the button set
  bool answered = false;               // false: nothing was queued, the close box answered
  std::optional<std::string> entered;  // input dialogs: the confirmed text; nothing when cancelled
  MessageAnswer answer{};              // message boxes
};

struct PopupRecord {
  int dx, dy;          // the offset from the mouse cursor that the program asked for
  std::string chosen;  // the menu item chosen; empty when none was (or it was disabled)
};

class HeadlessToolkit final : public Toolkit {
 public:
  static constexpr int kUnansweredLimit = 100;

  HeadlessToolkit() = default;
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;
  // Ends the process if the test did not: runs the exit routine once.
  ~HeadlessToolkit() override;

  Window* Load(const WindowForm& form, Bindings bindings) override;
  // Runs the next queued modal script with the window open; when the script
  // leaves it open (or none was queued), the close box closes it.
  void RunModal(const WindowForm& form, Bindings bindings, Window& parent) override;
  // Runs the next queued loop script, then the user closes every window
  // still open with its close box, last loaded first.
  void RunEventLoop() override;
  std::optional<std::string> RunInputDialog(const InputDialogForm& form, std::string_view caption,
                                            std::string_view prompt) override;
  MessageAnswer RunMessageBox(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override;
  void SetExitRoutine(std::function<void()> routine) override;
  void SetDisplayLostRoutine(std::function<void()> routine) override;
  // Records the code and delivers no event from now on; closes nothing.
  void EndProgram(int code) override;

  // Answers, each taken by the next dialog, window or popup of its kind.
  void QueueInput(std::string text);
  void QueueInputCancel();
  // A box with only OK answers OK whatever was queued.
  void QueueMessageAnswer(MessageAnswer answer);
  void QueueModalScript(std::function<void(HeadlessWindow&)> script);
  void QueueMenuChoice(std::string item_name);
  void QueueLoopScript(std::function<void()> script);
  // Queued answers that nothing has taken yet.
  [[nodiscard]] std::size_t UnusedAnswers() const;

  // A termination signal arrives, as from a loop or modal script (a dialog
  // or modal window is open meanwhile) or before the program starts. Until
  // a top-level window begins closing, every dialog then ends as cancelled
  // (unanswered, leaving the queued answers), every modal window is closed
  // as soon as it is shown, and the event loop runs no script before it
  // closes the windows. Ignored once a top-level window is closing.
  void RequestEnd();
  // The display is lost: the display-lost routine runs, then the process
  // ends with code 1 (EndCode). Nothing happens once the program has ended.
  void LoseDisplay();
  [[nodiscard]] bool EndAsked() const { return end_state_ == EndState::Asked; }

  // What happened.
  [[nodiscard]] const std::vector<ShownDialog>& Dialogs() const { return dialogs_; }
  [[nodiscard]] const std::vector<PopupRecord>& Popups() const { return popups_; }
  // The window last loaded from the form of that name, open or closed; null if none.
  [[nodiscard]] HeadlessWindow* LastWindow(std::string_view form_name) const;
  [[nodiscard]] bool Ended() const { return end_code_.has_value(); }
  [[nodiscard]] std::optional<int> EndCode() const { return end_code_; }
  [[nodiscard]] int ExitRoutineRuns() const { return exit_routine_runs_; }

  // The end of the process: no event is delivered any more and the exit
  // routine runs, unless it already has.
  void EndProcess();

  // For the windows.
  [[nodiscard]] bool Delivering() const { return !end_code_ && !process_ended_; }
  void NoteClosing(const HeadlessWindow& window);
  std::optional<std::string> TakeMenuChoice();
  void RecordPopup(PopupRecord popup) { popups_.push_back(std::move(popup)); }

 private:
  enum class EndState { Running, Asked, Closing };

  HeadlessWindow& Create(const WindowForm& form, Bindings bindings);
  void CheckStillRunning(std::string_view what) const;
  void CountAnswered(bool answered, std::string_view what);

  std::vector<std::unique_ptr<HeadlessWindow>> windows_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<MessageAnswer> message_answers_;
  std::deque<std::function<void(HeadlessWindow&)>> modal_scripts_;
  std::deque<std::string> menu_choices_;
  std::deque<std::function<void()>> loop_scripts_;
  std::vector<ShownDialog> dialogs_;
  std::vector<PopupRecord> popups_;
  int unanswered_in_a_row_ = 0;
  std::optional<int> end_code_;
  bool process_ended_ = false;
  std::function<void()> exit_routine_;
  int exit_routine_runs_ = 0;
  std::function<void()> display_lost_routine_;
  EndState end_state_ = EndState::Running;
  std::vector<const HeadlessWindow*> modal_windows_;
};

}  // namespace molvane::toolkit
