#include "maincontrols.h"

#include "imageslider.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"

using namespace ids;

namespace {

constexpr ButtonSpec kButtons[] = {
    {IDC_MINIMIZE, false, 136, 138, 137, 136, 136, "Minimize"},
    {IDC_CLOSE, false, 130, 132, 131, 130, 130, "Close"},
    {IDC_INFORMATION, false, 133, 135, 134, 133, 133, "Information"},
    {IDC_REWIND, false, 206, 208, 207, 206, 206, "Rewind"},
    {IDC_FORWARD, false, 191, 193, 192, 191, 191, "Forward"},
    {IDC_PLAY, false, 200, 202, 201, 200, 200, "Play"},
    {IDC_PREVIOUS, false, 203, 205, 204, 203, 203, "Prev"},
    {IDC_NEXT, false, 194, 196, 195, 194, 194, "Next"},
    {IDC_FLIP_VERTICAL, true, 145, 147, 146, 467, 145, "Flip Vertical"},
    {IDC_CAPTURE, false, 139, 141, 140, 497, 139, "Capture"},
    {IDC_EXTEND, false, 142, 144, 143, 142, 142, "Extend"},
    {IDC_FOLDER, true, 313, 315, 314, 313, 313, "Folder"},
    {IDC_CALENDAR, true, 148, 150, 149, 148, 148, "Calendar"},
    {IDC_SAVE, false, 154, 156, 155, 154, 154, "Save"},
    {IDC_DELETE, false, 151, 153, 152, 151, 151, "Delete"},
    {IDC_CHECK_ALL, true, 451, 453, 452, 451, 451, ""},
    {IDC_TYPE_ALL, true, 164, 166, 165, 164, 164, "All"},
    {IDC_TYPE_NORMAL, true, 173, 175, 174, 173, 173, "Normal"},
    {IDC_TYPE_EVENT, true, 167, 169, 168, 167, 167, "Event"},
    {IDC_TYPE_MOTION, true, 170, 172, 171, 170, 170, "Motion"},
    {IDC_MAP_LARGER, false, 160, 163, 161, 160, 160, "Show Larger Map"},
    {IDC_MAP_SHOW, false, 280, 282, 281, 280, 280, "Show Map"},
    {IDC_SPEED_ICON, false, 501, 501, 501, 501, 501, "Speed"},
    {IDC_MUTE, true, 223, 225, 224, 225, 223, "Volume"},
    {IDC_BRIGHTNESS_ICON, false, 500, 500, 500, 500, 500, "Brightness"},
    {IDC_FLIP_HORIZONTAL, true, 469, 471, 470, 468, 469, "Flip Horizontal"},
    {IDC_VIEW_FRONT, true, 456, 458, 457, 455, 456, "Front"},
    {IDC_VIEW_REAR, true, 460, 462, 461, 459, 460, "Rear"},
    {IDC_VIEW_BOTH, true, 464, 466, 465, 463, 464, "All"},
};

constexpr SliderSpec kSliders[] = {
    {IDC_POSITION_SLIDER, 209, 210, 213, 213, 213},
    {IDC_SPEED_SLIDER, 267, 215, 218, 218, 218},
    {IDC_VOLUME_SLIDER, 268, 216, 219, 219, 219},
    {IDC_BRIGHTNESS_SLIDER, 266, 214, 217, 217, 217},
};

const Placement kNormalLayout[] = {
    {IDC_INFORMATION, {150, 12, 37, 28}},     {IDC_MINIMIZE, {937, 12, 36, 28}},
    {IDC_CLOSE, {973, 12, 37, 28}},           {IDC_VIEW_FRONT, {431, 53, 36, 22}},
    {IDC_VIEW_REAR, {467, 53, 36, 22}},       {IDC_VIEW_BOTH, {501, 53, 36, 22}},
    {IDC_FLIP_VERTICAL, {543, 53, 36, 22}},   {IDC_FLIP_HORIZONTAL, {579, 53, 34, 22}},
    {IDC_CAPTURE, {613, 53, 34, 22}},         {IDC_EXTEND, {647, 53, 36, 22}},
    {IDC_FOLDER, {871, 53, 36, 22}},          {IDC_CALENDAR, {907, 53, 36, 22}},
    {IDC_SAVE, {940, 53, 34, 22}},            {IDC_DELETE, {974, 53, 36, 22}},
    {IDC_CHECK_ALL, {963, 107, 39, 19}},      {IDC_TYPE_ALL, {695, 78, 81, 29}},
    {IDC_TYPE_NORMAL, {776, 78, 81, 29}},     {IDC_TYPE_EVENT, {857, 78, 81, 29}},
    {IDC_TYPE_MOTION, {938, 78, 82, 29}},     {IDC_REWIND, {450, 475, 36, 28}},
    {IDC_FORWARD, {486, 475, 37, 28}},        {IDC_PLAY, {535, 475, 37, 28}},
    {IDC_PREVIOUS, {584, 475, 36, 28}},       {IDC_NEXT, {620, 475, 37, 28}},
    {IDC_MAP_LARGER, {937, 639, 36, 22}},     {IDC_MAP_SHOW, {973, 639, 37, 22}},
    {IDC_SPEED_ICON, {450, 544, 22, 16}},     {IDC_MUTE, {450, 581, 22, 16}},
    {IDC_BRIGHTNESS_ICON, {450, 617, 22, 21}}, {IDC_POSITION_SLIDER, {30, 474, 391, 20}},
    {IDC_SPEED_SLIDER, {477, 544, 179, 15}},  {IDC_VOLUME_SLIDER, {477, 582, 179, 15}},
    {IDC_BRIGHTNESS_SLIDER, {477, 620, 179, 15}}, {IDC_ELAPSED_LABEL, {40, 494, 50, 13}},
    {IDC_DURATION_LABEL, {364, 494, 50, 13}}, {IDC_FILE_NAME_LABEL, {121, 57, 290, 15}},
};

}  // namespace

std::span<const ButtonSpec> MainButtons() { return kButtons; }
std::span<const SliderSpec> MainSliders() { return kSliders; }
std::span<const Placement> NormalLayout() { return kNormalLayout; }

QWidget* MainControls::Control(int id) const {
  if (QWidget* w = buttons.value(id)) return w;
  if (QWidget* w = sliders.value(id)) return w;
  return labels.value(id);
}
