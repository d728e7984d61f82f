#pragma once
// Root of every class that can be the sender of an event, and the plain
// notification event.

#include <functional>

namespace vl {

/// The root of every class that can send an event.
class TObject {
public:
    virtual ~TObject() = default;
};

/// Called only when assigned; Sender is the object that raised the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace vl
