#pragma once

#include <optional>
#include <string>

#include "app/findcommands.h"
#include "app/savecommands.h"

namespace varnok {

// A font as the font dialog shows and returns it: face, size and style. The size is the
// dialog's point size; a font given to the dialog with no point size is PixelHeight high.
struct FontChoice {
    std::string Name;
    int Points = 0;
    int PixelHeight = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

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
    /** The program's title "Varnok 5" as caption, OK, no icon. */
    virtual void ShowMessage(const std::string& text) = 0;

    // One line of input, at most 255 characters, OK (default) and Cancel. The edited text
    // when OK was pressed, nothing on Cancel.
    [[nodiscard]] virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& text) = 0;

    /** The open dialog for an index file: opens in `initialFolder` with `fileName` preset and lets
     * the user pick an existing file only. The chosen file's full path, or nothing when the dialog
     * was cancelled. */
    [[nodiscard]] virtual std::optional<std::string> OpenIndexFile(const std::string& initialFolder,
                                                                   const std::string& fileName) = 0;

    /** Caption "Confirm Save As", warning icon, Yes and No (the default); true for Yes. */
    [[nodiscard]] virtual bool ConfirmReplace(const std::string& question) = 0;

    /** The save dialog, asking nothing before it replaces a file (the save commands ask themselves,
     * through ConfirmReplace): opens in the request's folder (the desktop, else home, where it does
     * not exist) with its file name, type and default extension. The chosen full file name, or
     * nothing on Cancel. */
    [[nodiscard]] virtual std::optional<std::string> SaveFile(const SaveFileRequest& request) = 0;

    /** The font dialog, opened on `initial`; the chosen font, or nothing on Cancel. */
    [[nodiscard]] virtual std::optional<FontChoice> SelectFont(const FontChoice& initial) = 0;

    /** A fresh find dialog; the text and options when it was closed with OK, else nothing. */
    [[nodiscard]] virtual std::optional<FindRequest> AskFindRequest() = 0;
};

} // namespace varnok
