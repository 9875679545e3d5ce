#include "ui/FormDesign.h"

#include "ui/iFrame.h"

namespace tess {

FormDesign::FormDesign(std::map<QString, PropertyStore> stored) : instances_(std::move(stored)) {}

void FormDesign::attach(const std::vector<iFrame*>& frames)
{
    for (iFrame* frame : frames) {
        frame->ReadProperties(instances_[frame->objectName()]);
        QObject::connect(frame, &iFrame::propertyChanged, frame, [this] { changed_ = true; });
        frames_.push_back(frame);
    }
}

void FormDesign::store()
{
    for (const iFrame* frame : frames_)
        frame->WriteProperties(instances_[frame->objectName()]);
    changed_ = false;
}

const PropertyStore& FormDesign::instance(const QString& name) const
{
    static const PropertyStore kNeverStored;
    const auto found = instances_.find(name);
    return found == instances_.end() ? kNeverStored : found->second;
}

}  // namespace tess
