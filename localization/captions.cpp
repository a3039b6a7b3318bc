// Captions of the main window in the current language.
#include "localization/captions.h"

#include "localization/language.h"
#include "resources/resource.h"

namespace localization {

namespace {

struct Caption {
  int targetId;   // control or menu item
  int stringId;   // English id
  bool isLabel;   // labels take the language's character set before their caption
};

constexpr Caption kCaptions[] = {
    {IDC_Label1, IDS_HOST_NAME_LABEL, true},
    {IDC_Label2, IDS_IP_ADDRESS_LABEL, true},
    {IDM_mnuGeneral, IDS_INFORMATION_MENU, false},
    {IDM_mnuCopyHost, IDS_COPY_HOST_NAME, false},
    {IDM_mnuCHost, IDS_COPY_HOST_NAME, false},
    {IDM_MnuCopyIP, IDS_COPY_IP_ADDRESS, false},
    {IDM_mnuCIP, IDS_COPY_IP_ADDRESS, false},
    {IDM_mnuRefresh, IDS_REFRESH, false},
    {IDM_mnuSet, IDS_SETTINGS, false},
    {IDM_mnuExit, IDS_EXIT, false},
    {IDM_MnuWindow, IDS_VIEW_MENU, false},
    {IDM_MnuMinSys, IDS_MINIMISE_TO_TRAY, false},
    {IDM_MnuMinTask, IDS_MINIMISE_TO_TASK_BAR, false},
    {IDM_mnuHelp, IDS_HELP_MENU, false},
    {IDM_mnuAbout, IDS_HELP_ABOUT, false},
    {IDM_mnuRestore, IDS_RESTORE, false},
    {IDM_MnuCopyIP2, IDS_COPY_IP_ADDRESS, false},
    {IDM_mnuCopyHost2, IDS_COPY_HOST_NAME, false},
    {IDM_mnuExit2, IDS_EXIT, false},
};

}  // namespace

bool LoadSetings(platform::WindowOps& window, const platform::StringTable& table,
                 std::int16_t charset, std::int16_t language) {
  for (const Caption& caption : kCaptions) {
    if (caption.isLabel) window.SetFontCharset(caption.targetId, charset);
    const auto text = LookupString(table, caption.stringId, language);
    if (!text) return false;
    if (caption.isLabel) {
      window.SetText(caption.targetId, *text);
    } else {
      window.SetMenuCaption(caption.targetId, *text);
    }
  }
  return true;
}

}  // namespace localization
