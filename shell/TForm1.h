// The main window: every control of its four pages, the settings fields and the click
// handlers. A workflow's member reads the controls and fields it needs into a plain record and
// calls the workflow's free core, which takes the host link (docs/ARCHITECTURE.md). The members
// are defined under shell/, one file per subsystem; no core includes this header.
//
// Construction gives the design state. Whoever shows the window (the Windows program, a test)
// binds the controls if it has widgets and then calls FormCreate; FormDestroy before it goes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/AcadTypes.h"
#include "shell/Controls.h"

struct TriangleLabelling;  // annotation/TriangleLabels.h
struct RegionSettings;     // workflows/DivideRegion.h

// What the real window offers the form: its position and outer size, and the screen's size.
class FormBinding {
 public:
  virtual ~FormBinding() = default;
  virtual int Left() = 0;
  virtual int Top() = 0;
  virtual void SetPosition(int left, int top) = 0;
  virtual int Width() = 0;  // outer size, frame included
  virtual int Height() = 0;
  virtual int ScreenWidth() = 0;  // the primary screen
  virtual int ScreenHeight() = 0;
};

// The settings file could not be written; the message names the file.
class ESettingsWrite : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TForm1 {
 public:
  TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // ---- Window ----
  static constexpr const char* kCaption = "Velsarom";
  static constexpr const char* kApplicationTitle = "Velsarom 2012 Beta";
  static constexpr int kClientWidth = 187;
  static constexpr int kClientHeight = 267;

  int Left() const;
  int Top() const;
  void SetPosition(int left, int top);
  int Width() const;
  int Height() const;
  int ScreenWidth() const;
  int ScreenHeight() const;
  void Bind(FormBinding* binding) { binding_ = binding; }
  // The screen an unbound form pretends to be on.
  void SetUnboundScreen(int width, int height) { screenWidth_ = width, screenHeight_ = height; }

  // Every control, in the order of the pages and, within a page, of the tables.
  const std::vector<TControl*>& Controls() const { return controls_; }
  TControl* FindControl(const std::string& name) const;

  // ---- Page " ﾍﾛﾝ " (TabSheet2) ----
  TImage Image3{"Image3"};
  TLabel Label24{"Label24", "2016 Beta"};
  TRadioGroup RadioGroup1{"RadioGroup1", "求積", {"ﾍﾛﾝ", "三斜"}, 0};
  TGroupBox GroupBox6{"GroupBox6", "No."};
  TEdit Edit16{"Edit16", "1"};
  TUpDown UpDown4{"UpDown4", 1, 1000, 1, &Edit16};
  TButton Button4{"Button4", "最大"};
  TGroupBox GroupBox5{"GroupBox5", "一括処理"};
  TButton Button12{"Button12", "分割"};
  TButton Button13{"Button13", "群選択"};
  TButton Button10{"Button10", "自動"};
  TGroupBox GroupBox13{"GroupBox13", "個別処理"};
  TButton Button8{"Button8", "２辺指示"};
  TButton Button6{"Button6", "１点指示"};
  TGroupBox GroupBox14{"GroupBox14", "求積表"};
  TButton Button3{"Button3", "作成"};
  TButton Button16{"Button16", "検算"};
  TCheckBox CheckBox2{"CheckBox2", "全ﾃﾞｰﾀｰ", true};

  // ---- Page " 設定1" (TabSheet3) ----
  TGroupBox GroupBox4{"GroupBox4", "尺度"};
  // Off: the division cuts its ears as always. On: it maximises the smallest angle.
  TCheckBox CheckBox5{"CheckBox5", "形状優先", false};
  TCheckBox CheckBox6{"CheckBox6", "弓形", false};
  TEdit Edit8{"Edit8", "1000"};
  TUpDown UpDown3{"UpDown3", 0, 3, 3};
  TGroupBox GroupBox9{"GroupBox9", "長さ"};
  TEdit Edit7{"Edit7", "2"};
  TUpDown UpDown2{"UpDown2", 0, 6, 2, &Edit7};
  TRadioButton RadioButton1{"RadioButton1", "切捨", false};
  TRadioButton RadioButton2{"RadioButton2", "四捨", true};
  TRadioButton RadioButton3{"RadioButton3", "切上", false};
  TGroupBox GroupBox10{"GroupBox10", "面積"};
  TEdit Edit18{"Edit18", "4"};
  TUpDown UpDown6{"UpDown6", 0, 6, 4, &Edit18};
  TRadioButton RadioButton4{"RadioButton4", "切捨", false};
  TRadioButton RadioButton5{"RadioButton5", "四捨", true};
  TRadioButton RadioButton6{"RadioButton6", "切上", false};
  TGroupBox GroupBox11{"GroupBox11", "最終"};
  TEdit Edit4{"Edit4", "2"};
  TUpDown UpDown1{"UpDown1", 0, 6, 2, &Edit4};
  TRadioButton RadioButton7{"RadioButton7", "切捨", false};
  TRadioButton RadioButton8{"RadioButton8", "四捨", true};
  TRadioButton RadioButton9{"RadioButton9", "切上", false};
  TGroupBox GroupBox8{"GroupBox8", "画層"};
  TEdit Edit12{"Edit12", "H_TEXT"};
  TEdit Edit15{"Edit15", "H_HEN"};
  TEdit Edit19{"Edit19", "H_TAKASA"};

  // ---- Page " 設定2" (TabSheet4) ----
  TGroupBox GroupBox2{"GroupBox2", "辺、高さ"};
  TEdit Edit3{"Edit3", "300"};
  TEdit Edit5{"Edit5", "400"};
  TEdit Edit6{"Edit6", "500"};
  TGroupBox GroupBox1{"GroupBox1", "求積表"};
  TEdit Edit9{"Edit9", "400"};
  TEdit Edit10{"Edit10", "800"};
  TLabel Label10{"Label10", "幅1"};
  TEdit Edit11{"Edit11", "1500,3000,3000,3000,4500"};
  TLabel Label19{"Label19", "幅2"};
  TEdit Edit20{"Edit20", "1500,3000,3000,4500"};
  TGroupBox GroupBox15{"GroupBox15", "作成文字"};
  TCheckBox CheckBox4{"CheckBox4", "現在の文字スタイルで作成", false};

  // ---- Page " ﾂｰﾙ" (TabSheet1) ----
  TImage Image1{"Image1"};
  TGroupBox GroupBox7{"GroupBox7", ""};
  TButton Button2{"Button2", "文字回転"};
  TLabel Label13{"Label13", "角度"};
  TEdit Edit13{"Edit13", "180.0"};
  TButton Button5{"Button5", "番号移動"};
  TCheckBox CheckBox3{"CheckBox3", "矢印", true};
  TEdit Edit14{"Edit14", "400"};
  TButton Button11{"Button11", "長さ記入"};
  TButton Button14{"Button14", "番号更新"};  // no function; disabled and out of sight
  TEdit Edit21{"Edit21", "1"};
  TLabel Label6{"Label6", "を"};
  TEdit Edit22{"Edit22", "2"};
  TLabel Label7{"Label7", "に"};
  TGroupBox GroupBox3{"GroupBox3", "基準線から三角形を作成"};
  TEdit Edit1{"Edit1", "8.0"};
  TEdit Edit2{"Edit2", "10.0"};
  TCheckBox CheckBox1{"CheckBox1", "作成側自動", true};
  TLabel Label17{"Label17", "X"};
  TEdit Edit17{"Edit17", "1000"};
  TUpDown UpDown5{"UpDown5", 0, 3, 3};
  TButton Button1{"Button1", "基準線"};
  TButton Button9{"Button9", "a-b反転"};
  TButton Button7{"Button7", "戻す"};
  TGroupBox GroupBox16{"GroupBox16", ""};  // no caption: the page has no room for one
  TButton Button15{"Button15", "座標求積"};
  // Decimal places of the coordinate table's coordinates, beside the button that draws it.
  TEdit Edit23{"Edit23", "3"};
  TUpDown UpDown7{"UpDown7", 0, 6, 3, &Edit23};

  // ---- Pages ----
  TTabSheet TabSheet2{"TabSheet2", " ﾍﾛﾝ "};
  TTabSheet TabSheet3{"TabSheet3", " 設定1"};
  TTabSheet TabSheet4{"TabSheet4", " 設定2"};
  TTabSheet TabSheet1{"TabSheet1", " ﾂｰﾙ"};
  TPageControl PageControl1{"PageControl1", {&TabSheet2, &TabSheet3, &TabSheet4, &TabSheet1}};

  // ---- Fields ----
  TAcadTriangle pt3_temp;    // the last triangle built on a base line
  std::int32_t Keta1 = 2;    // decimal places of lengths (UpDown2)
  std::int32_t keta2 = 4;    // of triangle areas (UpDown6)
  std::int32_t keta3 = 2;    // of the final area (UpDown1)
  std::int32_t keta4 = 3;    // of the coordinate table's coordinates (UpDown7)
  std::int32_t Marume1 = 1;  // rounding of lengths: 0 down, 1 half up, 2 up
  std::int32_t Marume2 = 1;  // of triangle areas
  std::int32_t Marume3 = 1;  // of the final area
  std::string CeTextStyle;   // the host's text style for written texts; empty = none

  // ---- Handlers of the window and its settings ----
  void FormCreate();
  void FormDestroy();
  void RadioGroup1Click();
  void UpDown2Click();
  void UpDown6Click();
  void UpDown1Click();
  void UpDown7Click();
  void RadioButton1Click();
  void RadioButton4Click();
  void RadioButton7Click();
  void CheckBox3Click();
  void UpDown3Click();
  void LoadSettings();
  void SaveSettings();  // throws ESettingsWrite at the first write that fails
  std::string SettingsPath() const;

  // ---- Buttons of the workflows ----
  void Button1Click();   // 基準線
  void Button2Click();   // 文字回転
  void Button3Click();   // 求積表 作成
  void Button4Click();   // 最大
  void Button16Click();  // 検算
  void Button5Click();   // 番号移動
  void Button6Click();   // １点指示
  void Button7Click();   // 戻す
  void Button8Click();   // ２辺指示
  void Button9Click();   // a-b反転
  void Button10Click();  // 自動
  void Button11Click();  // 長さ記入
  void Button12Click();  // 分割
  void Button13Click();  // 群選択
  void Button15Click();  // 座標求積
  void UpDown5Click();
  // key is the typed UTF-16 unit; a handler that consumes it sets it to 0.
  void Edit1KeyPress(char16_t& key);
  void Edit2KeyPress(char16_t& key);

  // ---- Methods of the workflows (defined in shell/, one file per subsystem) ----

  // Triangle workflows (shell/TriangleMembers.cpp), labelling settings read by ReadWindow
  // (shell/WindowSettings.h); the number counter advances by what reached the drawing.
  void AdvanceTriangleNumber(int first, int count);
  // The user's selection exported and read, its triangles labelled.
  void GroupSelection(const TriangleLabelling& labelling);
  // 分割 (no labels), 自動 and １点指示: the settings read, a point picked, the region divided.
  void PickAndDivide(bool labels);
  void DivideRegion(const TAcadPoint& point, const RegionSettings& settings);

  // ---- Error handling ----
  // Runs a handler; an exception leaving it becomes the general error message box (title
  // "Velsarom", OK) instead of ending the program. Every click goes through here.
  // A workflow's waits let the window handle messages, so a click on another workflow's button
  // can arrive while one runs. It is ignored: both would type into the one host, export into
  // the one file and read into the one set of entity tables. Settings controls keep working.
  void RunHandler(void (TForm1::*handler)());
  bool WorkflowRunning() const { return workflowRunning_; }
  void RunGuarded(const std::function<void()>& body);
  // True while a handler runs, nested ones included, its error message too. Its waits let the
  // window handle messages; the window holds a close until then, so that the handler does not
  // go on reading controls that are gone and typing what they no longer hold into the drawing.
  bool Busy() const { return running_ > 0; }
  // The window is asked to close. True: it may save its settings and go now. False while a
  // handler runs: the dialogue with the host that it waits in is asked to end as a user's
  // cancel would (platform::EventLoop::RequestCancel; its waits return cancelled), and the
  // close is held. TakeHeldClose is true once, after the last handler has ended, when the
  // held close may go on.
  bool RequestClose();
  bool TakeHeldClose();

 private:
  void Register(TControl& control);
  void RegisterAll();

  FormBinding* binding_ = nullptr;
  int running_ = 0;  // handlers running, see Busy
  bool workflowRunning_ = false;
  // The last workflow built a base-line triangle (or rebuilt it), so the host's last undo mark
  // stands before it: 戻す and a-b反転 may go back to it. Every other workflow clears it.
  bool lastWasConstruction_ = false;
  void KeepConstruction(const std::optional<TAcadTriangle>& built);
  bool closeHeld_ = false;  // see RequestClose
  FocusState focus_;
  std::vector<TControl*> controls_;
  int left_ = 589;
  int top_ = 336;
  int width_ = kClientWidth + 6;  // a fixed single frame and a title bar
  int height_ = kClientHeight + 29;
  int screenWidth_ = 1024;
  int screenHeight_ = 768;
};
