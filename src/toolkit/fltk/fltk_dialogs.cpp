#include "toolkit/fltk/fltk_dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdint>

#include "text/gbk_codec.h"
#include "toolkit/fltk/fltk_controls.h"
#include "toolkit/fltk/fltk_text.h"
#include "toolkit/fltk/geometry.h"
#include "toolkit/fltk/outside_end.h"

namespace molvane::toolkit::fltk {

namespace {

constexpr Fl_Fontsize kTextSize = 12;

bool IsEnterKey() { return Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter; }

// A dialog's push button. Enter presses the button that has the focus, or
// else the default button, which is drawn with a dark outline.
class DialogButton final : public Fl_Button {
 public:
  DialogButton(const PixelRect& place, std::string_view gbk_text, bool is_default)
      : Fl_Button(place.x, place.y, place.width, place.height), is_default_(is_default) {
    labelsize(kTextSize);
    copy_label(LabelText(gbk_text).c_str());
  }

  int handle(int event) override {
    const bool pressed_by_enter = IsEnterKey() && ((event == FL_KEYBOARD && Fl::focus() == this) ||
                                                   (event == FL_SHORTCUT && is_default_));
    if (!pressed_by_enter) return Fl_Button::handle(event);
    do_callback();
    return 1;
  }

  void draw() override {
    Fl_Button::draw();
    if (!is_default_) return;
    fl_color(FL_FOREGROUND_COLOR);
    fl_rect(x(), y(), w(), h());
  }

 private:
  bool is_default_;
};

// A modal dialog window that records which button closed it. Esc and the
// close box count as `cancel_answer`.
class DialogWindow final : public Fl_Double_Window {
 public:
  DialogWindow(const PixelRect& area, std::string_view gbk_caption, int cancel_answer)
      : Fl_Double_Window(area.x, area.y, area.width, area.height), answer_(cancel_answer) {
    size_range(area.width, area.height, area.width, area.height);
    xclass("molvane");
    copy_label(GbkToUtf8(gbk_caption).c_str());
    callback(OnCloseRequest);
    set_modal();
  }

  // A button that closes the dialog with `answer`.
  void Answers(DialogButton& button, int answer) {
    button.callback(OnAnswer, reinterpret_cast<void*>(static_cast<std::intptr_t>(answer)));
  }

  // Shows the dialog with the focus on `focus` and waits until it closes,
  // or until an end of the program is asked, which cancels it.
  int Run(Fl_Widget& focus) {
    end();
    show();
    focus.take_focus();
    while (shown() && !EndAsked()) Fl::wait();
    hide();
    return answer_;
  }

 private:
  static void OnCloseRequest(Fl_Widget* widget, void*) { widget->hide(); }

  static void OnAnswer(Fl_Widget* button, void* answer) {
    auto* dialog = static_cast<DialogWindow*>(button->window());
    dialog->answer_ = static_cast<int>(reinterpret_cast<std::intptr_t>(answer));
    dialog->hide();
  }

  int answer_;
};

constexpr int kCancelled = 0;
constexpr int kConfirmed = 1;

}  // namespace

std::optional<std::string> RunInputDialog(const InputDialogForm& form, std::string_view caption,
                                          std::string_view prompt) {
  const PixelRect size = FromDialogUnits(form.dialog);
  DialogWindow dialog(CentredDialogArea(size.width, size.height),
                      caption.empty() ? form.caption : caption, kCancelled);
  if (form.has_prompt) {
    const PixelRect frame = FromDialogUnits(form.prompt_frame);
    new Fl_Box(FL_DOWN_FRAME, frame.x, frame.y, frame.width, frame.height, nullptr);
    const PixelRect area = FromDialogUnits(form.prompt);
    auto* text = new Fl_Box(area.x, area.y, area.width, area.height);
    text->labelsize(kTextSize);
    text->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    fl_font(text->labelfont(), kTextSize);
    text->copy_label(WrapToWidth(LabelText(ToLfLines(prompt)), area.width).c_str());
  }
  const PixelRect entry_place = FromDialogUnits(form.entry);
  auto* entry = new OneLineInput(entry_place.x, entry_place.y, entry_place.width,
                                 entry_place.height);
  dialog.Answers(*new DialogButton(FromDialogUnits(form.ok_button), form.ok_text, true), kConfirmed);
  dialog.Answers(*new DialogButton(FromDialogUnits(form.cancel_button), form.cancel_text, false),
                 kCancelled);
  if (dialog.Run(*entry) != kConfirmed) return std::nullopt;
  return Utf8ToGbk(entry->value());
}

namespace {

// The message box's layout, in pixels.
constexpr int kMargin = 20;
constexpr int kMaxTextWidth = 400;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kMinimumWidth = 180;

}  // namespace

MessageAnswer RunMessageBox(std::string_view text, std::string_view caption,
                            MessageButtons buttons) {
  fl_font(FL_HELVETICA, kTextSize);
  const std::string label = WrapToWidth(LabelText(ToLfLines(text)), kMaxTextWidth);
  int text_width = 0, text_height = 0;
  fl_measure(label.c_str(), text_width, text_height);

  const int button_count = buttons == MessageButtons::OkCancel ? 2 : 1;
  const int buttons_width = button_count * kButtonWidth + (button_count - 1) * kButtonGap;
  const int width = std::max({text_width + 2 * kMargin, buttons_width + 2 * kMargin, kMinimumWidth});
  const int height = kMargin + text_height + kMargin + kButtonHeight + kMargin / 2;
  const int cancel_answer = static_cast<int>(button_count == 2 ? MessageAnswer::Cancel
                                                               : MessageAnswer::Ok);
  DialogWindow dialog(CentredDialogArea(width, height), caption, cancel_answer);

  auto* message = new Fl_Box(kMargin, kMargin, text_width, text_height);
  message->labelsize(kTextSize);
  message->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
  message->copy_label(label.c_str());

  const int buttons_left = (width - buttons_width) / 2;
  const int buttons_top = height - kMargin / 2 - kButtonHeight;
  auto* ok = new DialogButton({buttons_left, buttons_top, kButtonWidth, kButtonHeight}, "确定", true);
  dialog.Answers(*ok, static_cast<int>(MessageAnswer::Ok));
  if (button_count == 2) {
    auto* cancel = new DialogButton(
        {buttons_left + kButtonWidth + kButtonGap, buttons_top, kButtonWidth, kButtonHeight}, "取消",
        false);
    dialog.Answers(*cancel, static_cast<int>(MessageAnswer::Cancel));
  }
  return static_cast<MessageAnswer>(dialog.Run(*ok));
}

}  // namespace molvane::toolkit::fltk
