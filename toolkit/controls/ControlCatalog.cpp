#include "controls/ControlCatalog.h"

#include <cwchar>
#include <iterator>

namespace Lumo::Catalog {

namespace {

// Comparison order. The columns say whether the paint manager's factory and
// the container's factory create the class.
const Row kRows[] = {
    {L"CArea", Args::VisibleOne, true, true},
    {L"MText", Args::TextVisible, true, true},
    {L"MPicture", Args::VisibleEnabled, true, true},
    {L"CPhotoFrame", Args::VisibleEnabled, true, true},
    {L"CSliderPicture", Args::VisibleEnabled, true, true},
    {L"CGifPicture", Args::VisibleEnabled, true, true},
    {L"MProgress", Args::VisibleEnabled, true, true},
    {L"MSlider", Args::VisibleEnabled, true, true},
    {L"MLevelCtrl", Args::VisibleEnabled, true, true},
    {L"MButton", Args::TextVisibleEnabled, true, true},
    {L"CImageButton", Args::TextVisibleEnabled, true, true},
    {L"CTextButton", Args::TextVisibleEnabled, true, true},
    {L"CCheckButton", Args::TextVisibleEnabled, true, true},
    {L"CRadioButton", Args::TextVisibleEnabled, true, true},
    {L"CColorButton", Args::VisibleEnabled, true, true},
    {L"MSpinButton", Args::VisibleEnabled, true, true},
    {L"CSpinButton", Args::VisibleEnabled, true, true},
    {L"CSwitchButton", Args::VisibleEnabled, true, true},
    {L"CIconButton", Args::TextVisibleEnabled, true, true},
    {L"CTimerButton", Args::TextVisibleEnabled, true, true},
    {L"CHelpButton", Args::TextVisibleEnabled, true, true},
    {L"MEdit", Args::TextVisibleEnabled, true, true},
    {L"MRichEdit", Args::TextVisibleEnabled, true, true},
    {L"MEditEx", Args::TextVisibleEnabled, true, true},
    {L"MComboBox", Args::VisibleEnabled, true, true},
    {L"MTabCtrl", Args::VisibleEnabled, true, true},
    {L"MTabLayout", Args::Visible, true, true},
    {L"MListBox", Args::Visible, true, true},
    {L"MPalette", Args::Visible, true, true},
    {L"CColorPalette", Args::Visible, true, true},
    {L"CColorSelect", Args::Visible, true, true},
    {L"CirclePalette", Args::VisibleOne, true, true},
    {L"CComboBoxList", Args::VisibleOne, true, false},
    {L"MenuItem", Args::TextVisibleOne, true, true},
    {L"KeyboardCtrl", Args::Visible, true, true},
    {L"KeyFuncControl", Args::Visible, false, true},
    {L"DListBox", Args::Visible, false, true},
    {L"CRecordList", Args::Visible, false, true},
    {L"CDeviceCtrl", Args::VisibleOne, true, true},
    {L"UpgradeButton", Args::TextVisibleOne, false, true},
    {L"DownloadButton", Args::TextVisibleOne, false, true},
    {L"DPIControl", Args::Visible, false, true},
    {L"MouseKeyCtrl", Args::Visible, false, true},
    {L"MouseCtrl", Args::Visible, false, true},
    {L"MouseLight", Args::Visible, false, true},
    {L"CFanDevCtrl", Args::VisibleOne, true, true},
    {L"MButton2", Args::TextVisibleOne, true, true},
    {L"CImageButton2", Args::TextVisibleOne, true, true},
    {L"CTabCtrl2", Args::VisibleOne, true, true},
    {L"CTabCtrlEx", Args::VisibleOne, true, true},
    {L"ArchivedCtrl", Args::VisibleOne, false, true},
    {L"LightCtrl", Args::VisibleOne, false, true},
    {L"DevChannelCtrl", Args::VisibleOne, false, true},
    {L"ThemeColor", Args::VisibleOne, false, true},
    {L"MButton3", Args::TextOneOne, false, true},
    {L"CColorButton2", Args::VisibleOne, false, true},
    {L"MPaletteBar", Args::Visible, false, true},
    {L"RGBColorEdit", Args::TextVisibleOne, false, true},
    {L"HexColorEdit", Args::TextVisibleOne, false, true},
    {L"CHomeFuncCtrl", Args::VisibleOne, true, true},
    {L"CTabCtrl5", Args::VisibleOne, true, true},
    {L"CColorButton3", Args::VisibleOne, false, true},
    {L"LightLayer", Args::VisibleOne, false, true},
    {L"DevSelectCtrl", Args::VisibleOne, false, true},
    {L"FanCountCtrl", Args::VisibleOne, false, true},
    {L"LEDModeList", Args::VisibleOne, false, true},
    {L"TabCtrl6", Args::VisibleOne, false, true},
    {L"ClockCtrl", Args::VisibleOne, false, true},
    {L"UsageRateCtrl", Args::VisibleOne, false, true},
    {L"MSlider2", Args::VisibleOne, false, true},
    {L"CaptureCtrl", Args::VisibleOne, false, true},
    {L"ClockTypeCtrl", Args::VisibleOne, false, true},
    {L"CHardwareInfoBkg", Args::VisibleOne, false, true},
    {L"CHardwareInfo", Args::VisibleOne, false, true},
    {L"SysInfoCtrl", Args::VisibleOne, false, true},
    {L"LEDModeCtrl", Args::VisibleOne, false, true},
    {L"LEDImageCtrl", Args::VisibleOne, false, true},
    {L"CRadioButton2", Args::TextVisibleOne, false, true},
    {L"SysInfo2Ctrl", Args::VisibleOne, false, true},
};

} // namespace

const Row* Rows() { return kRows; }
size_t RowCount() { return std::size(kRows); }

const Row* Find(const wchar_t* name, Factory factory)
{
    if (name == nullptr || *name == L'\0')
        return nullptr;
    for (const Row& row : kRows) {
        if (std::wcscmp(row.name, name) != 0)
            continue;
        const bool accepted = factory == Factory::PaintManager ? row.paintManager : row.panel;
        return accepted ? &row : nullptr;
    }
    return nullptr;
}

Resolved Resolve(Args args, int int1, int int2)
{
    Resolved resolved;
    switch (args) {
    case Args::Visible:
        resolved.visible = int1;
        break;
    case Args::VisibleEnabled:
        resolved = Resolved{false, int1, true, int2};
        break;
    case Args::VisibleOne:
        resolved = Resolved{false, int1, true, 1};
        break;
    case Args::TextVisible:
        resolved = Resolved{true, int1, false, 0};
        break;
    case Args::TextVisibleEnabled:
        resolved = Resolved{true, int1, true, int2};
        break;
    case Args::TextVisibleOne:
        resolved = Resolved{true, int1, true, 1};
        break;
    case Args::TextOneOne:
        resolved = Resolved{true, 1, true, 1};
        break;
    }
    return resolved;
}

} // namespace Lumo::Catalog
