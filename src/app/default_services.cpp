#include "app/default_services.h"

#include "platform/clock.h"
#include "platform/program_path.h"
#include "platform/shell_open.h"

namespace molvane {

Services DefaultServices() {
  Services services;
  services.program_directory = ProgramDirectory();
  services.now = NowAsAutomationDate;
  services.open_address = OpenInBrowser;
  return services;
}

}  // namespace molvane
