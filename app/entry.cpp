// The process's entry point, in place of the C runtime's start-up code. That
// code (some 12 KB of the executable) parses a command line the program does
// not take, runs constructors and exit handlers it has none of, sets up
// thread-local storage and floating-point and signal handlers it never uses,
// and patches imported data it does not import. msvcrt.dll initialises
// itself as it loads. Built with GCC only; the program links with
// -nostartfiles and this as its entry.
#include <windows.h>

// Both lists are the linker's (its PE script). Should a later change bring
// a constructor to run or imported data to patch, nothing here would do it:
// the process ends at once, before anything is read or shown, and every test
// that starts the program fails.
extern "C" {
extern void (*__CTOR_LIST__[])();
extern char __RUNTIME_PSEUDO_RELOC_LIST__;
extern char __RUNTIME_PSEUDO_RELOC_LIST_END__;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show);

namespace {

// Exit code when the executable needs what the C runtime's start-up would do.
constexpr UINT kExitNeedsStartupCode = 3;

}  // namespace

// Windows aligns the stack to 4 bytes only when it calls a 32-bit entry point.
extern "C" __attribute__((force_align_arg_pointer)) void AdreloStart() {
  // The constructor list is -1, the constructors, then 0.
  if (__CTOR_LIST__[1] != nullptr ||
      &__RUNTIME_PSEUDO_RELOC_LIST__ != &__RUNTIME_PSEUDO_RELOC_LIST_END__) {
    ExitProcess(kExitNeedsStartupCode);
  }
  // The program takes no arguments and gives its window the state its
  // settings say.
  ExitProcess(static_cast<UINT>(wWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWDEFAULT)));
}
