// The table of docs/performance.md: min, median and max of each figure over
// the rounds, ratios taken round by round, and each target's verdict.
#include "bench/table.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <utility>
#include <vector>

namespace bench {
namespace {

// The targets of docs/performance.md: against the floors, which do the same
// visible work; the reference rows show Wine's own floor beneath them.
constexpr double kStartupTarget = 1.05;
// Both limits read as Windows shows sizes (Explorer's KB, Task Manager's MB):
// in 1,024s.
constexpr ULONGLONG kSizeLimitBytes = 100 * 1024;  // under
constexpr double kMemoryTargetMiB = 1.0;
constexpr double kTickTarget = 1.10;

constexpr std::size_t kLabelWidth = 50;
constexpr std::size_t kCellWidth = 10;

struct Spread {
  double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {values.front(), median, values.back()};
}

template <typename Field>
std::vector<double> Column(const std::vector<Measurement>& runs, Field field) {
  std::vector<double> column;
  for (const Measurement& run : runs) column.push_back(field(run));
  return column;
}

// Each round's figure of one program combined with the same round's figure
// of another: pair by pair, never medians of medians.
template <typename Field, typename Combine>
std::vector<double> RoundByRound(const std::vector<Measurement>& left,
                                 const std::vector<Measurement>& right, Field field,
                                 Combine combine) {
  std::vector<double> combined;
  for (std::size_t i = 0; i < left.size(); ++i)
    combined.push_back(combine(field(left[i]), field(right[i])));
  return combined;
}

template <typename Field>
std::vector<double> Ratios(const std::vector<Measurement>& numerators,
                           const std::vector<Measurement>& denominators, Field field) {
  return RoundByRound(numerators, denominators, field, std::divides<>());
}

template <typename Field>
std::vector<double> Differences(const std::vector<Measurement>& minuends,
                                const std::vector<Measurement>& subtrahends, Field field) {
  return RoundByRound(minuends, subtrahends, field, std::minus<>());
}

void Row(const std::wstring& label, const std::vector<double>& values, const wchar_t* format,
         const std::wstring& note = L"") {
  const Spread spread = SpreadOf(values);
  std::wstring line = label;
  line.resize(std::max<std::size_t>(line.size(), kLabelWidth), L' ');
  for (double value : {spread.min, spread.median, spread.max}) {
    std::wstring cell = Format(format, value);
    line += std::wstring(cell.size() < kCellWidth ? kCellWidth - cell.size() : 0, L' ') + cell;
  }
  Print(line + (note.empty() ? L"" : L"   " + note));
}

std::wstring Verdict(bool met, const std::wstring& target) {
  return (met ? L"meets " : L"MISSES ") + target;
}

}  // namespace

void WriteUtf8(HANDLE handle, const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Print(const std::wstring& line) { WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), line + L'\n'); }

std::wstring Format(const wchar_t* format, double value) {
  wchar_t buffer[64];
  swprintf(buffer, 64, format, value);
  return buffer;
}

void PrintTable(const Runs& startups, const Runs& full, const ImageFacts& image,
                const ImageFacts& referenceImage, unsigned ticks) {
  const auto startup = [](const Measurement& m) { return m.startupMs; };
  const auto peakTicks = [](const Measurement& m) { return m.afterTicks.peakWorkingSetMiB; };
  const auto privateTicks = [](const Measurement& m) { return m.afterTicks.privateMiB; };
  const auto growth = [](const Measurement& m) {
    return m.afterTicks.privateMiB - m.afterStart.privateMiB;
  };
  const auto lateGrowth = [](const Measurement& m) {
    return m.afterTicks.privateMiB - m.afterHalfTicks.privateMiB;
  };
  const double perTick = static_cast<double>(ticks);
  const auto tickCost = [perTick](const Measurement& m) { return m.ticks.processMs / perTick; };
  const auto tickSession = [perTick](const Measurement& m) { return m.ticks.sessionMs / perTick; };
  const auto delivery = [perTick](const Measurement& m) { return m.delivery.processMs / perTick; };
  const auto deliverySession = [perTick](const Measurement& m) {
    return m.delivery.sessionMs / perTick;
  };
  std::wstring header = L"";
  header.resize(kLabelWidth, L' ');
  Print(header + L"       min    median       max");
  Print(L"1. Start-up, ms (process start to window shown, filled), " +
        std::to_wstring(startups.adrelo.size()) + L" runs of each");
  Row(L"   empty process (Wine's fixed cost)", Column(startups.empty, startup), L"%.1f");
  Row(L"   reference, bare", Column(startups.reference, startup), L"%.1f");
  Row(L"   reference with Adrelo's manifest", Column(startups.manifest, startup), L"%.1f");
  Row(L"   start-up floor (Adrelo's window, menu, icon)", Column(startups.startupFloor, startup), L"%.1f");
  Row(L"   Adrelo.exe (its tray icon present)", Column(startups.adrelo, startup), L"%.1f");
  Row(L"   Adrelo / bare reference", Ratios(startups.adrelo, startups.reference, startup), L"%.3f");
  Row(L"   Adrelo / reference with manifest", Ratios(startups.adrelo, startups.manifest, startup), L"%.3f");
  const std::vector<double> startupRatio = Ratios(startups.adrelo, startups.startupFloor, startup);
  Row(L"   Adrelo / start-up floor", startupRatio, L"%.3f",
      Verdict(SpreadOf(startupRatio).median <= kStartupTarget, L"<= 1.05 (median)"));
  std::vector<double> netRatio;
  for (std::size_t i = 0; i < startups.adrelo.size(); ++i)
    netRatio.push_back((startups.adrelo[i].startupMs - startups.empty[i].startupMs) /
                       (startups.startupFloor[i].startupMs - startups.empty[i].startupMs));
  Row(L"   the same, each net of the empty process", netRatio, L"%.3f");

  Print(L"2. Size");
  Print(L"   Adrelo.exe: " + std::to_wstring(image.bytes) + L" bytes (" +
        Format(L"%.1f", static_cast<double>(image.bytes) / 1024.0) + L" KiB)   " +
        Verdict(image.bytes < kSizeLimitBytes, L"< 100 KiB"));
  Print(L"     imports " + image.imports);
  Print(L"   reference: " + std::to_wstring(referenceImage.bytes) + L" bytes, imports " +
        referenceImage.imports);

  Print(L"3. Memory, MiB, " + std::to_wstring(full.adrelo.size()) + L" runs of each");
  const std::wstring afterTicks = L" after " + std::to_wstring(ticks) + L" ticks";
  using Field = double (*)(const Measurement&);
  const std::pair<std::wstring, Field> memoryRows[] = {
      {L"   peak working set after start-up",
       [](const Measurement& m) { return m.afterStart.peakWorkingSetMiB; }},
      {L"   peak working set" + afterTicks,
       [](const Measurement& m) { return m.afterTicks.peakWorkingSetMiB; }},
      {L"   private bytes after start-up",
       [](const Measurement& m) { return m.afterStart.privateMiB; }},
      {L"   private bytes" + afterTicks,
       [](const Measurement& m) { return m.afterTicks.privateMiB; }}};
  for (const auto& [title, field] : memoryRows) {
    Row(title + L": reference", Column(full.reference, field), L"%.2f");
    Row(L"     reference with manifest", Column(full.manifest, field), L"%.2f");
    Row(L"     start-up floor", Column(full.startupFloor, field), L"%.2f");
    Row(L"     Adrelo.exe", Column(full.adrelo, field), L"%.2f");
  }
  const std::vector<double> peakOver = Differences(full.adrelo, full.manifest, peakTicks);
  const std::vector<double> privateOver = Differences(full.adrelo, full.manifest, privateTicks);
  Row(L"   Adrelo - manifest reference, peak", peakOver, L"%+.2f",
      Verdict(SpreadOf(peakOver).median <= kMemoryTargetMiB, L"<= +1 MiB (median)"));
  Row(L"     private bytes", privateOver, L"%+.2f",
      Verdict(SpreadOf(privateOver).median <= kMemoryTargetMiB, L"<= +1 MiB (median)"));
  Row(L"   private growth over the ticks: reference", Column(full.reference, growth), L"%+.3f");
  Row(L"     reference with manifest", Column(full.manifest, growth), L"%+.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, growth), L"%+.3f");
  const std::vector<double> late = Column(full.adrelo, lateGrowth);
  Row(L"     Adrelo.exe, second half of the ticks", late, L"%+.3f",
      Verdict(SpreadOf(late).median <= 0, L"no growth (median)"));

  Print(L"4. Refresh cost, ms CPU a tick, " + std::to_wstring(full.adrelo.size()) +
        L" runs of each");
  Row(L"   reference, its process: one gethostbyname", Column(full.reference, tickCost), L"%.3f");
  Row(L"   tick floor, its process: lookup, refill, repaint", Column(full.tickFloor, tickCost), L"%.3f");
  Row(L"   Adrelo.exe, its process: one refresh tick", Column(full.adrelo, tickCost), L"%.3f");
  Row(L"   Adrelo / reference, the processes", Ratios(full.adrelo, full.reference, tickCost), L"%.3f");
  const std::vector<double> tickRatio = Ratios(full.adrelo, full.tickFloor, tickCost);
  Row(L"   Adrelo / tick floor, the processes", tickRatio, L"%.3f",
      Verdict(SpreadOf(tickRatio).median <= kTickTarget, L"<= 1.10 (median)"));
  Row(L"   reference, whole Wine session", Column(full.reference, tickSession), L"%.3f");
  Row(L"   tick floor, whole Wine session", Column(full.tickFloor, tickSession), L"%.3f");
  Row(L"   Adrelo.exe, whole Wine session", Column(full.adrelo, tickSession), L"%.3f");
  Row(L"   Adrelo / reference, the sessions", Ratios(full.adrelo, full.reference, tickSession),
      L"%.3f");
  // Information only: the tick floor sends no tooltip, which every tick of
  // Adrelo's sends. The sessions' verdict is against the start-up floor's
  // tick below, which does the same visible work.
  Row(L"   Adrelo / tick floor, the sessions", Ratios(full.adrelo, full.tickFloor, tickSession),
      L"%.3f", L"(the floor sends no tooltip)");
  // Explorer's share of Adrelo's tick is its notification icon's check: the
  // tick floor has no icon, and explorer spends nothing on it.
  const auto netOfExplorer = [perTick](const Measurement& m) {
    return (m.ticks.sessionMs - m.ticks.shareMs[kExplorer]) / perTick;
  };
  Row(L"   the same, each net of explorer (the icon's check)",
      Ratios(full.adrelo, full.tickFloor, netOfExplorer), L"%.3f");
  // The start-up floor's tick also sends its icon's tooltip: what the icon
  // costs a tick, and Adrelo against a floor that pays it too.
  Row(L"   start-up floor, whole Wine session (+ tooltip)", Column(full.startupFloor, tickSession),
      L"%.3f");
  Row(L"   the icon's tooltip a tick (start-up - tick floor)",
      Differences(full.startupFloor, full.tickFloor, tickSession), L"%+.3f");
  const std::wstring withIcon = L"<= 1.10 (median), both with the icon";
  const std::vector<double> iconProcess = Ratios(full.adrelo, full.startupFloor, tickCost);
  Row(L"   Adrelo / start-up floor, the processes", iconProcess, L"%.3f",
      Verdict(SpreadOf(iconProcess).median <= kTickTarget, withIcon));
  const std::vector<double> iconSession = Ratios(full.adrelo, full.startupFloor, tickSession);
  Row(L"   Adrelo / start-up floor, the sessions", iconSession, L"%.3f",
      Verdict(SpreadOf(iconSession).median <= kTickTarget, withIcon));
  for (std::size_t share = 0; share < kShares; ++share) {
    const auto ms = [perTick, share](const Measurement& m) {
      return m.ticks.shareMs[share] / perTick;
    };
    Row(std::wstring(L"     ") + kShareNames[share] + L": reference", Column(full.reference, ms),
        L"%.3f");
    Row(L"       tick floor", Column(full.tickFloor, ms), L"%.3f");
    Row(L"       start-up floor", Column(full.startupFloor, ms), L"%.3f");
    Row(L"       Adrelo.exe", Column(full.adrelo, ms), L"%.3f");
  }
  Row(L"   a sent WM_NULL, process: reference", Column(full.reference, delivery), L"%.3f");
  Row(L"     tick floor", Column(full.tickFloor, delivery), L"%.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, delivery), L"%.3f");
  Row(L"   a sent WM_NULL, session: reference", Column(full.reference, deliverySession), L"%.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, deliverySession), L"%.3f");
}

}  // namespace bench
