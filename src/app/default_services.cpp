#include "app/default_services.h"

#include "platform/clock.h"
#include "platform/program_path.h"

namespace molvane {

Services DefaultServices() {
  Services services;
  services.program_directory = ProgramDirectory();
  services.now = NowAsAutomationDate;
  return services;
}

}  // namespace molvane
