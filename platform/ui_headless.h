// Scripting functions of the headless UI backend, for tests only.
//
// Scripted events are what the user does while the program waits without a
// time limit: ui::WaitEvent() takes them in order, and gives WindowClosed for
// window 0 once the script is used up, so a scripted run always ends.
// ui::WaitEvent(ms) takes only events queued with QueuePendingEvent (what
// arrived while an entry was processed), and otherwise returns None.
#pragma once

#include <functional>
#include <string>

#include "platform/ui.h"

namespace ui::headless {

// Forgets every window, control, queued event, chooser answer and clipboard text.
void Reset();

void QueueEvent(const Event& event);
void QueueActivation(int control);
void QueueClose(int window);
void QueuePendingEvent(const Event& event);
int QueuedEventCount();

// The answer the next folder chooser gives ("" cancels).
void SetChooserAnswer(const std::string& path);
std::string LastChooserTitle();
std::string LastChooserStart();
int ChooserCallCount();

// What the user would type: replaces a field's or editor's text.
void TypeText(int control, const std::string& text);

// Makes the clipboard refuse writes (a clipboard that cannot be opened).
void SetClipboardAvailable(bool available);

int WindowOwner(int window);

// Runs `hook` each time ui::WaitEvent() is entered, before it takes an event:
// a test looks at the program's windows while one of its loops waits.
void SetWaitHook(std::function<void()> hook);

}  // namespace ui::headless
