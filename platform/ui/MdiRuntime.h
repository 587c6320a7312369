#pragma once

// What the forms runtime (Form.cpp) tells the MDI support (MdiFrame.cpp). Internal to platform/ui.
namespace ui {

class Form;

namespace mdi {

// A form is about to run Form_Load / has run it; children go into the frame here.
void formLoading(Form& form);
void formLoaded(Form& form);
// Form_Load failed: the form is not loaded and stays its caller's.
void formLoadFailed(Form& form);
// A form was unloaded and is about to be taken off the screen.
void formUnloaded(Form& form);
// A form is about to be shown modally; true when that deactivates the frame, which then has to
// be told when the modal showing ends (the form itself may be gone by then).
bool modalShowing(Form& form);
void modalClosed();
// Brings an MDI child to the front of its frame as the active child; false for other forms.
bool bringChildToFront(Form& form);

} // namespace mdi

// Whether an unload of the form is under way (its hooks or those of forms inside it are running).
bool isUnloading(const Form& form);

} // namespace ui
