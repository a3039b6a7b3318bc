// The settings dialog's behaviour.
#include "settings/form2.h"

#include "localization/language.h"
#include "resources/resource.h"
#include "settings/run_key.h"

namespace settings {

namespace {

struct Caption {
  int controlId;
  int stringId;  // English id
};

// In the order the captions are set.
constexpr Caption kCaptions[] = {
    {IDC_Command1, IDS_OK},
    {IDC_Command2, IDS_CANCEL},
    {IDC_Command3, IDS_APPLY},
    {IDC_Command4, IDS_DEFAULT},
    {IDC_Frame1, IDS_TOOLTIP_FRAME},
    {IDC_Frame2, IDS_LANGUAGE_FRAME},
    {IDC_Frame3, IDS_START_COPY_FRAME},
    {IDC_Frame4, IDS_START_STATE_FRAME},
    {IDC_Check1, IDS_START_WITH_WINDOWS},
    {IDC_Check2, IDS_CLOSE_TO_TRAY},
    {IDC_Option1, IDS_SHOW_IP_ADDRESS},
    {IDC_Option2, IDS_SHOW_HOST_NAME},
    {IDC_Option3, IDS_BULGARIAN},
    {IDC_Option4, IDS_ENGLISH},
    {IDC_Option5, IDS_DO_NOTHING},
    {IDC_Option6, IDS_START_COPY_HOST_NAME},
    {IDC_Option7, IDS_START_COPY_IP_ADDRESS},
    {IDC_Option8, IDS_NORMAL_WINDOW},
    {IDC_Option9, IDS_MINIMIZED_TO_TRAY},
    {IDC_Option10, IDS_MINIMIZED_TO_TASK_BAR},
};

// The two language choices are drawn in the character set of the language
// they name, whatever language the dialog is in.
int CharsetOf(int controlId, std::int16_t languageCharset) {
  switch (controlId) {
    case IDC_Option3: return localization::kCharsetCyrillic;
    case IDC_Option4: return localization::kCharsetAnsi;
    default: return languageCharset;
  }
}

}  // namespace

void Form2::Load() {
  const Settings& settings = s_.settings;
  controls_.Select(settings.ShowIP == kShowIpAddress ? IDC_Option1 : IDC_Option2);
  controls_.Select(settings.Language == LANGUAGE_OFFSET_BULGARIAN ? IDC_Option3 : IDC_Option4);
  controls_.Select(settings.Tip_Window == kStartHidden      ? IDC_Option9
                   : settings.Tip_Window == kStartMinimized ? IDC_Option10
                                                            : IDC_Option8);
  controls_.Select(settings.CopyInfo == kCopyHostName    ? IDC_Option6
                   : settings.CopyInfo == kCopyIpAddress ? IDC_Option7
                                                         : IDC_Option5);
  controls_.SetChecked(IDC_Check1, settings.Start_with_Win == kStartWithWindows);
  controls_.SetChecked(IDC_Check2, settings.CloseMin == kCloseHides);
  LoadCaptions(localization::CharsetForLanguage(settings.Language), settings.Language);
}

void Form2::LoadCaptions(std::int16_t charset, std::int16_t language) {
  // The title keeps its character set: only its text changes.
  const auto title = localization::LookupString(s_.strings, IDS_SETTINGS_TITLE, language);
  if (!title) return;
  controls_.SetTitle(*title);
  for (const Caption& caption : kCaptions) {
    controls_.SetFontCharset(caption.controlId, CharsetOf(caption.controlId, charset));
    const auto text = localization::LookupString(s_.strings, caption.stringId, language);
    if (!text) return;
    controls_.SetCaption(caption.controlId, *text);
  }
}

void Form2::Ok() {
  Apply();
  controls_.Close();
}

void Form2::Cancel() { controls_.Close(); }

void Form2::Apply() {
  Settings& settings = s_.settings;
  settings.ShowIP = controls_.IsSelected(IDC_Option1) ? kShowIpAddress : kShowHostName;
  const bool bulgarian = controls_.IsSelected(IDC_Option3);
  settings.Language = static_cast<std::int16_t>(bulgarian ? LANGUAGE_OFFSET_BULGARIAN
                                                         : LANGUAGE_OFFSET_ENGLISH);
  const std::int16_t charset = localization::CharsetForLanguage(settings.Language);
  settings.Tip_Window = controls_.IsSelected(IDC_Option8)   ? kStartNormal
                        : controls_.IsSelected(IDC_Option9) ? kStartHidden
                                                            : kStartMinimized;
  settings.CopyInfo = controls_.IsSelected(IDC_Option5)   ? kCopyNothing
                      : controls_.IsSelected(IDC_Option6) ? kCopyHostName
                                                          : kCopyIpAddress;
  // Made or removed on every Apply, whether or not the box changed.
  bool stillForAllUsers = false;
  if (controls_.IsChecked(IDC_Check1)) {
    settings.Start_with_Win = kStartWithWindows;
    RegisterRunValue(s_.registry, s_.executable);
  } else if (UnregisterRunValue(s_.registry, s_.executable)) {
    settings.Start_with_Win = kDoNotStartWithWindows;
  } else {
    // Windows still starts it for every user: the box and the setting say
    // so rather than show a removal that did not happen.
    stillForAllUsers = true;
    settings.Start_with_Win = kStartWithWindows;
    controls_.SetChecked(IDC_Check1, true);
  }
  settings.CloseMin = controls_.IsChecked(IDC_Check2) ? kCloseHides : kCloseEnds;
  LoadCaptions(charset, settings.Language);
  s_.host.LoadSetings(charset, settings.Language);
  s_.host.UpdateTrayIcon();
  // Said once the rest has taken effect, over the dialog in its new language.
  if (stillForAllUsers) {
    localization::ShowStringMessage(messages_, s_.strings, IDS_RUN_VALUE_FOR_ALL_USERS,
                                    settings.Language);
  }
}

void Form2::Default() {
  controls_.Select(IDC_Option1);
  // Bulgarian whatever the locale: the start-up rule for the language does not apply here.
  controls_.Select(IDC_Option3);
  controls_.Select(IDC_Option5);
  controls_.Select(IDC_Option8);
  controls_.SetChecked(IDC_Check1, true);
  controls_.SetChecked(IDC_Check2, true);
  Apply();
}

}  // namespace settings
