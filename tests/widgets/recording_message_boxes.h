#pragma once

#include <string>
#include <vector>

#include "widgets/message_boxes.h"

namespace telvanor::testing {

// Records every message instead of showing a modal box.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Message {
        std::string kind;
        std::string text;
    };

    void plain(const std::string& text) override { messages.push_back({"plain", text}); }
    void error(const std::string& text) override { messages.push_back({"error", text}); }
    void information(const std::string& text) override { messages.push_back({"information", text}); }
    // Answers with `confirmAnswer`.
    bool confirm(const std::string& text) override {
        messages.push_back({"confirm", text});
        return confirmAnswer;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Message& message : messages) all.push_back(message.text);
        return all;
    }

    std::vector<Message> messages;
    bool confirmAnswer = false;
};

}  // namespace telvanor::testing
