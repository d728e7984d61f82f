#pragma once
// TObjectHolder: anything that keeps drawing objects of creators it does
// not own (documents, the draw box's local objects). An object reads its
// creator until it is freed, so a creator that goes away first tells every
// holder, from its own destructor, while it is still whole; no holder has
// to recognise a half-destroyed component.

namespace vl {

class TObjectTool;

/// Anything that keeps drawing objects of creators it does not own; told when such a creator goes away.
class TObjectHolder {
public:
    TObjectHolder(const TObjectHolder&) = delete;
    TObjectHolder& operator=(const TObjectHolder&) = delete;

    /// Frees (or forgets) every object of Tool, every object hanging on one
    /// of Tool's objects (its box objects included) and so on down the chains.
    virtual void ReleaseToolObjects(const TObjectTool& Tool) = 0;

    /// Every live holder hears ReleaseToolObjects.
    static void ToolGoing(const TObjectTool& Tool);

protected:
    TObjectHolder();
    ~TObjectHolder();
};

} // namespace vl
