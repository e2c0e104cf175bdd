#pragma once

#include <QString>

// Layouts and cards name the Chinese Windows faces 宋体, 黑体 and 隶书; these map them to
// the free fonts installed here. Called once at start-up (and by the tests).
void setUpFonts();
// The Windows face a layout file stores for a family chosen here ("AR PL UMing CN" is 宋体),
// so files stay readable by other installations; other families are stored as they are.
QString windowsFaceName(const QString& family);
