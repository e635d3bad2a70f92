#pragma once

#include <QPointer>
#include <QWidget>

#include "app/window/userdialogs.h"

namespace varnok {

// The dialogs on screen: Qt's message box, input, file and font dialogs and the find dialog
// TFind, with the program's captions, texts and buttons. Each dialog is modal and centred on the
// owner window.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* owner = nullptr);

    /** The window the dialogs belong to; it may be hidden (start-up asks before it shows). */
    void SetOwner(QWidget* owner) { m_owner = owner; }

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

    /** The folder the open dialog starts in: `folder`, or the desktop or home where it does not
     * exist. */
    [[nodiscard]] static QString ExistingStartFolder(const std::string& folder);

private:
    QPointer<QWidget> m_owner;
};

} // namespace varnok
