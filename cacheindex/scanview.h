#pragma once

#include <cstdint>
#include <string>

namespace varnok {

// The guarded stretches of a read, each reported with its own "File Error" message.
enum class ScanStretch { Opening, TableProbe, RecordWalk };

// What a read reports while it runs and when it ends: what it is doing, the size of the
// index file, the number of listed lines, the stretches it could not read, and the end of
// the read. The window shows the reports; the batch export and the tests keep them.
class ScanView {
public:
    virtual ~ScanView() = default;
    /** What the read is doing, empty once it is over; shown at once, the read keeps the window
     * busy. */
    virtual void SetStatusText(const std::string& text) = 0;
    /** The size of the index file, "<KB> KB", or empty when it cannot be found. */
    virtual void SetIndexSizeText(const std::string& text) = 0;
    /** The number of lines the list holds below its captions. */
    virtual void SetLineCountText(const std::string& text) = 0;
    /** A stretch of the file could not be read; the read goes on. Shown with OK and Cancel, and
     * the answer is not used. */
    virtual void ShowFileError(const std::string& text, const std::string& caption) = 0;
    /** Where the stretch just reported failed and the system's reason: a reader without a message
     * box names them to the user. Nothing by default. */
    virtual void FileErrorDetail(ScanStretch /*stretch*/, std::int64_t /*position*/,
                                 const std::string& /*reason*/)
    {
    }
    /** The list is complete. `giveFocus`: the user chose the file (the open command), so the list
     * takes the keyboard, unlike after the start-up read. */
    virtual void FinishRead(bool giveFocus) = 0;
};

} // namespace varnok
