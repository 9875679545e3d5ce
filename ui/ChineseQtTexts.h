#pragma once

class QCoreApplication;

namespace tess {

// Gives Qt's own texts (the OK button of a message box, the box editors' menus) in Simplified
// Chinese, to match the window. Does nothing when Qt's translations are not installed.
void InstallChineseQtTexts(QCoreApplication& app);

}  // namespace tess
