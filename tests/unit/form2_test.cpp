// The settings dialog and the start-with-Windows registration through the
// fakes: loading, captions, Apply, Default, OK and Cancel, the Run value.
#include <gtest/gtest.h>

#include <set>

#include "resources/resource.h"
#include "settings/form2.h"
#include "settings/form2_layout.h"
#include "settings/run_key.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace settings;
using namespace testing_support;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using S = Settings;

constexpr char kSettingsKey[] = "Software\\Varnosk\\Adrelo\\Settings";

struct Harness {
  explicit Harness(Settings start = {}) : settings(start) {
    registry.AddKey(kRunKeyPath, kHkeyLocalMachine);
    registry.AddKey(kRunKeyPath, kHkeyCurrentUser);
    registry.SetString(kSettingsKey, "Language", "0");
  }
  Form2& Open() {
    form2 = std::make_unique<Form2>(
        controls, messages,
        Form2Services{settings, registry, strings, {L"C:\\Tools", L"Adrelo"}, host});
    form2->Load();
    log.clear();
    return *form2;
  }
  // The entries of the dialog's and the main window's steps, without captions.
  std::vector<std::string> Steps() const {
    std::vector<std::string> kept;
    for (const std::string& entry : log) {
      if (entry.rfind("form2.SetCaption", 0) != 0 && entry.rfind("form2.SetFontCharset", 0) != 0)
        kept.push_back(entry);
    }
    return kept;
  }

  CallLog log;
  Settings settings;
  FakeRegistry registry{&log};
  RcStringTable strings;
  FakeForm2Controls controls{&log};
  FakeForm2Host host{&log};
  FakeMessageBox messages{&log};
  std::unique_ptr<Form2> form2;
};

TEST(Form2, LoadSelectsOneOptionPerFrameForEveryValue) {
  struct Row {
    std::int16_t Settings::*field;
    std::int16_t value;
    int control;
    bool on;
  };
  const Row rows[] = {
      {&S::ShowIP, 1, IDC_Option1, true},      {&S::ShowIP, 2, IDC_Option2, true},
      {&S::ShowIP, 0, IDC_Option2, true},      {&S::Language, 100, IDC_Option3, true},
      {&S::Language, 0, IDC_Option4, true},    {&S::Language, 1000, IDC_Option4, true},
      {&S::Tip_Window, 1, IDC_Option8, true},  {&S::Tip_Window, 2, IDC_Option9, true},
      {&S::Tip_Window, 3, IDC_Option10, true}, {&S::Tip_Window, 7, IDC_Option8, true},
      {&S::CopyInfo, 1, IDC_Option5, true},    {&S::CopyInfo, 2, IDC_Option6, true},
      {&S::CopyInfo, 3, IDC_Option7, true},    {&S::CopyInfo, -1, IDC_Option5, true},
      {&S::Start_with_Win, 1, IDC_Check1, true}, {&S::Start_with_Win, 2, IDC_Check1, false},
      {&S::Start_with_Win, 0, IDC_Check1, false}, {&S::CloseMin, 1, IDC_Check2, true},
      {&S::CloseMin, 2, IDC_Check2, false},    {&S::CloseMin, 5, IDC_Check2, false},
  };
  for (const Row& row : rows) {
    Settings start;
    start.*row.field = row.value;
    Harness h(start);
    h.Open();
    EXPECT_EQ(h.controls.IsChecked(row.control), row.on)
        << "value " << row.value << ", control " << row.control;
    std::map<int, int> selectedPerFrame;
    for (const auto& control : kForm2Controls) {
      if (control.kind == Form2ControlKind::Option)
        selectedPerFrame[control.frameId] += h.controls.IsSelected(control.id);
    }
    for (const auto& [frame, count] : selectedPerFrame) EXPECT_EQ(count, 1) << "frame " << frame;
  }
}

TEST(Form2, CaptionsInTheTableOrderEachAfterItsCharacterSet) {
  const int order[] = {IDC_Command1, IDC_Command2, IDC_Command3, IDC_Command4, IDC_Frame1,
                       IDC_Frame2,   IDC_Frame3,   IDC_Frame4,   IDC_Check1,   IDC_Check2,
                       IDC_Option1,  IDC_Option2,  IDC_Option3,  IDC_Option4,  IDC_Option5,
                       IDC_Option6,  IDC_Option7,  IDC_Option8,  IDC_Option9,  IDC_Option10};
  for (const std::int16_t language : {0, 100}) {
    Harness h;
    h.Open().LoadCaptions(language == 100 ? 204 : 0, language);
    std::vector<std::string> expected = {"form2.SetTitle"};
    const std::string own = language == 100 ? " 204" : " 0";
    for (const int id : order) {
      const std::string charset = id == IDC_Option3 ? " 204" : id == IDC_Option4 ? " 0" : own;
      expected.push_back("form2.SetFontCharset " + std::to_string(id) + charset);
      expected.push_back("form2.SetCaption " + std::to_string(id));
    }
    EXPECT_EQ(h.log, expected) << "language " << language;
    EXPECT_EQ(h.controls.title, language == 100 ? L"Панел за Настройки" : L"Settings panel");
    EXPECT_EQ(h.controls.captions[IDC_Command1], language == 100 ? L"Ок" : L"Ok");
    EXPECT_EQ(h.controls.captions[IDC_Option3], L"Български");
    EXPECT_EQ(h.controls.captions[IDC_Option4], L"English");
  }
}

TEST(Form2, ApplyMapsEachControlToItsSetting) {
  struct Row {
    int control;
    bool on;
    std::int16_t Settings::*field;
    std::int16_t expected;
  };
  const Row rows[] = {
      {IDC_Option1, true, &S::ShowIP, 1},       {IDC_Option2, true, &S::ShowIP, 2},
      {IDC_Option3, true, &S::Language, 100},   {IDC_Option4, true, &S::Language, 0},
      {IDC_Option8, true, &S::Tip_Window, 1},   {IDC_Option9, true, &S::Tip_Window, 2},
      {IDC_Option10, true, &S::Tip_Window, 3},  {IDC_Option5, true, &S::CopyInfo, 1},
      {IDC_Option6, true, &S::CopyInfo, 2},     {IDC_Option7, true, &S::CopyInfo, 3},
      {IDC_Check1, true, &S::Start_with_Win, 1}, {IDC_Check1, false, &S::Start_with_Win, 2},
      {IDC_Check2, true, &S::CloseMin, 1},      {IDC_Check2, false, &S::CloseMin, 2},
  };
  for (const Row& row : rows) {
    Harness h({2, 100, 3, 3, 2, 2});
    Form2& form2 = h.Open();
    if (FindForm2Control(row.control)->kind == Form2ControlKind::Option) {
      h.controls.Select(row.control);
    } else {
      h.controls.SetChecked(row.control, row.on);
    }
    form2.Apply();
    EXPECT_EQ(h.settings.*row.field, row.expected) << "control " << row.control;
  }
}

TEST(Form2, ApplyRegistersThenRecaptionsBothWindowsAndLeavesTheSettingsKey) {
  Harness h;
  Form2& form2 = h.Open();
  h.controls.Select(IDC_Option3);
  form2.Apply();
  form2.Apply();  // a checked box rewrites the value each time
  const std::vector<std::string> once = {"registry.SetValueEx Adrelo", "form2.SetTitle",
                                         "host.LoadSetings 204 100", "host.UpdateTrayIcon"};
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(h.Steps(), twice);
  EXPECT_EQ(h.controls.title, L"Панел за Настройки");
  EXPECT_EQ(h.registry.Values(kRunKeyPath, kHkeyLocalMachine)->size(), 1u);
  EXPECT_EQ(h.registry.GetString(kSettingsKey, "Language"), "0");
  EXPECT_FALSE(h.controls.closed);
}

TEST(Form2, UnregisterThatCannotOpenEitherKeyLetsApplyFinish) {
  Harness h;
  FakeRegistry none(&h.log);  // the machine-wide key denied, none for the user
  none.deniedRoot = kHkeyLocalMachine;
  h.form2 = std::make_unique<Form2>(
      h.controls, h.messages,
      Form2Services{h.settings, none, h.strings, {L"C:\\Tools", L"Adrelo"}, h.host});
  h.form2->Load();
  h.controls.SetChecked(IDC_Check1, false);
  h.controls.SetChecked(IDC_Check2, false);
  h.log.clear();
  h.form2->Apply();
  EXPECT_EQ(h.settings.Start_with_Win, kDoNotStartWithWindows);
  EXPECT_EQ(h.settings.CloseMin, kCloseEnds);
  EXPECT_EQ(h.Steps(), (std::vector<std::string>{"form2.SetTitle", "host.LoadSetings 0 0",
                                                 "host.UpdateTrayIcon"}));
}

// Written by an elevated start or an administrator, in any letter case: the
// user's own value goes, the machine-wide one stays, and Apply says so.
TEST(Form2, AMachineWideValueTheUserMayNotRemoveIsSaidAndShownStillOn) {
  Harness h;
  h.registry.SetString(kRunKeyPath, "ADRELO", "\"C:\\Tools\\Adrelo.exe\"", kHkeyLocalMachine);
  h.registry.SetString(kRunKeyPath, "Adrelo", "\"C:\\Tools\\Adrelo.exe\"", kHkeyCurrentUser);
  h.registry.readOnlyRoot = kHkeyLocalMachine;
  Form2& form2 = h.Open();
  h.controls.SetChecked(IDC_Check1, false);
  h.controls.Select(IDC_Option2);
  form2.Apply();
  EXPECT_EQ(h.settings.Start_with_Win, kStartWithWindows);
  EXPECT_TRUE(h.controls.IsChecked(IDC_Check1));
  EXPECT_EQ(h.settings.ShowIP, kShowHostName);  // the rest applied
  EXPECT_TRUE(h.registry.GetString(kRunKeyPath, "Adrelo", kHkeyLocalMachine));
  EXPECT_FALSE(h.registry.GetString(kRunKeyPath, "Adrelo", kHkeyCurrentUser));
  EXPECT_EQ(h.Steps(),
            (std::vector<std::string>{"registry.DeleteValue Adrelo",  // the user's
                                      "form2.SetTitle", "host.LoadSetings 0 0", "host.UpdateTrayIcon",
                                      "messages.Show Adrelo Viewer starts with Windows for every "
                                      "user of this computer. Only an administrator can turn that off."}));
  EXPECT_EQ(h.messages.shown.at(0).title, L"Error");
  // Once an administrator has removed it, the next Apply is quiet.
  h.registry.readOnlyRoot = 0;
  h.controls.SetChecked(IDC_Check1, false);
  form2.Apply();
  EXPECT_EQ(h.settings.Start_with_Win, kDoNotStartWithWindows);
  EXPECT_FALSE(h.registry.GetString(kRunKeyPath, "Adrelo", kHkeyLocalMachine));
  EXPECT_EQ(h.messages.shown.size(), 1u);
}

TEST(Form2, DefaultChoosesBulgarianAndBothBoxesAppliesAndStaysOpen) {
  Harness h({2, 0, 2, 3, 2, 2});
  h.Open().Default();
  for (const int on : {IDC_Option1, IDC_Option3, IDC_Option5, IDC_Option8, IDC_Check1, IDC_Check2})
    EXPECT_TRUE(h.controls.IsChecked(on)) << on;
  for (const int off : {IDC_Option2, IDC_Option4, IDC_Option6, IDC_Option9})
    EXPECT_FALSE(h.controls.IsChecked(off)) << off;
  EXPECT_EQ(h.settings, (Settings{1, 100, 1, 1, 1, 1}));
  EXPECT_EQ(h.controls.title, L"Панел за Настройки");
  EXPECT_TRUE(h.registry.GetString(kRunKeyPath, "Adrelo", kHkeyLocalMachine));
  EXPECT_FALSE(h.controls.closed);
}

TEST(Form2, OkAppliesAndClosesCancelOnlyCloses) {
  Harness ok;
  ok.Open();
  ok.controls.Select(IDC_Option2);
  ok.form2->Ok();
  EXPECT_EQ(ok.settings.ShowIP, kShowHostName);
  EXPECT_TRUE(ok.controls.closed);

  Harness cancel;
  cancel.Open();
  cancel.controls.Select(IDC_Option7);
  cancel.form2->Apply();  // an earlier Apply stays
  cancel.controls.Select(IDC_Option6);
  cancel.form2->Cancel();
  EXPECT_EQ(cancel.settings.CopyInfo, kCopyIpAddress);
  EXPECT_TRUE(cancel.controls.closed);
}

TEST(RunKey, ValueIsTheQuotedPathNamedAfterTheExecutable) {
  struct Row {
    const wchar_t* folder;
    const wchar_t* baseName;
    const char* data;
  };
  const Row rows[] = {
      {L"C:\\Program Files\\Adrelo Viewer", L"Adrelo",
       "\"C:\\Program Files\\Adrelo Viewer\\Adrelo.exe\""},
      {L"C:\\", L"Adrelo", "\"C:\\\\Adrelo.exe\""},
      {L"D:\\Tools", L"viewer2", "\"D:\\Tools\\viewer2.exe\""},
  };
  FakeRegistry registry;
  registry.AddKey(kRunKeyPath, kHkeyLocalMachine);
  for (const Row& row : rows) {
    RegisterRunValue(registry, {row.folder, row.baseName});
    EXPECT_EQ(registry.GetString(kRunKeyPath, Narrow(row.baseName), kHkeyLocalMachine), row.data);
  }
  // Renamed: the old name's value stays beside the new one.
  EXPECT_EQ(registry.Values(kRunKeyPath, kHkeyLocalMachine)->size(), 2u);
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(RunKey, FallsBackToTheUsersKeyAndRemovesFromBothInAnyLetterCase) {
  FakeRegistry registry;
  registry.deniedRoot = kHkeyLocalMachine;
  const platform::ExecutableInfo executable{L"C:\\Tools", L"Adrelo"};
  RegisterRunValue(registry, executable);
  EXPECT_EQ(registry.GetString(kRunKeyPath, "Adrelo", kHkeyCurrentUser),
            "\"C:\\Tools\\Adrelo.exe\"");
  // With the rights back, once machine-wide only: Windows would start it twice.
  registry.deniedRoot = 0;
  registry.AddKey(kRunKeyPath, kHkeyLocalMachine);
  RegisterRunValue(registry, executable);
  EXPECT_TRUE(registry.GetString(kRunKeyPath, "Adrelo", kHkeyLocalMachine));
  EXPECT_FALSE(registry.GetString(kRunKeyPath, "Adrelo", kHkeyCurrentUser));

  // Removed from both in any letter case: to Windows it is the same value.
  registry.SetString(kRunKeyPath, "ADRELO", "machine", kHkeyLocalMachine);
  registry.SetString(kRunKeyPath, "adrelo", "user", kHkeyCurrentUser);
  registry.SetString(kRunKeyPath, "ADRELO2", "other", kHkeyCurrentUser);
  EXPECT_TRUE(UnregisterRunValue(registry, executable));
  EXPECT_EQ(registry.Values(kRunKeyPath, kHkeyLocalMachine)->size(), 0u);
  EXPECT_FALSE(registry.GetString(kRunKeyPath, "Adrelo", kHkeyCurrentUser));
  EXPECT_TRUE(registry.GetString(kRunKeyPath, "ADRELO2", kHkeyCurrentUser));
  EXPECT_EQ(registry.openHandles, 0);
}

// A profile named in any script: the path the ANSI code page cannot carry is
// registered exactly, and removed by its name.
TEST(RunKey, APathInAnyScriptIsRegisteredExactly) {
  FakeRegistry registry;
  registry.AddKey(kRunKeyPath, kHkeyLocalMachine);
  const platform::ExecutableInfo executable{L"C:\\Users\\Иван\\Ελληνικά 漢字 \U0001F600", L"Адрело"};
  RegisterRunValue(registry, executable);
  EXPECT_EQ(registry.GetString(kRunKeyPath, EncodeUtf8(L"Адрело"), kHkeyLocalMachine),
            EncodeUtf8(L"\"C:\\Users\\Иван\\Ελληνικά 漢字 \U0001F600\\Адрело.exe\""));
  EXPECT_TRUE(UnregisterRunValue(registry, executable));
  EXPECT_EQ(registry.Values(kRunKeyPath, kHkeyLocalMachine)->size(), 0u);
  EXPECT_EQ(registry.openHandles, 0);
}

}  // namespace
