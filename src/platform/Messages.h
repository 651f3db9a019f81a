// Error boxes and message boxes, and the sink that takes their place in automated runs.
#pragma once

#include <QString>

#include <functional>

namespace platform {

enum class MessageKind { Error, Box };

struct Message {
    MessageKind kind = MessageKind::Error;
    QString text;
    QString caption;
};

// While a sink is set, messages go to it and nothing modal is shown; an empty function restores
// the real boxes. Returns the sink it replaces.
using MessageSink = std::function<void(const Message&)>;
MessageSink setMessageSink(MessageSink sink);

// An error box (error icon, OK button).
void showError(const QString& text);
// A message box with a caption; `withCancel` adds a Cancel button (the answer is not used).
void showMessage(const QString& text, const QString& caption, bool withCancel = false);

} // namespace platform
