#include "ui/UrlOpener.h"

#include <QDesktopServices>

namespace tess {

void DesktopUrlOpener::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace tess
