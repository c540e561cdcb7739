#pragma once

#include <deque>
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

    struct Question {
        std::string text;
        std::vector<std::string> buttons;
        std::string defaultButton;
    };
    // Answers the next question from `answers`, in order; once they run out, with the default
    // button, as Return or Escape would.
    std::string ask(const std::string& text, const std::vector<std::string>& buttons,
                    const std::string& defaultButton) override {
        questions.push_back({text, buttons, defaultButton});
        if (answers.empty()) return defaultButton;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Message& message : messages) all.push_back(message.text);
        return all;
    }

    std::vector<Message> messages;
    std::vector<Question> questions;
    std::deque<std::string> answers;
    bool confirmAnswer = false;
};

}  // namespace telvanor::testing
