// Messages for the user ("Unable to Load Targets", parse errors of records).
// Any thread may raise one; the sink decides how it reaches the user: the
// window queues it to its UI thread, headless tools print to standard error.
#pragma once

#include <functional>
#include <string>

using UserMessageSink = std::function<void(const std::string& text)>;

// Any thread. Hands text to the installed sink (standard error when none).
void showUserMessage(const std::string& text);

// Installs the sink; an empty one restores standard error. The sink may be
// called on any thread and must not block on the UI thread.
void setUserMessageSink(UserMessageSink sink);
