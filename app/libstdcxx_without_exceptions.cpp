// Adrelo.exe is built without exceptions: it catches none, so every throw
// would end in std::terminate. GCC's static C++ runtime still throws from a
// few helpers (allocation failure, a string or vector grown past its maximum,
// an index out of range), and those helpers alone link the whole exception
// runtime: unwinder, exception classes with a second string implementation,
// and the verbose terminate handler with its demangler, over 200 KB of the
// executable. Here the same failures end the process where they happen, as
// the uncaught exception did. Built with GCC only.
#include <cstdlib>
#include <new>
#include <string>

// The replaceable global allocation functions, without a bad_alloc to throw.
void* operator new(std::size_t size) {
  // malloc(0) may return a null pointer; operator new must not.
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  std::abort();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

// libstdc++'s throw helpers (bits/functexcept.h) that the program's code calls.
namespace std {

void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }

}  // namespace std
