#include "app/StringTable.h"

#include "app/AppResources.h"

#include <unordered_map>

namespace res {
namespace {

const std::unordered_map<UINT, std::string>& Table()
{
    static const std::unordered_map<UINT, std::string> table = [] {
        std::unordered_map<UINT, std::string> t{
            {IDR_MAINFRAME, kDocTemplateString},
            {AFX_IDS_APP_TITLE, "Orvik50"},
            {AFX_IDS_IDLEMESSAGE, "Ready"},
            {0xE100, "建立新文档\n新建"},
            {0xE101, "Opens an existing document\nOpen"},
            {0xE102, "关闭活动文档\n关闭"},
            {0xE103, "Saves the document\nSave"},
            {0xE104, "将活动文档以一个新文件名保存\n另存为"},
            {0xE105, "Change Page Setup\nPage Setup"},
            {0xE106, "Change Printing Option\nPint setup"},
            {0xE107, "Prints all or part of the document\nPrint"},
            {0xE109, "Print Preview\nPrint Preview"},
            {0xE120, "删除被选对象\n删除"},
            {0xE121, "全部删除\n全部删除"},
            {0xE122, "复制被选对象并将其置于剪贴板上\n复制"},
            {0xE123, "剪切被选对象并将其置于剪贴板上\n剪切"},
            {0xE124, "查找指定的正文\n查找"},
            {0xE125, "插入剪贴板内容\n粘贴"},
            {0xE128, "重复上一步操作\n重复"},
            {0xE129, "用不同的正文替换指定的正文\n替换"},
            {0xE12A, "选择整个文档\n选择全部"},
            {0xE12B, "撤消最后一步操作\n撤消"},
            {0xE12C, "重新执行先前已撤消的操作\n重新执行"},
            {0xE135, "将活动的窗口分隔成窗格\n分隔"},
            {0xE140, "Show the program info,version and copyrights\nAbout"},
            {0xE141, "Quits the application\nExit"},
            {0xE150, "切换到下一个窗格\n下一窗格"},
            {0xE151, "切换回前一个窗格\n前一窗格"},
            {0xE700, "EXT"},
            {0xE701, "CAPS"},
            {0xE702, "NUM"},
            {0xE703, "SCRL"},
            {0xE704, "OVR"},
            {0xE705, "REC"},
            {0xE800, "显示或隐藏工具栏\n显隐工具栏"},
            {0xE801, "显示或隐藏状态栏\n显隐状态栏"},
            {0xEF00, "改变窗口大小"},
            {0xEF01, "改变窗口位置"},
            {0xEF02, "将窗口缩小成图标"},
            {0xEF03, "把窗口放大到最大尺寸"},
            {0xEF04, "切换到下一个文档窗口"},
            {0xEF05, "切换到先前的文档窗口"},
            {0xEF06, "关闭活动的窗口并提示保存所有文档"},
            {0xEF12, "把窗口恢复到正常大小"},
            {0xEF13, "激活任务表"},
            {0xF005, "关闭打印预览模式\n取消预阅"},
            // The blank menu-bar entry has no caption, so its prompt is the
            // only thing that tells the user what it does.
            {ID_TEMPLATE_EXPORT,
             "Writes the column headings into a new workbook made from the template Book11"},
            {ID_FIND_NEXT, "Finds the next cell with the text sought\nFind Next"},
            {ID_FIND_PREVIOUS, "Finds the previous cell with the text sought\nFind Previous"},
            {ID_NEXT_FAILING_RECORD, "Moves to the next record with a wrng or fail verdict\nNext Failing Record"},
            {ID_PREVIOUS_FAILING_RECORD,
             "Moves to the previous record with a wrng or fail verdict\nPrevious Failing Record"},
            {ID_VERDICT_OVERVIEW, "Counts the verdicts and power readings of the file as opened\nVerdict Overview"},
        };
        for (UINT id = 0xE110; id <= 0xE11F; ++id)
            t.emplace(id, "打开该文档");
        return t;
    }();
    return table;
}

} // namespace

std::string LoadString(UINT id)
{
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
}

std::string PromptText(UINT id)
{
    const std::string text = LoadString(id);
    return text.substr(0, text.find('\n'));
}

std::string TooltipText(UINT id)
{
    const std::string text = LoadString(id);
    const auto newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

} // namespace res
