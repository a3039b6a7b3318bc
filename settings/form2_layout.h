// Geometry of the settings dialog in twips (1/1440 inch, 15 to a pixel at
// 96 dpi), relative to its client area; an option button's position is
// relative to the frame that holds it.
#pragma once
#include <cstdint>

#include "resources/resource.h"

namespace settings {

inline constexpr std::int32_t kForm2ClientWidthTwips = 8010;
inline constexpr std::int32_t kForm2ClientHeightTwips = 4905;

// Each kind has its own font: Arial 9 pt for frames and check boxes, Arial
// 12 pt bold for the buttons, the dialog's standard font for the options.
enum class Form2ControlKind { Frame, Option, Check, Button };

struct Form2ControlLayout {
  int id;
  Form2ControlKind kind;
  int frameId;  // the frame an option button belongs to; 0 for the others
  std::int32_t left, top, width, height;
};

// In tab order, which is the creation order.
inline constexpr Form2ControlLayout kForm2Controls[] = {
    {IDC_Command1, Form2ControlKind::Button, 0, 120, 4200, 1455, 495},
    {IDC_Command2, Form2ControlKind::Button, 0, 1800, 4200, 1455, 495},
    {IDC_Command3, Form2ControlKind::Button, 0, 3480, 4200, 1455, 495},
    {IDC_Command4, Form2ControlKind::Button, 0, 5160, 4200, 1455, 495},
    {IDC_Option8, Form2ControlKind::Option, IDC_Frame4, 120, 240, 3495, 375},
    {IDC_Option9, Form2ControlKind::Option, IDC_Frame4, 120, 720, 3495, 495},
    {IDC_Option10, Form2ControlKind::Option, IDC_Frame4, 120, 1320, 3615, 375},
    {IDC_Frame2, Form2ControlKind::Frame, 0, 120, 2040, 3855, 1335},
    {IDC_Option3, Form2ControlKind::Option, IDC_Frame2, 120, 240, 2775, 495},
    {IDC_Option4, Form2ControlKind::Option, IDC_Frame2, 120, 720, 2775, 495},
    {IDC_Option5, Form2ControlKind::Option, IDC_Frame3, 120, 240, 2775, 495},
    {IDC_Option6, Form2ControlKind::Option, IDC_Frame3, 120, 720, 2775, 495},
    {IDC_Option7, Form2ControlKind::Option, IDC_Frame3, 120, 1200, 2775, 495},
    {IDC_Option1, Form2ControlKind::Option, IDC_Frame1, 120, 240, 2775, 495},
    {IDC_Option2, Form2ControlKind::Option, IDC_Frame1, 120, 720, 2775, 495},
    {IDC_Check1, Form2ControlKind::Check, 0, 240, 3480, 3615, 615},
    {IDC_Check2, Form2ControlKind::Check, 0, 4200, 3480, 3615, 615},
    {IDC_Frame4, Form2ControlKind::Frame, 0, 120, 120, 3855, 1815},
    {IDC_Frame3, Form2ControlKind::Frame, 0, 4080, 120, 3855, 1815},
    {IDC_Frame1, Form2ControlKind::Frame, 0, 4080, 2040, 3855, 1335},
};

// The entry of a control, or nullptr for an id the dialog does not have.
constexpr const Form2ControlLayout* FindForm2Control(int id) {
  for (const Form2ControlLayout& control : kForm2Controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace settings
