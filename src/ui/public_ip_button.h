#pragma once
// The 取当前IP button: the registration-IP box gets the computer's public
// IP address from the lookup page, or a failure text.

#include "app/session.h"
#include "toolkit/event.h"

namespace molvane {

// 按钮_取当前IP clicked: fetches app.services.ip_lookup_url and replaces the
// text of 编辑框_注册IP, read-only or not, with the address found, or with
// "获取IP失败请重试." when there is none. The button is disabled while the
// request blocks the window and enabled again afterwards, whatever the
// outcome. The register is not written; Save stores what the box shows.
void LookUpPublicIp(App& app, const toolkit::Event& event);

}  // namespace molvane
