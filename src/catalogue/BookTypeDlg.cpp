#include "catalogue/BookTypeDlg.h"

namespace {
const ReferenceWindowTexts kTexts{
    QStringLiteral("CBookTypeDlg"), QStringLiteral("图书类型设置"), QStringLiteral("分类代码"), QStringLiteral("类型名称"),
    QStringLiteral("分类代码,60;类型名称,120"), QStringLiteral("请输入分类代码!\n"), QStringLiteral("请输入类型名称!\n"),
    QStringLiteral("操作失败"), QStringLiteral("数据添加成功！"), QStringLiteral("请选定数据!\n")};
}

CBookTypeDlg::CBookTypeDlg(QWidget* parent) : CReferenceTableDlg(bookTypeTable(), kTexts, parent) {}
