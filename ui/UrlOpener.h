#pragma once

#include <QUrl>

namespace tess {

// Hands an address to whatever shows web pages; returns at once, without waiting for it.
class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    virtual void openUrl(const QUrl& url) = 0;
};

// The desktop's default web browser. A failure to start it is not reported.
class DesktopUrlOpener : public IUrlOpener {
public:
    void openUrl(const QUrl& url) override;
};

}  // namespace tess
