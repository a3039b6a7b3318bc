// The benchmark's output: lines in UTF-8 on standard output, and the table of
// docs/performance.md made from every program's runs.
#pragma once

#include <windows.h>

#include <string>

#include "bench/image_facts.h"
#include "bench/measurement.h"

namespace bench {

void WriteUtf8(HANDLE handle, const std::wstring& text);
void Print(const std::wstring& line);
std::wstring Format(const wchar_t* format, double value);

void PrintTable(const Runs& startups, const Runs& full, const ImageFacts& image,
                const ImageFacts& referenceImage, unsigned ticks);

}  // namespace bench
