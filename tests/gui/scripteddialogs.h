#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/window/userdialogs.h"

namespace varnok {

// A dialog service for the window tests: records every box it is asked to show and answers
// input boxes and open dialogs from scripted queues. An empty queue answers Cancel.
class ScriptedDialogs final : public UserDialogs {
public:
    enum class Kind {
        Error,
        Information,
        FileError,
        ApplicationError,
        About,
        InputBox,
        OpenFile,
        ConfirmReplace
    };

    struct Call {
        Kind What;
        std::string Caption;
        std::string Text;       // message text, input box prompt, open dialog file name
        std::string Value;      // input box text, open dialog folder
        bool MainWindowVisible; // whether the main window was on screen at that moment
    };

    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowFileError(const std::string& text, const std::string& caption) override;
    void ShowApplicationError(const std::string& text) override;
    void ShowAbout(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> InputBox(const std::string& caption,
                                                      const std::string& prompt,
                                                      const std::string& text) override;
    [[nodiscard]] std::optional<std::string> OpenIndexFile(const std::string& initialFolder,
                                                           const std::string& fileName) override;
    [[nodiscard]] bool ConfirmReplace(const std::string& question) override;
    [[nodiscard]] std::optional<std::string> SaveFile(const SaveFileRequest& request) override;
    [[nodiscard]] std::optional<FontChoice> SelectFont(const FontChoice& initial) override;
    [[nodiscard]] std::optional<FindRequest> AskFindRequest() override;

    /** Answers of the next input boxes, in order; nothing means Cancel. */
    std::deque<std::optional<std::string>> InputAnswers;
    /** Answers of the next open dialogs, in order; nothing means Cancel. */
    std::deque<std::optional<std::string>> OpenAnswers;
    // Answers of the next save, font and find dialogs, and what each save and font dialog
    // was opened with.
    std::deque<std::optional<std::string>> SaveAnswers;
    /** Answers of the next questions before a file is replaced; an empty queue answers No. */
    std::deque<bool> ReplaceAnswers;
    /** The next this many application error boxes throw once they are recorded. */
    int ThrowingApplicationErrors = 0;
    std::deque<std::optional<FontChoice>> FontAnswers;
    std::deque<std::optional<FindRequest>> FindAnswers;
    std::vector<SaveFileRequest> SaveRequests;
    std::vector<FontChoice> FontRequests;
    /** The texts of the boxes with the program's title as caption. */
    std::vector<std::string> Messages;
    /** Runs while an open dialog is up, before it answers (to look at the folders then). */
    std::function<void(const std::string& initialFolder)> WhileOpenDialogUp;

    std::vector<Call> Calls;

    [[nodiscard]] std::vector<Call> CallsOf(Kind kind) const;
    [[nodiscard]] int CountOf(Kind kind) const;

private:
    void Record(Kind kind, const std::string& caption, const std::string& text,
                const std::string& value = {});
};

} // namespace varnok
