#include "widgets/edit_guard.h"

#include <optional>

#include "project/xml_document.h"
#include "widgets/message_boxes.h"

namespace telvanor {

namespace {

constexpr const char* kOverwriteAnswer = "Overwrite";
constexpr const char* kDiscardAnswer = "Discard";

}  // namespace

void EditGuard::beginShow(const std::filesystem::path& file) {
    file_ = file;
    stamp_ = stampFile(file);
    loss_ = {};
}

bool EditGuard::confirmSave(const std::vector<std::string>& moreLost) {
    if (std::optional<std::string> refusal = replaceRefusal(file_, kMaxXmlFileBytes)) {
        messages_.error(*refusal);
        return false;
    }
    std::vector<std::string> lost = moreLost;
    if (loss_.any()) lost.push_back(lossQuestion(loss_));
    if (!lost.empty() && messages_.ask(joinParagraphs(lost), {kSaveAnswer, kBackAnswer}, kBackAnswer) != kSaveAnswer)
        return false;
    if (stampFile(file_) != stamp_) {
        std::string question = fileName() +
                               " has changed on disk since this window read it (another program, or another copy "
                               "of Firmware Telvanor, saved it).\n\nOverwrite it with what the window holds (the "
                               "other version is kept in backup/), or go back?";
        if (messages_.ask(question, {kOverwriteAnswer, kBackAnswer}, kBackAnswer) != kOverwriteAnswer) return false;
    }
    return true;
}

bool EditGuard::confirmDiscard() {
    return messages_.ask("Discard your changes to " + fileName() + "?", {kDiscardAnswer, kBackAnswer}, kBackAnswer) ==
           kDiscardAnswer;
}

}  // namespace telvanor
