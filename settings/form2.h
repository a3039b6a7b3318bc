// The settings dialog's behaviour over a narrow interface of its controls:
// loading from the in-memory settings, the captions in both languages, and
// OK, Cancel, Apply and Default. It changes only the Settings record (never
// the settings key) and the start-with-Windows registration.
#pragma once
#include <cstdint>
#include <string>

#include "platform/executable.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/string_table.h"
#include "settings/settings.h"

namespace settings {

// The dialog's controls, named by their ids from resource.h.
class Form2Controls {
 public:
  virtual ~Form2Controls() = default;
  virtual void Select(int optionId) = 0;  // and clears the other options of its frame
  virtual bool IsSelected(int optionId) const = 0;
  virtual void SetChecked(int checkId, bool checked) = 0;
  virtual bool IsChecked(int checkId) const = 0;  // a grayed box counts as not checked
  virtual void SetTitle(const std::wstring& title) = 0;
  virtual void SetCaption(int controlId, const std::wstring& caption) = 0;
  virtual void SetFontCharset(int controlId, int charset) = 0;
  virtual void Close() = 0;
};

// What Apply asks of the main window.
class Form2Host {
 public:
  virtual ~Form2Host() = default;
  virtual void LoadSetings(std::int16_t charset, std::int16_t language) = 0;  // recaption it
  virtual void UpdateTrayIcon() = 0;  // rebuild the tooltip and send it
};

struct Form2Services {
  Settings& settings;
  platform::Registry& registry;
  const platform::StringTable& strings;
  platform::ExecutableInfo executable;
  Form2Host& host;
};

class Form2 {
 public:
  // messages: the dialog's own, modal to it.
  Form2(Form2Controls& controls, platform::MessageBoxOps& messages, const Form2Services& services)
      : controls_(controls), messages_(messages), s_(services) {}

  // Shows the settings as they stand, in their language; before the dialog is shown.
  void Load();
  // The title, then each control's character set and caption. Stops at a
  // lookup that has no text (the overflow guard).
  void LoadCaptions(std::int16_t charset, std::int16_t language);

  void Ok();       // Command1: Apply, then close
  void Cancel();   // Command2 and the title bar's close box: close, applying nothing
  void Apply();    // Command3
  void Default();  // Command4: the default choices, Bulgarian included, then Apply

 private:
  Form2Controls& controls_;
  platform::MessageBoxOps& messages_;
  Form2Services s_;
};

}  // namespace settings
