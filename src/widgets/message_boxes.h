#pragma once

#include <string>
#include <vector>

class QWidget;

namespace telvanor {

// Every message the windows show goes through this interface, so that tests record the
// messages instead of blocking on a modal box.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A plain message box with an OK button.
    virtual void plain(const std::string& text) = 0;
    // An error box with a single OK button; also the program's default error handler.
    virtual void error(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    // An error box whose top-left corner is at a given screen position; boxes that cannot be
    // placed show it as any error.
    virtual void errorAt(const std::string& text, int /*x*/, int /*y*/) { error(text); }
    // A question with the buttons of these captions, in this order. `defaultButton` is
    // pressed by Return and is also the answer of Escape and of the close box. Gives the
    // caption of the button pressed.
    virtual std::string ask(const std::string& text, const std::vector<std::string>& buttons,
                            const std::string& defaultButton) = 0;
    // A question with Yes and No, No the default; true when the user answers Yes.
    virtual bool confirm(const std::string& text) = 0;
};

// The real boxes: modal, over the active window.
class QtMessageBoxes : public MessageBoxes {
public:
    void plain(const std::string& text) override;
    void error(const std::string& text) override;
    void information(const std::string& text) override;
    void errorAt(const std::string& text, int x, int y) override;
    std::string ask(const std::string& text, const std::vector<std::string>& buttons,
                    const std::string& defaultButton) override;
    bool confirm(const std::string& text) override;
};

}  // namespace telvanor
