#pragma once
// Control ids of the main window's named controls. Each is unique in the window, so that a
// control whose text appears more than once ("Update benchmark") can be found by its id.
// Items of a check or radio group have the group's id times ten plus their index.

namespace ui::ids {

enum : int {
  Image1 = 100,       // the background picture
  Image2 = 101,       // "Exit"
  Image3 = 102,       // "Minimize"
  BenchButton = 103,  // "Run benchmark"
  RzGroupBar1 = 104,
  PageControl = 105,
  Panel1 = 106,
  Label3 = 107,
  Label4 = 108,

  RzGroup1 = 110,  // "Options"; its items 111 to 114
  RzGroup1Items0 = 111,
  RzGroup2 = 120,  // "Help"; its items 121 to 125
  RzGroup2Items0 = 121,

  TabSheet = 200,  // page n has id TabSheet + n

  // Page 0
  SC3PathEdit = 301,
  ResEdit = 302,
  RzToolButton1 = 303,
  NoteEdit = 304,
  InformationGroup = 305,
  Label21 = 306,
  RzToolButton2 = 307,
  RzToolButton5 = 308,
  // Page 1
  res = 401,
  demo = 402,
  DemoEdit = 403,
  DemoEditButton = 404,
  MapnameBox = 405,
  FilteringGroup = 406,
  // Page 2
  Shader = 501,
  AddSM3 = 502,
  EnableHDR = 503,
  EnableToneMapping = 504,
  HDRFrame = 505,
  ShaderNote = 506,
  // Page 3
  ProxyServerEdit = 601,
  ProxyPortEdit = 602,
  ProxyUsernameEdit = 603,
  ProxyPassEdit = 604,
  UseProxyBox = 605,
  RzToolButton3 = 606,
  ProxyGroup = 607,
  UpdateHeading = 608,
  // Page 4
  SponsorLogo1 = 701,
  SponsorText = 702,
  // Page 5
  AboutPicture = 801,
  AboutText = 802,
  SponsorLogo2 = 803,
  // Page 6
  HSMapping = 901,
  AddInfoBox = 902,
  RzToolButton7 = 903,
  HardwareFrame = 904,
  AdditionalText = 905,
};

constexpr int ItemOf(int group, int index) { return group * 10 + index; }

}  // namespace ui::ids
