// In-memory stand-ins for the platform interfaces.
#include "tests/fakes/fakes.h"

#include <algorithm>
#include <cstring>

#include "resources/resource.h"
#include "settings/form2_layout.h"
#include "tests/fakes/rc_file.h"

namespace testing_support {

using namespace platform;

namespace {

constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;

// KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER.
bool AsksToWrite(std::uint32_t access) { return (access & 0x000C0026u) != 0; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

const char* StateName(ShowState state) {
  switch (state) {
    case ShowState::Normal: return "Normal";
    case ShowState::Minimized: return "Minimized";
    case ShowState::Hidden: return "Hidden";
  }
  return "?";
}

}  // namespace

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string EncodeUtf8(const std::wstring& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto code = static_cast<std::uint32_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size()) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

// ---- FakeRegistry -------------------------------------------------------------

FakeRegistry::KeyId FakeRegistry::MakeKeyId(RegKey root, const std::string& path) {
  return std::to_string(root) + ":" + Lower(path);
}

void FakeRegistry::AddKey(const std::string& path, RegKey root) { keys_[MakeKeyId(root, path)]; }

void FakeRegistry::SetString(const std::string& path, const std::string& name,
                             const std::string& text, RegKey root) {
  SetRaw(path, name, kRegSz, std::vector<std::uint8_t>(text.begin(), text.end()), root);
}

void FakeRegistry::SetRaw(const std::string& path, const std::string& name, std::uint32_t type,
                          std::vector<std::uint8_t> data, RegKey root) {
  const KeyId key = MakeKeyId(root, path);
  if (Value* existing = FindValue(key, name)) {
    existing->type = type;
    existing->data = std::move(data);
  } else {
    keys_[key].push_back({name, type, std::move(data)});
  }
}

bool FakeRegistry::HasKey(const std::string& path, RegKey root) const {
  return keys_.count(MakeKeyId(root, path)) > 0;
}

const std::vector<FakeRegistry::Value>* FakeRegistry::Values(const std::string& path,
                                                             RegKey root) const {
  const auto found = keys_.find(MakeKeyId(root, path));
  return found == keys_.end() ? nullptr : &found->second;
}

std::optional<std::string> FakeRegistry::GetString(const std::string& path,
                                                   const std::string& name, RegKey root) const {
  const auto* values = Values(path, root);
  if (values == nullptr) return std::nullopt;
  for (const Value& value : *values) {
    if (Lower(value.name) == Lower(name)) return std::string(value.data.begin(), value.data.end());
  }
  return std::nullopt;
}

FakeRegistry::Value* FakeRegistry::FindValue(const KeyId& key, const std::string& name) {
  auto found = keys_.find(key);
  if (found == keys_.end()) return nullptr;
  for (Value& value : found->second) {
    if (Lower(value.name) == Lower(name)) return &value;
  }
  return nullptr;
}

long FakeRegistry::CreateKeyEx(RegKey root, const std::string& path, const std::string& keyClass,
                               std::uint32_t, std::uint32_t access, bool inheritHandle,
                               RegKey* result, std::uint32_t* disposition) {
  Log("registry.CreateKeyEx " + path);
  accessMasks.push_back(access);
  inheritFlags.push_back(inheritHandle);
  keyClasses.push_back(keyClass);
  if (failCreate || root == deniedRoot || ((readOnly || root == readOnlyRoot) && AsksToWrite(access)))
    return kAccessDenied;
  const KeyId key = MakeKeyId(root, path);
  *disposition = keys_.count(key) ? 2 : 1;  // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
  keys_[key];
  *result = nextHandle_++;
  handles_[*result] = key;
  ++openHandles;
  return kErrorSuccess;
}

long FakeRegistry::OpenKeyEx(RegKey root, const std::string& path, std::uint32_t,
                             std::uint32_t access, RegKey* result) {
  accessMasks.push_back(access);
  if (root == deniedRoot || ((readOnly || root == readOnlyRoot) && AsksToWrite(access)))
    return kAccessDenied;
  const KeyId key = MakeKeyId(root, path);
  if (!keys_.count(key)) return kErrorFileNotFound;
  *result = nextHandle_++;
  handles_[*result] = key;
  ++openHandles;
  return kErrorSuccess;
}

long FakeRegistry::SetValueEx(RegKey handle, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  Log("registry.SetValueEx " + name);
  const auto found = handles_.find(handle);
  if (found == handles_.end()) return kInvalidHandle;
  const std::vector<std::uint8_t> bytes(data, data + size);
  if (Value* existing = FindValue(found->second, name)) {
    existing->type = type;
    existing->data = bytes;
  } else {
    keys_[found->second].push_back({name, type, bytes});
  }
  return kErrorSuccess;
}

long FakeRegistry::QueryValueEx(RegKey handle, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  Log("registry.QueryValueEx " + name);
  const auto found = handles_.find(handle);
  if (found == handles_.end()) return kInvalidHandle;
  const Value* value = FindValue(found->second, name);
  if (value == nullptr) return kErrorFileNotFound;
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  *type = value->type;
  if (needed > *size) {
    *size = needed;
    return kErrorMoreData;
  }
  if (needed > 0) std::memcpy(data, value->data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

long FakeRegistry::FlushKey(RegKey handle) {
  ++flushes;
  return handles_.count(handle) ? kErrorSuccess : kInvalidHandle;
}

long FakeRegistry::CloseKey(RegKey handle) {
  if (!handles_.erase(handle)) return kInvalidHandle;
  --openHandles;
  return kErrorSuccess;
}

long FakeRegistry::EnumValue(RegKey handle, std::uint32_t index, char* name,
                             std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                             std::uint32_t* dataSize) {
  const auto found = handles_.find(handle);
  if (found == handles_.end()) return kInvalidHandle;
  const auto& values = keys_[found->second];
  if (index >= values.size()) return kErrorNoMoreItems;
  const Value& value = values[index];
  // The name needs room for its terminating zero.
  if (value.name.size() + 1 > *nameSize) return kErrorMoreData;
  if (data != nullptr && value.data.size() > *dataSize) return kErrorMoreData;
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameSize = static_cast<std::uint32_t>(value.name.size());
  if (type) *type = value.type;
  if (data != nullptr) {
    if (!value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
    *dataSize = static_cast<std::uint32_t>(value.data.size());
  }
  return kErrorSuccess;
}

long FakeRegistry::DeleteValue(RegKey handle, const std::string& name) {
  Log("registry.DeleteValue " + name);
  const auto found = handles_.find(handle);
  if (found == handles_.end()) return kInvalidHandle;
  auto& values = keys_[found->second];
  const auto it = std::find_if(values.begin(), values.end(),
                               [&](const Value& v) { return Lower(v.name) == Lower(name); });
  if (it == values.end()) return kErrorFileNotFound;
  values.erase(it);
  return kErrorSuccess;
}

long FakeRegistry::SetValueExW(RegKey handle, const std::wstring& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  const std::string bytes = EncodeUtf8(text);
  return SetValueEx(handle, EncodeUtf8(name), type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                    static_cast<std::uint32_t>(bytes.size()));
}

long FakeRegistry::EnumValueNameW(RegKey handle, std::uint32_t index, wchar_t* name,
                                  std::uint32_t* nameSize) {
  const auto found = handles_.find(handle);
  if (found == handles_.end()) return kInvalidHandle;
  const auto& values = keys_[found->second];
  if (index >= values.size()) return kErrorNoMoreItems;
  const std::wstring wide = DecodeUtf8(values[index].name);
  if (wide.size() + 1 > *nameSize) return kErrorMoreData;
  std::memcpy(name, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  *nameSize = static_cast<std::uint32_t>(wide.size());
  return kErrorSuccess;
}

long FakeRegistry::DeleteValueW(RegKey handle, const std::wstring& name) {
  return DeleteValue(handle, EncodeUtf8(name));
}

// ---- FakeSockets ----------------------------------------------------------------

int FakeSockets::Startup(std::uint16_t version, WinsockInfo* out) {
  if (log_) log_->push_back("sockets.Startup");
  requestedVersion = version;
  *out = info;
  return startupResult;
}

int FakeSockets::Cleanup() {
  if (log_) log_->push_back("sockets.Cleanup");
  return cleanupResult;
}

int FakeSockets::GetHostName(char* buffer, int length) {
  if (log_) log_->push_back("sockets.GetHostName");
  if (hostNameResult != 0) return hostNameResult;
  std::memset(buffer, 0, static_cast<std::size_t>(length));
  std::memcpy(buffer, hostName.data(), std::min<std::size_t>(hostName.size(), static_cast<std::size_t>(length)));
  return 0;
}

int FakeSockets::LastError() { return lastError; }

bool FakeSockets::GetHostByName(const std::string& name, HostEntry* out) {
  if (log_) log_->push_back("sockets.GetHostByName " + name);
  lookedUp.push_back(name);
  if (!lookupSucceeds) return false;
  *out = entry;
  return true;
}

// ---- FakeClipboard, FakeLocale, FakeMessageBox ------------------------------------

bool FakeClipboard::SetText(const std::wstring& value) {
  if (log_) log_->push_back("clipboard.SetText " + Narrow(value));
  if (held) return false;
  text = value;
  ++setCount;
  return true;
}

std::uint32_t FakeLocale::ThreadLocale() const {
  if (log_) log_->push_back("locale.ThreadLocale");
  return value_;
}

void FakeMessageBox::Show(const std::wstring& text, const std::wstring& title, MessageIcon icon) {
  if (log_) log_->push_back("messages.Show " + Narrow(text));
  shown.push_back({text, title, icon});
  if (whileOpen) whileOpen();
}

// ---- RcStringTable -------------------------------------------------------------

// Read once per process: every harness has one, and the fuzz target makes thousands.
RcStringTable::RcStringTable() {
  static const std::map<int, std::wstring> parsed = ParseStringTable(
      SourcePath("resources/adrelo.rc"), ParseDefines(SourcePath("resources/resource.h")));
  entries_ = parsed;
}

std::optional<std::wstring> RcStringTable::Load(int id) const {
  const auto found = entries_.find(id);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

// ---- FakeNotifyIcon ----------------------------------------------------------------

bool FakeNotifyIcon::Add(const std::wstring& tip) {
  if (log_) log_->push_back("icon.Add " + Narrow(tip));
  if (shown) return false;
  shown = tip;
  return true;
}

bool FakeNotifyIcon::Modify(const std::wstring& tip) {
  if (log_) log_->push_back("icon.Modify " + Narrow(tip));
  if (!shown) return false;
  shown = tip;
  return true;
}

bool FakeNotifyIcon::Check() {
  if (log_) log_->push_back("icon.Check");
  return shown.has_value();
}

bool FakeNotifyIcon::FollowScale() {
  if (log_) log_->push_back("icon.FollowScale");
  return shown.has_value();
}

bool FakeNotifyIcon::Delete() {
  if (log_) log_->push_back("icon.Delete");
  const bool existed = shown.has_value();
  shown.reset();
  return existed;
}

// ---- FakeWindow ------------------------------------------------------------------

std::vector<PixelRect> FakeWindow::Monitors() const {
  std::vector<PixelRect> rects{{0, 0, screen.width, screen.height}};
  for (const Monitor& monitor : otherMonitors) rects.push_back(monitor.bounds);
  return rects;
}

int FakeWindow::DpiOn(const PixelRect& monitor) const {
  for (const Monitor& other : otherMonitors) {
    if (other.bounds == monitor) return other.dpi;
  }
  return dpi;
}

void FakeWindow::LayOutAt(int to) {
  Log("window.LayOutAt " + std::to_string(to));
  laidOutAt = to;
}

void FakeWindow::SetBounds(PixelRect outer) {
  Log("window.SetBounds " + std::to_string(outer.left) + "," + std::to_string(outer.top) + " " +
      std::to_string(outer.width) + "x" + std::to_string(outer.height));
  bounds = outer;
}

void FakeWindow::SetShowState(ShowState value) {
  Log(std::string("window.SetShowState ") + StateName(value));
  state = value;
  visible = value != ShowState::Hidden;
  if (value != ShowState::Hidden) iconic = value == ShowState::Minimized;
}

void FakeWindow::Show() {
  Log("window.Show");
  visible = true;
}

void FakeWindow::RequestClose() {
  Log("window.RequestClose");
  if (events) closeAction = events->OnCloseRequest();
}

void FakeWindow::SetRedraw(int controlId, bool on) {
  Log("window.SetRedraw " + std::to_string(controlId) + (on ? " on" : " off"));
}

PixelRect FakeWindow::ControlBounds(int controlId) const {
  return controlId == IDC_Text1 ? PixelRect{176, 8, 193, 27} : PixelRect{176, 56, 193, 59};
}

void FakeWindow::OpenPopupMenu(int popupPosition, PixelPoint at, int defaultItem) {
  Log("window.OpenPopupMenu " + std::to_string(popupPosition) + " at " + std::to_string(at.x) + "," +
      std::to_string(at.y) + " default " + std::to_string(defaultItem));
}

void FakeWindow::SetText(int controlId, const std::wstring& text) {
  Log("window.SetText " + std::to_string(controlId));
  texts[controlId] = text;
}

std::wstring FakeWindow::Text(int controlId) const {
  const auto found = texts.find(controlId);
  return found == texts.end() ? std::wstring() : found->second;
}

void FakeWindow::SetFontCharset(int controlId, int charset) {
  Log("window.SetFontCharset " + std::to_string(controlId) + " " + std::to_string(charset));
  charsets[controlId] = charset;
}

void FakeWindow::ListClear(int controlId) {
  Log("window.ListClear " + std::to_string(controlId));
  lists[controlId].clear();
}

void FakeWindow::ListAppend(int controlId, const std::wstring& entry) {
  Log("window.ListAppend " + std::to_string(controlId) + " " + Narrow(entry));
  lists[controlId].push_back(entry);
}

int FakeWindow::ListCount(int controlId) const {
  const auto found = lists.find(controlId);
  return found == lists.end() ? 0 : static_cast<int>(found->second.size());
}

std::wstring FakeWindow::ListEntry(int controlId, int index) const {
  return lists.at(controlId).at(static_cast<std::size_t>(index));
}

void FakeWindow::SetMenuCaption(int menuId, const std::wstring& caption) {
  Log("window.SetMenuCaption " + std::to_string(menuId));
  menuCaptions[menuId] = caption;
}

// ---- FakeForm2Controls, FakeForm2Host ----------------------------------------------

void FakeForm2Controls::Select(int optionId) {
  const settings::Form2ControlLayout* option = settings::FindForm2Control(optionId);
  for (const settings::Form2ControlLayout& control : settings::kForm2Controls) {
    if (option != nullptr && control.frameId == option->frameId &&
        control.kind == settings::Form2ControlKind::Option) {
      checked[control.id] = control.id == optionId;
    }
  }
}

bool FakeForm2Controls::IsChecked(int checkId) const {
  const auto found = checked.find(checkId);
  return found != checked.end() && found->second;
}

void FakeForm2Controls::SetTitle(const std::wstring& text) {
  Log("form2.SetTitle");
  title = text;
}

void FakeForm2Controls::SetCaption(int controlId, const std::wstring& caption) {
  Log("form2.SetCaption " + std::to_string(controlId));
  captions[controlId] = caption;
}

void FakeForm2Controls::SetFontCharset(int controlId, int charset) {
  Log("form2.SetFontCharset " + std::to_string(controlId) + " " + std::to_string(charset));
  charsets[controlId] = charset;
}

void FakeForm2Host::LoadSetings(std::int16_t charset, std::int16_t language) {
  if (log_) {
    log_->push_back("host.LoadSetings " + std::to_string(charset) + " " + std::to_string(language));
  }
}

void FakeForm2Host::UpdateTrayIcon() {
  if (log_) log_->push_back("host.UpdateTrayIcon");
}

}  // namespace testing_support
