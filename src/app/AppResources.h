#pragma once
// The program's resources as data: resource and command ids, the main menu,
// the accelerator table, the toolbar buttons and the status-bar indicators.
// CMainFrame turns these tables into Qt menus, shortcuts and bars; tests read
// them directly.
#include "platform/WinConstants.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

namespace res {

constexpr UINT IDR_MAINFRAME = 128;   // menu, accelerators, toolbar, icon, template string
constexpr UINT IDD_ABOUTBOX = 100;

// Commands of the program's own and framework commands not in WinConstants.h.
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_TEMPLATE_EXPORT = 0x8003;      // the blank menu-bar entry after "Help(&H)"
constexpr UINT ID_UNHANDLED_COMMAND = 0xFFFF;    // the last blank entry; no handler takes it
// The Edit and View menus' own commands (Find itself is the framework's).
constexpr UINT ID_EDIT_FIND = 0xE124;
constexpr UINT ID_FIND_NEXT = 0x8004;
constexpr UINT ID_FIND_PREVIOUS = 0x8005;
constexpr UINT ID_NEXT_FAILING_RECORD = 0x8006;
constexpr UINT ID_PREVIOUS_FAILING_RECORD = 0x8007;
constexpr UINT ID_VERDICT_OVERVIEW = 0x8008;
constexpr UINT ID_EDIT_UNDO = 0xE12B;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;
constexpr UINT ID_INDICATOR_EXT = 0xE700;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;

constexpr int GRID_CONTROL_ID = 1000;

// The fixed title of the main window.
inline constexpr const char* kFrameTitle = "Orvik Application System";
// Organisation and application under which QSettings keeps the settings.
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Orvik50";
// Document template string (string 128): fields separated by newlines.
inline constexpr const char* kDocTemplateString =
    "Orvik50\n\nOrvik50\n\n\nOrvik50.Document\nOrvik50 Document";
inline constexpr int kRecentFileCount = 4;

// One entry of a drop-down menu; a separator has id ID_SEPARATOR and no text.
struct MenuEntry {
    std::string text;
    UINT id = ID_SEPARATOR;
    bool IsSeparator() const { return id == ID_SEPARATOR; }
};

// A top-level item of the menu bar: either a drop-down (entries) or a
// command item (command != 0, no entries).
struct TopLevelItem {
    std::string text;
    std::vector<MenuEntry> entries;
    UINT command = 0;
    bool IsCommand() const { return command != 0; }
};

// Menu 128, in order.
const std::vector<TopLevelItem>& MainMenu();
// The Edit and View menus, which the menu bar shows after File.
const std::vector<TopLevelItem>& FindAndViewMenus();
// What the menu bar shows: menu 128 with the Edit and View menus after File.
std::vector<TopLevelItem> MenuBarItems();

// Accelerator flags as the resource compiler stores them.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

constexpr WORD VK_F3 = 0x72;
constexpr WORD VK_F6 = 0x75;
constexpr WORD VK_F8 = 0x77;

struct Accelerator {
    BYTE flags = 0;   // FVIRTKEY | FNOINVERT | modifiers
    WORD key = 0;     // virtual-key code
    UINT command = 0;
};

// Accelerator table 128, in order.
const std::vector<Accelerator>& AcceleratorTable();
// The keys of the Edit and View menus, and Ctrl+P, which File > Print shows
// but table 128 lacks.
const std::vector<Accelerator>& AddedAccelerators();

// Toolbar 128: command ids in order, ID_SEPARATOR for a separator.
const std::vector<UINT>& ToolbarButtons();
constexpr int kToolbarImageWidth = 16;
constexpr int kToolbarImageHeight = 15;

// Status-bar indicators in order; ID_SEPARATOR is the message pane.
const std::vector<UINT>& StatusIndicators();

} // namespace res
