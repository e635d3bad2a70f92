#pragma once

#include <string>

// What a read shows the user: the status, size and line-count labels, the "File Error"
// message boxes, and the finishing touches on the grid. The window implements it; batch
// export and the tests use plain implementations that only record.
class ScanView {
public:
    virtual ~ScanView() = default;
    virtual void SetStatusText(const std::string& text) = 0;    // Label1, repainted at once
    virtual void SetIndexSizeText(const std::string& text) = 0; // Label4
    virtual void SetLineCountText(const std::string& text) = 0; // Label7
    // A message box with OK and Cancel; the answer is not used.
    virtual void ShowFileError(const std::string& text, const std::string& caption) = 0;
    // Last step of a read: size the rows, load the stored column widths, show the grid,
    // and for the open command give it the keyboard focus.
    virtual void FinishRead(bool giveFocus) = 0;
};

// Keeps the label texts and messages; does nothing on screen.
class RecordingScanView : public ScanView {
public:
    void SetStatusText(const std::string& text) override { StatusText = text; }
    void SetIndexSizeText(const std::string& text) override { IndexSizeText = text; }
    void SetLineCountText(const std::string& text) override { LineCountText = text; }
    void ShowFileError(const std::string& text, const std::string& caption) override
    {
        LastErrorText = text;
        LastErrorCaption = caption;
        ++ErrorCount;
    }
    void FinishRead(bool giveFocus) override
    {
        ++FinishCount;
        FocusGiven = giveFocus;
    }

    std::string StatusText;
    std::string IndexSizeText;
    std::string LineCountText;
    std::string LastErrorText;
    std::string LastErrorCaption;
    int ErrorCount = 0;
    int FinishCount = 0;
    bool FocusGiven = false;
};
