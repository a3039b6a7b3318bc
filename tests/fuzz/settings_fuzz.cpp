// Fuzz target: one stored setting, then a start-up and an exit through the
// fakes, and what must hold whatever the registry held.
//
// An input is a line and, after its newline, optional bytes that choose the
// machine. The line is a row of tests/data/stored_settings.txt; a line that is
// not one is read as raw bytes: the value's name (one of the eight), its type
// and key state, then its data. Machine bytes: the screen's width and height
// (two bytes each), the dpi, the thread locale, then where the user moved the
// window before the exit (two bytes each edge); without them the machine of
// the data file (1024 x 768 at 96 dpi, English) and a window left in place.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main_window/layout.h"
#include "platform/twips.h"
#include "resources/resource.h"
#include "settings/settings_store.h"
#include "tests/fakes/harness.h"
#include "tests/fakes/settings_rows.h"

#define CHECK(condition)                                        \
  do {                                                          \
    if (!(condition)) {                                         \
      std::fprintf(stderr, "invariant failed: %s\n", #condition); \
      std::abort();                                             \
    }                                                           \
  } while (0)

namespace {

using namespace testing_support;

constexpr char kKey[] = "Software\\Varnosk\\Adrelo\\Settings";
constexpr char kParentKey[] = "Software\\Varnosk\\Adrelo";
constexpr const char* kNames[] = {"Language", "ShowIP",         "Tip_Window", "CopyInfo",
                                  "Start_with_Win", "CloseMin", "Left",       "Top"};
// Windows' display scales from 100 % to 400 %.
constexpr int kDpis[] = {96, 120, 144, 168, 192, 216, 240, 288, 336, 384};

struct Machine {
  platform::PixelSize screen{1024, 768};
  int dpi = 96;
  std::uint32_t locale = 1033;
  std::optional<platform::PixelPoint> moved;
};

Machine ReadMachine(std::string_view bytes) {
  Machine machine;
  const auto at = [&](std::size_t i) {
    return static_cast<unsigned>(static_cast<std::uint8_t>(bytes[i]));
  };
  if (bytes.size() >= 4) {
    machine.screen = {1 + static_cast<int>((at(0) << 8 | at(1)) % 16384),
                      1 + static_cast<int>((at(2) << 8 | at(3)) % 16384)};
  }
  if (bytes.size() >= 5) machine.dpi = kDpis[at(4) % std::size(kDpis)];
  if (bytes.size() >= 6) machine.locale = at(5) & 1 ? 1026 : 1033;
  if (bytes.size() >= 10)
    machine.moved = {static_cast<int>(at(6) << 8 | at(7)), static_cast<int>(at(8) << 8 | at(9))};
  return machine;
}

// The raw form of a line that is not a row; nothing is stored for one shorter than two bytes.
std::optional<SettingsRow> RawRow(std::string_view line) {
  if (line.size() < 2) return std::nullopt;
  SettingsRow row;
  row.name = kNames[static_cast<std::uint8_t>(line[0]) % std::size(kNames)];
  row.type = static_cast<std::uint8_t>(line[1]) & 0x0F;
  row.state = static_cast<KeyState>((static_cast<std::uint8_t>(line[1]) >> 4) % 4);
  row.data.assign(line.begin() + 2, line.end());
  return row;
}

// The machine, and the window as Form1Window creates it: hidden at the
// corner, its frame scaled with the dpi.
void Arrange(Harness& h, const Machine& machine) {
  h.window.screen = machine.screen;
  h.window.dpi = machine.dpi;
  h.window.frameWidth = 6 * machine.dpi / 96;
  h.window.frameHeight = 44 * machine.dpi / 96;
  const platform::PixelSize outer =
      h.window.OuterSizeForClient(main_window::ClientSize(machine.dpi), machine.dpi);
  h.window.bounds = {0, 0, outer.width, outer.height};
}

void Store(Harness& h, const SettingsRow& row) {
  const char* path = row.state == KeyState::SettingsIsAValue ? kParentKey : kKey;
  h.registry.SetRaw(path, row.name, row.type, AnsiView(row.type, row.data));
  h.registry.readOnly = row.state == KeyState::ReadOnly;
  if (row.state == KeyState::Unreadable) h.registry.deniedRoot = platform::kHkeyCurrentUser;
}

// Within the free room on that axis; a screen smaller than the window leaves
// none, and the window is centred, partly off it.
bool Placed(int edge, int screen, int window) {
  const int room = screen - window;
  return room >= 0 ? edge >= 0 && edge <= room : std::abs(2 * edge - room) <= 2;
}

// Where the window is at the exit: where start-up put it, or where the user
// moved it, held within the screen (snapped to an edge, as Windows snaps it).
platform::PixelPoint AtExit(const Machine& machine, const platform::PixelRect& placed) {
  if (!machine.moved) return {placed.left, placed.top};
  const auto held = [](int to, int edge, int screen, int window) {
    return screen < window ? edge : std::min(to, screen - window);
  };
  return {held(machine.moved->x, placed.left, machine.screen.width, placed.width),
          held(machine.moved->y, placed.top, machine.screen.height, placed.height)};
}

// Starts with what the harness's registry holds and runs the exit path.
void StartAndExit(Harness& h, const Machine& machine) {
  CHECK(h.Load(machine.locale) == app::LoadOutcome::Running);
  CHECK(h.registry.openHandles == 0);
  const settings::Settings& s = h.Settings();
  CHECK(s.Language == 0 || s.Language == 100);
  CHECK(s.ShowIP >= 1 && s.ShowIP <= 2);
  CHECK(s.Tip_Window >= 1 && s.Tip_Window <= 3);
  CHECK(s.CopyInfo >= 1 && s.CopyInfo <= 3);
  CHECK(s.Start_with_Win >= 1 && s.Start_with_Win <= 2);
  CHECK(s.CloseMin >= 1 && s.CloseMin <= 2);
  const platform::PixelRect& placed = h.window.bounds;
  CHECK(Placed(placed.left, machine.screen.width, placed.width));
  CHECK(Placed(placed.top, machine.screen.height, placed.height));
  h.window.normalPosition = AtExit(machine, placed);
  h.form1->OnCommand(IDM_mnuExit);
  CHECK(h.window.closeAction == main_window::CloseAction::CloseWindow);
  CHECK(h.registry.openHandles == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A row's longest data is a compact repeat; anything longer adds nothing.
  if (size > 4096) return -1;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string_view line = input.substr(0, newline);
  const Machine machine = ReadMachine(
      newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1));
  auto row = ParseSettingsRow(line);
  if (!row) row = RawRow(line);

  Harness h;
  Arrange(h, machine);
  if (row) Store(h, *row);
  std::vector<FakeRegistry::Value> before;
  if (const auto* values = h.registry.Values(kKey)) before = *values;
  StartAndExit(h, machine);

  const auto* after = h.registry.Values(kKey);
  if (row && (row->state == KeyState::ReadOnly || row->state == KeyState::Unreadable)) {
    CHECK(after && *after == before);  // the exit may not change a key it may not write
    return 0;
  }
  // The eight values, each a plain decimal (what std::to_string gives) of its setting.
  const settings::Settings& s = h.Settings();
  const std::int32_t fields[] = {s.Language, s.ShowIP,         s.Tip_Window,
                                 s.CopyInfo, s.Start_with_Win, s.CloseMin};
  Harness next;
  Arrange(next, machine);
  for (std::size_t i = 0; i < std::size(kNames); ++i) {
    const auto text = h.registry.GetString(kKey, kNames[i]);
    CHECK(text.has_value());
    const auto number = settings::ParseDecimal(*text, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max());
    CHECK(number && std::to_string(*number) == *text);
    if (i < std::size(fields)) CHECK(*number == fields[i]);
    next.registry.SetString(kKey, kNames[i], *text);
  }
  // The next start, from what the exit wrote, has the same settings and puts
  // the window back where it was.
  const platform::PixelPoint leftAt = h.window.normalPosition;
  StartAndExit(next, machine);
  CHECK(next.Settings() == s);
  CHECK(next.window.bounds.left == leftAt.x && next.window.bounds.top == leftAt.y);
  return 0;
}
