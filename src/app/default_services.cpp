#include "app/default_services.h"

#include "platform/clock.h"
#include "platform/program_path.h"
#include "platform/shell_open.h"
#include "web/public_ip.h"

namespace molvane {

Services DefaultServices() {
  Services services;
  services.program_directory = ProgramDirectory();
  services.now = NowAsAutomationDate;
  services.open_address = OpenInBrowser;
  services.ip_lookup_url = PublicIpLookupUrl();
  return services;
}

}  // namespace molvane
