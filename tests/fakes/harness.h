// The main window's logic among in-memory stand-ins for everything around it:
// a 1024 x 768 screen at 96 dpi, an English thread locale, one address.
#pragma once
#include <memory>

#include "app/form1.h"
#include "tests/fakes/fakes.h"

namespace testing_support {

struct Harness {
  CallLog log;
  FakeRegistry registry{&log};
  FakeSockets sockets{&log};
  FakeClipboard clipboard{&log};
  FakeLocale locale{1033, &log};
  FakeMessageBox messages{&log};
  RcStringTable strings;
  FakeWindow window{&log};
  FakeNotifyIcon icon{&log};
  FakeModalWindows modalWindows{&log};
  FakeAdapterSource adapters;
  std::unique_ptr<app::Form1> form1;

  app::LoadOutcome Load(std::uint32_t threadLocale = 1033) {
    locale = FakeLocale(threadLocale, &log);
    form1 = std::make_unique<app::Form1>(app::Form1Services{
        registry, sockets, clipboard, locale, messages, strings, window, window, icon,
        modalWindows, adapters});
    window.events = form1.get();
    return form1->Load();
  }
  const settings::Settings& Settings() const { return form1->Settings(); }
};

}  // namespace testing_support
