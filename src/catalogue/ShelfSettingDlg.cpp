#include "catalogue/ShelfSettingDlg.h"

namespace {
const ReferenceWindowTexts kTexts{
    QStringLiteral("CShelfSettingDlg"), QStringLiteral("书架设置"), QStringLiteral("位置名称"), QStringLiteral("备　　注"),
    QStringLiteral("存放位置名,120;备注,150"), QStringLiteral("请输入存放位置名!\n"), QStringLiteral(""),
    QStringLiteral("操作失败!"), QStringLiteral(""), QStringLiteral("请选定记录!\n")};
}

CShelfSettingDlg::CShelfSettingDlg(QWidget* parent) : CReferenceTableDlg(shelfTable(), kTexts, parent) {}
