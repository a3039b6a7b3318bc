// In-memory stand-ins for the platform interfaces. Each records what the
// logic asked of it in one shared call log, so tests can check the order of
// work across interfaces.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/adapters.h"
#include "platform/clipboard.h"
#include "platform/locale.h"
#include "app/form1.h"
#include "main_window/form1_events.h"
#include "platform/message_box.h"
#include "platform/notify_icon.h"
#include "platform/registry.h"
#include "platform/sockets.h"
#include "platform/string_table.h"
#include "platform/window_ops.h"
#include "settings/form2.h"
#include "tray/field_hooks.h"

namespace platform {

// Read in a failure's message as what they are.
inline void PrintTo(const PixelRect& rect, std::ostream* out) {
  *out << rect.left << "," << rect.top << " " << rect.width << "x" << rect.height;
}

}  // namespace platform

namespace testing_support {

using CallLog = std::vector<std::string>;

// A registry with Windows' semantics where the program depends on them: key
// paths and value names compare without regard to case, data is stored as
// given, and a buffer too small for the data gives ERROR_MORE_DATA.
class FakeRegistry final : public platform::Registry {
 public:
  struct Value {
    std::string name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    friend bool operator==(const Value&, const Value&) = default;
  };

  explicit FakeRegistry(CallLog* log = nullptr) : log_(log) {}

  // Test set-up and inspection (root is HKCU unless given).
  void AddKey(const std::string& path, platform::RegKey root = platform::kHkeyCurrentUser);
  void SetString(const std::string& path, const std::string& name, const std::string& text,
                 platform::RegKey root = platform::kHkeyCurrentUser);
  void SetRaw(const std::string& path, const std::string& name, std::uint32_t type,
              std::vector<std::uint8_t> data, platform::RegKey root = platform::kHkeyCurrentUser);
  bool HasKey(const std::string& path, platform::RegKey root = platform::kHkeyCurrentUser) const;
  const std::vector<Value>* Values(const std::string& path,
                                   platform::RegKey root = platform::kHkeyCurrentUser) const;
  std::optional<std::string> GetString(const std::string& path, const std::string& name,
                                       platform::RegKey root = platform::kHkeyCurrentUser) const;

  int openHandles = 0;
  std::vector<std::uint32_t> accessMasks;  // of every create and open
  std::vector<bool> inheritFlags;           // of every create
  std::vector<std::string> keyClasses;      // of every create
  int flushes = 0;
  bool failCreate = false;                  // RegCreateKeyEx fails with access denied
  platform::RegKey deniedRoot = 0;          // every create and open under it is denied
  bool readOnly = false;                    // a create or open asking to write is denied
  platform::RegKey readOnlyRoot = 0;        // the same under this root alone (HKLM for a
                                            // standard user)

  long CreateKeyEx(platform::RegKey root, const std::string& path, const std::string& keyClass,
                   std::uint32_t options, std::uint32_t access, bool inheritHandle,
                   platform::RegKey* result, std::uint32_t* disposition) override;
  long OpenKeyEx(platform::RegKey root, const std::string& path, std::uint32_t options,
                 std::uint32_t access, platform::RegKey* result) override;
  long SetValueEx(platform::RegKey key, const std::string& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long QueryValueEx(platform::RegKey key, const std::string& name, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* size) override;
  long FlushKey(platform::RegKey key) override;
  long CloseKey(platform::RegKey key) override;
  long EnumValue(platform::RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long DeleteValue(platform::RegKey key, const std::string& name) override;
  // Wide names and text are kept in UTF-8, so GetString reads them back so.
  long SetValueExW(platform::RegKey key, const std::wstring& name, std::uint32_t type,
                   const std::uint8_t* data, std::uint32_t size) override;
  long EnumValueNameW(platform::RegKey key, std::uint32_t index, wchar_t* name,
                      std::uint32_t* nameSize) override;
  long DeleteValueW(platform::RegKey key, const std::wstring& name) override;

 private:
  using KeyId = std::string;  // root + lower-case path
  static KeyId MakeKeyId(platform::RegKey root, const std::string& path);
  Value* FindValue(const KeyId& key, const std::string& name);
  void Log(const std::string& entry) {
    if (log_) log_->push_back(entry);
  }

  CallLog* log_;
  std::map<KeyId, std::vector<Value>> keys_;
  std::map<platform::RegKey, KeyId> handles_;
  platform::RegKey nextHandle_ = 0x1000;
};

class FakeSockets final : public platform::Sockets {
 public:
  explicit FakeSockets(CallLog* log = nullptr) : log_(log) {}

  int startupResult = 0;
  platform::WinsockInfo info{0x0101, 32767};
  int cleanupResult = 0;
  int hostNameResult = 0;
  std::string hostName = "workstation";
  int lastError = 0;
  bool lookupSucceeds = true;
  platform::HostEntry entry{{{10, 0, 0, 5}}};
  std::vector<std::string> lookedUp;  // names given to GetHostByName

  int Startup(std::uint16_t requestedVersion, platform::WinsockInfo* out) override;
  int Cleanup() override;
  int GetHostName(char* buffer, int length) override;
  int LastError() override;
  bool GetHostByName(const std::string& name, platform::HostEntry* out) override;

  std::uint16_t requestedVersion = 0;

 private:
  CallLog* log_;
};

// The adapters and default routes: a snapshot, or a failed read when empty.
class FakeAdapterSource final : public platform::AdapterSource {
 public:
  std::optional<platform::AdapterSnapshot> snapshot = platform::AdapterSnapshot{};
  int reads = 0;
  std::optional<platform::AdapterSnapshot> Read() override {
    ++reads;
    return snapshot;
  }
};

class FakeClipboard final : public platform::Clipboard {
 public:
  explicit FakeClipboard(CallLog* log = nullptr) : log_(log) {}
  bool held = false;  // another program keeps it open
  std::optional<std::wstring> text;
  int setCount = 0;
  bool SetText(const std::wstring& value) override;

 private:
  CallLog* log_;
};

class FakeLocale final : public platform::Locale {
 public:
  explicit FakeLocale(std::uint32_t value = 1033, CallLog* log = nullptr) : value_(value), log_(log) {}
  std::uint32_t ThreadLocale() const override;

 private:
  std::uint32_t value_;
  CallLog* log_;
};

class FakeMessageBox final : public platform::MessageBoxOps {
 public:
  struct Shown {
    std::wstring text, title;
    platform::MessageIcon icon;
  };
  explicit FakeMessageBox(CallLog* log = nullptr) : log_(log) {}
  std::vector<Shown> shown;
  // Runs while the box is open, as the messages of its modal loop would.
  std::function<void()> whileOpen;
  void Show(const std::wstring& text, const std::wstring& title,
            platform::MessageIcon icon) override;

 private:
  CallLog* log_;
};

// The string table of the resource script itself.
class RcStringTable final : public platform::StringTable {
 public:
  RcStringTable();
  std::optional<std::wstring> Load(int id) const override;
  const std::map<int, std::wstring>& entries() const { return entries_; }

 private:
  std::map<int, std::wstring> entries_;
};

// The settings dialog and the About window: each opening is logged, and
// whileOpen runs as the user's actions in the dialog would.
class FakeModalWindows final : public app::ModalWindows {
 public:
  explicit FakeModalWindows(CallLog* log = nullptr) : log_(log) {}
  std::function<void(settings::Settings&, settings::Form2Host&)> whileSettingsOpen;
  void ShowSettings(settings::Settings& settings, settings::Form2Host& host) override {
    if (log_) log_->push_back("modal.ShowSettings");
    if (whileSettingsOpen) whileSettingsOpen(settings, host);
  }
  void ShowAbout(std::int16_t language) override {
    if (log_) log_->push_back("modal.ShowAbout " + std::to_string(language));
  }

 private:
  CallLog* log_;
};

// The notification area, holding at most the one icon.
class FakeNotifyIcon final : public platform::NotifyIcon {
 public:
  explicit FakeNotifyIcon(CallLog* log = nullptr) : log_(log) {}
  std::optional<std::wstring> shown;  // the icon's tooltip while it is there
  bool Add(const std::wstring& tip) override;
  bool Modify(const std::wstring& tip) override;
  bool Delete() override;
  bool Check() override;
  bool FollowScale() override;
  bool ShellPresent() const override { return shellPresent; }
  bool shellPresent = true;

 private:
  CallLog* log_;
};

// The main window: controls, list, menus and geometry, with a classic
// 96-dpi frame (3-pixel border, 19-pixel caption and menu bar). A close
// request goes to events, as the shell hands it on.
class FakeWindow final : public platform::WindowOps, public tray::FieldHooks {
 public:
  explicit FakeWindow(CallLog* log = nullptr) : log_(log) {}

  struct Monitor {
    platform::PixelRect bounds;
    int dpi;
  };
  platform::PixelSize screen{1024, 768};  // the primary monitor, at dpi
  std::vector<Monitor> otherMonitors;
  int dpi = 96;                 // the window's as created, the primary's
  std::optional<int> laidOutAt;  // by LayOutAt
  int screenDpi = 0;  // 0: the window's
  platform::PixelRect bounds{0, 0, 379, 164};
  std::optional<platform::ShowState> state;
  std::map<int, std::wstring> texts;           // control id -> text
  std::map<int, int> charsets;                 // control id -> font character set
  std::map<int, std::vector<std::wstring>> lists;
  std::map<int, std::wstring> menuCaptions;    // menu id -> caption
  int frameWidth = 6, frameHeight = 44;        // outer minus client
  bool visible = false;
  bool iconic = false;
  int selection = -1;                          // of List1
  platform::PixelPoint normalPosition{0, 0};
  platform::PixelPoint cursor{500, 400};
  main_window::Form1Events* events = nullptr;
  std::optional<main_window::CloseAction> closeAction;  // of the last close request

  std::vector<platform::PixelRect> Monitors() const override;
  int DpiOn(const platform::PixelRect& monitor) const override;
  int Dpi() const override { return laidOutAt.value_or(dpi); }
  void LayOutAt(int to) override;
  int ScreenDpi() const override { return screenDpi != 0 ? screenDpi : dpi; }
  platform::PixelSize OuterSize() const override { return {bounds.width, bounds.height}; }
  // The frame is the one given, at the window's DPI as created, scaled to at.
  platform::PixelSize OuterSizeForClient(platform::PixelSize client, int at) const override {
    return {client.width + frameWidth * at / dpi, client.height + frameHeight * at / dpi};
  }
  void SetBounds(platform::PixelRect outer) override;
  void SetShowState(platform::ShowState value) override;
  void Show() override;
  void BringToForeground() override { Log("window.BringToForeground"); }
  void RequestClose() override;
  platform::PixelPoint NormalPosition() const override { return normalPosition; }
  void SetText(int controlId, const std::wstring& text) override;
  std::wstring Text(int controlId) const override;
  void SetFontCharset(int controlId, int charset) override;
  void ListClear(int controlId) override;
  void ListAppend(int controlId, const std::wstring& entry) override;
  int ListCount(int controlId) const override;
  std::wstring ListEntry(int controlId, int index) const override;
  int ListSelection(int) const override { return selection; }
  void SetRedraw(int controlId, bool on) override;
  platform::PixelRect ControlBounds(int controlId) const override;
  void SetMenuCaption(int menuId, const std::wstring& caption) override;
  void OpenPopupMenu(int popupPosition, platform::PixelPoint screenPoint, int defaultItem) override;
  platform::PixelPoint CursorPosition() const override { return cursor; }
  platform::PixelPoint ClientToScreen(platform::PixelPoint client) const override {
    return {client.x + bounds.left + frameWidth / 2, client.y + bounds.top + frameHeight - frameWidth / 2};
  }

  void HookText1() override { Log("hooks.HookText1"); }
  void HookList1() override { Log("hooks.HookList1"); }
  void UnhookList1() override { Log("hooks.UnhookList1"); }
  void UnhookText1() override { Log("hooks.UnhookText1"); }

 private:
  void Log(const std::string& entry) {
    if (log_) log_->push_back(entry);
  }
  CallLog* log_;
};

// The settings dialog's controls. Options and check boxes share one map of
// states; Select clears the other options of the frame, as a group does.
class FakeForm2Controls final : public settings::Form2Controls {
 public:
  explicit FakeForm2Controls(CallLog* log = nullptr) : log_(log) {}
  std::map<int, bool> checked;
  std::wstring title;
  std::map<int, std::wstring> captions;
  std::map<int, int> charsets;
  bool closed = false;

  void Select(int optionId) override;
  bool IsSelected(int optionId) const override { return IsChecked(optionId); }
  void SetChecked(int checkId, bool value) override { checked[checkId] = value; }
  bool IsChecked(int checkId) const override;
  void SetTitle(const std::wstring& text) override;
  void SetCaption(int controlId, const std::wstring& caption) override;
  void SetFontCharset(int controlId, int charset) override;
  void Close() override { closed = true; }

 private:
  void Log(const std::string& entry) {
    if (log_) log_->push_back(entry);
  }
  CallLog* log_;
};

class FakeForm2Host final : public settings::Form2Host {
 public:
  explicit FakeForm2Host(CallLog* log = nullptr) : log_(log) {}
  void LoadSetings(std::int16_t charset, std::int16_t language) override;
  void UpdateTrayIcon() override;

 private:
  CallLog* log_;
};

std::string Narrow(const std::wstring& text);  // for log entries and messages: ASCII only
std::string EncodeUtf8(const std::wstring& text);

}  // namespace testing_support
