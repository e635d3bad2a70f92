#pragma once

#include <optional>
#include <string>

// Every modal box and dialog the main window shows, behind one interface so that start-up
// and the commands run the same against Qt and against a scripted double in the tests.
//
// Texts are the program's own byte strings: fixed texts in Windows-1252, paths as the
// file system holds them. The Qt implementation turns both into readable text.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    /** Invalid user input: caption "ERROR", error icon, OK. */
    virtual void ShowError(const std::string& text) = 0;
    /** Caption "Information", information icon, OK; waits until it is closed. */
    virtual void ShowInformation(const std::string& text) = 0;
    /** A failure while reading the index: OK and Cancel, no icon; the answer is not used. */
    virtual void ShowFileError(const std::string& text, const std::string& caption) = 0;
    /** An error that ended a command (a failed settings write): the application's error box. */
    virtual void ShowApplicationError(const std::string& text) = 0;
    /** Caption "About", OK, no icon. */
    virtual void ShowAbout(const std::string& text) = 0;

    // One line of input, at most 255 characters, OK (default) and Cancel. The edited text
    // when OK was pressed, nothing on Cancel.
    [[nodiscard]] virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& text) = 0;

    // The open dialog for an index file: opens in `initialFolder` with `fileName` preset and
    // lets the user pick an existing file only. The chosen file's full path, or nothing
    // when the dialog was cancelled.
    [[nodiscard]] virtual std::optional<std::string> OpenIndexFile(const std::string& initialFolder,
                                                                   const std::string& fileName) = 0;
};
