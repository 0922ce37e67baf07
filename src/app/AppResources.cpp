#include "app/AppResources.h"

namespace res {

const std::vector<TopLevelItem>& MainMenu()
{
    static const std::vector<TopLevelItem> menu{
        {"File(&F)",
         {{"Open(&O)...\tCtrl+O", ID_FILE_OPEN},
          {"Save(&S)\tCtrl+S", ID_FILE_SAVE},
          {"", ID_SEPARATOR},
          {"Print(&P)...\tCtrl+P", ID_FILE_PRINT},
          {"Print Preview(&W)\tCtrl+W", ID_FILE_PRINT_PREVIEW},
          {"", ID_SEPARATOR},
          {"Exit", ID_APP_EXIT}},
         0},
        {"Help(&H)", {{"About Orvik Application System(&A)...", ID_APP_ABOUT}}, 0},
        {"", {}, ID_TEMPLATE_EXPORT},
        {"", {}, ID_UNHANDLED_COMMAND},
    };
    return menu;
}

const std::vector<TopLevelItem>& FindAndViewMenus()
{
    static const std::vector<TopLevelItem> menus{
        {"Edit(&E)",
         {{"Cut(&T)\tCtrl+X", ID_EDIT_CUT},
          {"Copy(&C)\tCtrl+C", ID_EDIT_COPY},
          {"Paste(&P)\tCtrl+V", ID_EDIT_PASTE},
          {"Select All(&A)\tCtrl+A", ID_EDIT_SELECT_ALL},
          {"", ID_SEPARATOR},
          {"Find...\tCtrl+F", ID_EDIT_FIND},
          {"Find Next\tF3", ID_FIND_NEXT},
          {"Find Previous\tShift+F3", ID_FIND_PREVIOUS},
          {"Next Failing Record\tF8", ID_NEXT_FAILING_RECORD},
          {"Previous Failing Record\tShift+F8", ID_PREVIOUS_FAILING_RECORD}},
         0},
        {"View(&V)", {{"Verdict Overview...\tCtrl+Shift+O", ID_VERDICT_OVERVIEW}}, 0},
    };
    return menus;
}

std::vector<TopLevelItem> MenuBarItems()
{
    std::vector<TopLevelItem> items = MainMenu();
    const auto& added = FindAndViewMenus();
    items.insert(items.begin() + 1, added.begin(), added.end());
    return items;
}

const std::vector<Accelerator>& AcceleratorTable()
{
    constexpr BYTE plain = FVIRTKEY | FNOINVERT;
    static const std::vector<Accelerator> table{
        {plain | FCONTROL, 'C', ID_EDIT_COPY},
        {plain | FCONTROL, 'N', ID_FILE_NEW},
        {plain | FCONTROL, 'O', ID_FILE_OPEN},
        {plain | FCONTROL, 'S', ID_FILE_SAVE},
        {plain | FCONTROL, 'V', ID_EDIT_PASTE},
        {plain | FALT, VK_BACK, ID_EDIT_UNDO},
        {plain | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {plain, VK_F6, ID_NEXT_PANE},
        {plain | FSHIFT, VK_F6, ID_PREV_PANE},
        {plain | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {plain | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {plain | FCONTROL, 'W', ID_FILE_PRINT_PREVIEW},
        {plain | FCONTROL, 'X', ID_EDIT_CUT},
        {plain | FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    return table;
}

const std::vector<Accelerator>& AddedAccelerators()
{
    constexpr BYTE plain = FVIRTKEY | FNOINVERT;
    static const std::vector<Accelerator> table{
        {plain | FCONTROL, 'P', ID_FILE_PRINT},
        {plain | FCONTROL, 'F', ID_EDIT_FIND},
        {plain, VK_F3, ID_FIND_NEXT},
        {plain | FSHIFT, VK_F3, ID_FIND_PREVIOUS},
        {plain, VK_F8, ID_NEXT_FAILING_RECORD},
        {plain | FSHIFT, VK_F8, ID_PREVIOUS_FAILING_RECORD},
        {plain | FCONTROL | FSHIFT, 'O', ID_VERDICT_OVERVIEW},
    };
    return table;
}

const std::vector<UINT>& ToolbarButtons()
{
    static const std::vector<UINT> buttons{ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
                                           ID_FILE_PRINT, ID_SEPARATOR, ID_APP_ABOUT};
    return buttons;
}

const std::vector<UINT>& StatusIndicators()
{
    static const std::vector<UINT> indicators{ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                              ID_INDICATOR_SCRL};
    return indicators;
}

} // namespace res
