#include "ui/ChineseQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tess {

void InstallChineseQtTexts(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    else
        delete translator;
}

}  // namespace tess
