#include "app/MainMenu.h"

#include <map>
#include <set>

namespace MainMenu {

const std::vector<Popup>& popups()
{
    static const std::vector<Popup> menu = {
        {QStringLiteral("【系统设置】"),
         {{32791, QStringLiteral("管理员设置")}, {32793, QStringLiteral("系统信息")},
          {32794, QStringLiteral("初始化系统")}, {32795, QStringLiteral("退出系统")}}},
        {QStringLiteral("【卷澜】"),
         {{32823, QStringLiteral("导出图书模板")}, {32798, QStringLiteral("导入图书资料")},
          {32852, QStringLiteral("导入MARC码")}, {0, {}},
          {32796, QStringLiteral("添加图书信息")}, {32827, QStringLiteral("注销图书信息")}, {0, {}},
          {32859, QStringLiteral("导出期刊模板")}, {32860, QStringLiteral("导入期刊信息")},
          {32840, QStringLiteral("添加期刊信息")}, {32841, QStringLiteral("注销期刊信息")}, {0, {}},
          {32799, QStringLiteral("图书类型设置")}, {32800, QStringLiteral("出版社设置")},
          {32822, QStringLiteral("书架设置")}}},
        {QStringLiteral("【借阅管理】"),
         {{32801, QStringLiteral("图书借还")}, {0, {}},
          {32804, QStringLiteral("图书挂失")}, {32881, QStringLiteral("图书解挂")}, {0, {}},
          {32839, QStringLiteral("期刊借还")}, {32873, QStringLiteral("期刊挂失")},
          {32882, QStringLiteral("期刊解挂")}}},
        {QStringLiteral("【读者信息】"),
         {{32805, QStringLiteral("读者信息管理")}, {32826, QStringLiteral("注销读者信息")}, {0, {}},
          {32836, QStringLiteral("导出读者模板")}, {32835, QStringLiteral("导入读者信息")}, {0, {}},
          {32807, QStringLiteral("读者类型设置")}, {32821, QStringLiteral("读者部门设置")}}},
        {QStringLiteral("【系统查询】"),
         {{32808, QStringLiteral("图书信息查询")}, {32820, QStringLiteral("图书借阅查询")}, {0, {}},
          {32842, QStringLiteral("期刊信息查询")}, {0, {}},
          {32812, QStringLiteral("读者档案查询")}}},
        {QStringLiteral("【系统维护】"),
         {{32813, QStringLiteral("系统备份")}, {32814, QStringLiteral("系统恢复")}, {0, {}},
          {32878, QStringLiteral("图书报失")}, {32875, QStringLiteral("图书剔旧")},
          {32876, QStringLiteral("图书报表")}, {0, {}},
          {32879, QStringLiteral("期刊报失")}, {32877, QStringLiteral("期刊剔旧")},
          {32880, QStringLiteral("期刊报表")}, {0, {}},
          {32871, QStringLiteral("导入借阅信息")}, {32886, QStringLiteral("导入借阅历史")},
          {32887, QStringLiteral("修复系统错误")}}},
        {QStringLiteral("【工　　具】"),
         {{32845, QStringLiteral("打印图书标签")}, {32855, QStringLiteral("打印图书条码")},
          {32856, QStringLiteral("打印自定义条码")}, {32846, QStringLiteral("打印借书证")},
          {32857, QStringLiteral("打印自定义借书证")}, {32847, QStringLiteral("系统计算器")}}},
        {QStringLiteral("【帮　　助】"),
         {{32815, QStringLiteral("使用说明")}, {32818, QStringLiteral("关　　于")}}},
    };
    return menu;
}

const std::vector<ToolButton>& toolButtons()
{
    static const std::vector<ToolButton> buttons = {
        {1001, QStringLiteral("操 作 员"), 188},
        {1002, QStringLiteral("添加图书"), 313},
        {1003, QStringLiteral("图书借阅"), 207},
        {1004, QStringLiteral("期刊借阅"), 315},
        {1005, QStringLiteral("读者管理"), 206},
        {1006, QStringLiteral("借阅查询"), 143},
        {1007, QStringLiteral("图书查询"), 242},
        {1008, QStringLiteral("退出系统"), 205},
    };
    return buttons;
}

int target(int id)
{
    static const std::map<int, int> aliases = {
        {1001, AdminSet}, {1002, BookAdd},    {1003, BookLend},       {1004, PeriodicalLend},
        {1005, ReaderAdd}, {1006, LendQuery}, {1007, BookQuery},      {1008, ExitSystem},
        {1014, AdminSet}, {32829, PeriodicalAdd}, {32831, PeriodicalLend},
    };
    const auto it = aliases.find(id);
    return it == aliases.end() ? id : it->second;
}

bool isEmptyCommand(int id) { return id == 32830 || id == 32864; }

std::vector<int> allCommands()
{
    std::set<int> ids;
    for (const Popup& p : popups())
        for (const Entry& e : p.entries)
            if (e.id != 0)
                ids.insert(e.id);
    for (const ToolButton& b : toolButtons())
        ids.insert(b.id);
    for (int id : {1014, 32824, 32825, 32829, 32831, 32848, 32849, 32850, 32851, 32883, 32884, 32885, 32830, 32864})
        ids.insert(id);
    return {ids.begin(), ids.end()};
}

}
