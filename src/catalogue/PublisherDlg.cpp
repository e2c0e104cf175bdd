#include "catalogue/PublisherDlg.h"

namespace {
const ReferenceWindowTexts kTexts{
    QStringLiteral("CPublisherDlg"), QStringLiteral("出版社信息"), QStringLiteral("ISBN码:"), QStringLiteral("出版社名:"),
    QStringLiteral("ISBN,80;出版社名,120"), QStringLiteral("请输入数据!\n"), QStringLiteral("出版社名!\n"),
    QStringLiteral("操作失败!"), QStringLiteral("数据添加成功！"), QStringLiteral("请选定数据!\n")};
}

CPublisherDlg::CPublisherDlg(QWidget* parent) : CReferenceTableDlg(publisherTable(), kTexts, parent) {}
