#pragma once
// The names of the main window's controls and menu items, as its form
// declares them and as the handlers look them up.

#include <string_view>

namespace molvane {

inline constexpr std::string_view kTitleList = "列表框_项目列表";

inline constexpr std::string_view kTitleBox = "编辑框_标题";
inline constexpr std::string_view kSiteBox = "编辑框_网址";
inline constexpr std::string_view kAccountBox = "编辑框_账号";
inline constexpr std::string_view kPasswordBox = "编辑框_密码";
inline constexpr std::string_view kPhoneBox = "编辑框_手机";
inline constexpr std::string_view kMailBox = "编辑框_邮箱";
inline constexpr std::string_view kRegisteredMailBox = "编辑框_注册邮箱";
inline constexpr std::string_view kRegisteredPhoneBox = "编辑框_注册手机";
inline constexpr std::string_view kPlaceBox = "编辑框_注册地点";
inline constexpr std::string_view kTimeBox = "编辑框_注册时间";
inline constexpr std::string_view kIpBox = "编辑框_注册IP";
// The remarks window's box has this name too; the window tells them apart.
inline constexpr std::string_view kRemarksBox = "编辑框_备注信息";

inline constexpr std::string_view kSiteLabel = "标签_网址";

inline constexpr std::string_view kNewButton = "按钮_新建项";
inline constexpr std::string_view kEditButton = "按钮_编辑项";
inline constexpr std::string_view kDeleteButton = "按钮_删除项";
inline constexpr std::string_view kTimeButton = "按钮_取当前时间";
inline constexpr std::string_view kIpButton = "按钮_取当前IP";

inline constexpr std::string_view kFindItem = "菜单_查找";
inline constexpr std::string_view kFindNextItem = "菜单_查找下一个";

}  // namespace molvane
