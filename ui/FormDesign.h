#pragma once

#include <map>
#include <vector>

#include <QString>

#include "runtime/PropertyStore.h"

namespace tess {

class iFrame;

// The stored design of the frames on a window: one property store per frame instance, keyed by
// the instance's object name. attach() loads the frames from it; a frame that reports a changed
// property marks the design as changed until store() writes the frames back. The design refers to
// the frames without owning them; both belong to one window and live as long as it.
class FormDesign {
public:
    explicit FormDesign(std::map<QString, PropertyStore> stored = {});

    void attach(const std::vector<iFrame*>& frames);
    void store();

    // The stored design of one instance; an instance never stored has an empty one.
    const PropertyStore& instance(const QString& name) const;
    bool changed() const { return changed_; }

private:
    std::map<QString, PropertyStore> instances_;
    std::vector<iFrame*> frames_;
    bool changed_ = false;
};

}  // namespace tess
