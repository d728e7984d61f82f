#pragma once
// The sample drawing the editor opens with: a small workshop hall.

namespace sketch {

class TSketchForm;

// Adds the sample's objects to the form's document through its creators.
void AddSamplePlan(TSketchForm& form);

} // namespace sketch
