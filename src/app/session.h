#pragma once
// The process-wide records and the services the handlers reach the outside
// world through. StartProgram creates one App for the whole run; handlers
// get it by reference and keep no state of their own.

#include <functional>
#include <string>
#include <utility>

#include "toolkit/toolkit.h"

namespace molvane {

struct AppSession {
  std::string DataFilePath;   // "RegInfo.dat" beside the executable; fixed once set
  std::string VaultPassword;  // empty until a prompt sets it
};

// The search position of find and find next.
struct FindState {
  bool Active = false;  // a search has found something and may be continued
  int NextIndex = 0;    // list index at which find next resumes
  std::string Pattern;  // the text of the last find that hit
};

// What the handlers need from the operating system, replaceable in tests.
struct Services {
  std::string program_directory;                    // folder of the executable, no trailing separator
  std::function<double()> now;                      // current local time as an automation date
  // Hands a web address to the browser; callers check that it is set.
  std::function<void(const std::string&)> open_address;
  std::string ip_lookup_url;  // address of the public IP lookup page
};

struct App {
  // Spelled out so that `App app{toolkit, services}` compiles warning-free.
  App(toolkit::Toolkit& tk, Services svc) : toolkit(tk), services(std::move(svc)) {}

  toolkit::Toolkit& toolkit;
  Services services;
  AppSession session;
  FindState find;
  toolkit::Window* main_window = nullptr;  // set while the main window exists
  // True while the remarks window is open, and while the focus goes back
  // from it to the remarks box that opened it: that return opens nothing.
  bool remarks_window_open = false;
};

}  // namespace molvane
