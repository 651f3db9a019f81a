// Helpers for window tests: captured messages, scripted dialog answers, temporary folders.
#pragma once

#include "platform/Messages.h"
#include "platform/OpenDialog.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Captures every message while alive.
class MessageCapture {
public:
    MessageCapture()
        : previous_(platform::setMessageSink(
              [this](const platform::Message& m) { messages.push_back(m); })) {}
    ~MessageCapture() { platform::setMessageSink(std::move(previous_)); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    QStringList errors() const {
        QStringList out;
        for (const auto& m : messages)
            if (m.kind == platform::MessageKind::Error)
                out << m.text;
        return out;
    }
    std::vector<platform::Message> messages;

private:
    platform::MessageSink previous_;
};

// Answers file dialogs from a queue (an empty optional cancels) while alive.
class DialogScript {
public:
    DialogScript() {
        previous_ = platform::setDialogResponder([this](const platform::OpenDialog& d) {
            asked.push_back(d.objectName());
            std::optional<QString> answer;
            if (!answers.empty()) {
                answer.swap(answers.front());
                answers.pop_front();
            }
            return answer;
        });
    }
    ~DialogScript() { platform::setDialogResponder(std::move(previous_)); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void choose(const QString& path) { answers.push_back(path); }
    void cancel() { answers.push_back(std::nullopt); }

    std::deque<std::optional<QString>> answers;
    QStringList asked;

private:
    platform::DialogResponder previous_;
};

// A temporary folder that is the current folder while alive.
class WorkFolder {
public:
    WorkFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~WorkFolder() { QDir::setCurrent(previous_); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString write(const QString& name, const std::string& bytes) const {
        QString p = path(name);
        std::ofstream(p.toStdString(), std::ios::binary) << bytes;
        return p;
    }

private:
    QTemporaryDir dir_;
    QString previous_;
};

} // namespace testsupport
