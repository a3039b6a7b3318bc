// The About window's texts (from the executable's path and version, in both
// languages) and the link's looks under the mouse.
#include <gtest/gtest.h>

#include "about/form3.h"
#include "platform/executable.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace about;

TEST(ExecutablePath, SplitsFolderAndBaseName) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
    const wchar_t* baseName;
  };
  for (const Case& c : {Case{L"C:\\Tools\\Adrelo.exe", L"C:\\Tools", L"Adrelo"},
                        Case{L"C:\\Adrelo.exe", L"C:\\", L"Adrelo"},
                        Case{L"D:\\Some.Dir\\Adrelo", L"D:\\Some.Dir", L"Adrelo"},
                        Case{L"C:\\x\\my.adrelo.v2.exe", L"C:\\x", L"my.adrelo.v2"},
                        Case{L"\\\\server\\share\\Net Tool.EXE", L"\\\\server\\share", L"Net Tool"}}) {
    const platform::ExecutableInfo info = platform::SplitExecutablePath(c.path);
    EXPECT_EQ(info.folder, c.folder) << testing_support::Narrow(c.path);
    EXPECT_EQ(info.baseName, c.baseName) << testing_support::Narrow(c.path);
  }
}

TEST(Form3Texts, FollowTheLanguageAndTheExecutable) {
  const testing_support::RcStringTable strings;
  struct Case {
    const wchar_t* path;
    int major, minor;
    std::int16_t language;
    const wchar_t* title;
    const wchar_t* versionLine;
  };
  for (const Case& c : {
           Case{L"C:\\Tools\\Adrelo.exe", 1, 0, 0, L"About Program...", L"Adrelo  vers. 1.0"},
           Case{L"C:\\Tools\\Adrelo.exe", 1, 0, 100, L"За програмата...", L"Adrelo  версия 1.0"},
           // Renamed, and a later version: no leading zeros, no revision.
           Case{L"E:\\Viewer.Copy.exe", 2, 15, 0, L"About Program...", L"Viewer.Copy  vers. 2.15"},
       }) {
    platform::ExecutableInfo executable = platform::SplitExecutablePath(c.path);
    executable.majorVersion = c.major;
    executable.minorVersion = c.minor;
    const Form3Texts texts = LoadTexts(executable, strings, c.language);
    EXPECT_EQ(texts.title, c.title);
    EXPECT_EQ(texts.versionLine, c.versionLine);
    // The maker line reads the same in both languages.
    EXPECT_EQ(texts.makerLine, L"Varnosk Software");
  }
  // An offset that overflows the lookup sets nothing.
  const Form3Texts none = LoadTexts({}, strings, 32767);
  EXPECT_FALSE(none.title || none.makerLine || none.versionLine);
}

TEST(LinkHighlight, LightsOnceOverTheLinkAndGoesPlainOverTheRest) {
  constexpr std::uint32_t kButtonText = 0x00123456;
  const LinkLook lit{kColourPureBlue, true};
  const LinkLook plain{kColourBlack, false};
  enum Move { Link, Rest };
  struct Step {
    Move move;
    bool changed;
    LinkLook look;
  };
  struct Case {
    const char* name;
    std::uint32_t start;
    std::vector<Step> steps;
  };
  for (const Case& c : {
           Case{"back and forth",
                kButtonText,
                {{Link, true, lit}, {Link, false, lit}, {Rest, true, plain}, {Rest, false, plain},
                 {Link, true, lit}}},
           Case{"rest first", kButtonText, {{Rest, true, plain}, {Link, true, lit}}},
           // Pure blue already: a move over the link leaves it, underline and all.
           Case{"starts blue", kColourPureBlue,
                {{Link, false, {kColourPureBlue, false}}, {Rest, true, plain}}},
       }) {
    LinkHighlight link(c.start);
    EXPECT_EQ(link.look(), (LinkLook{c.start, false})) << c.name;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      EXPECT_EQ(step.move == Link ? link.MoveOverLink() : link.MoveOverRest(), step.changed)
          << c.name << ", step " << i;
      EXPECT_EQ(link.look(), step.look) << c.name << ", step " << i;
    }
  }
}

}  // namespace
