#pragma once
// The toolkit on X11 through FLTK 1.3. Text crosses into FLTK as UTF-8
// and comes back as GBK; the Chinese texts are drawn with a CJK font.

#include "toolkit/toolkit.h"

namespace molvane::toolkit::fltk {

class FltkToolkit final : public Toolkit {
 public:
  // Chooses the fonts, sizes and colours of every window and watches the
  // termination signals; the display is opened when the first window or
  // dialog is made.
  FltkToolkit();

  Window* Load(const WindowForm& form, Bindings bindings) override;
  void RunModal(const WindowForm& form, Bindings bindings, Window& parent) override;
  void RunEventLoop() override;
  std::optional<std::string> RunInputDialog(const InputDialogForm& form, std::string_view caption,
                                            std::string_view prompt) override;
  MessageAnswer RunMessageBox(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override;
  void SetExitRoutine(std::function<void()> routine) override;
  void SetDisplayLostRoutine(std::function<void()> routine) override;
  [[noreturn]] void EndProgram(int code) override;
};

}  // namespace molvane::toolkit::fltk
