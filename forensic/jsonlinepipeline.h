#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "forensic/recordtimes.h"

namespace varnok {

// Makes JSON lines on a thread of its own. The caller escapes each record's fields (the
// part all its lines share) and hands them over with the record's times; the thread
// writes one line per time to the stream, in the order handed over. Reading and escaping
// on one core and the lines on another take about the same time, so a timeline is made
// nearly twice as fast; where no thread can be had, the caller writes the lines itself.
class JsonLinePipeline {
public:
    explicit JsonLinePipeline(std::ostream& out);
    /** Stops the thread; what was handed over and not yet written is dropped. */
    ~JsonLinePipeline();
    JsonLinePipeline(const JsonLinePipeline&) = delete;
    JsonLinePipeline& operator=(const JsonLinePipeline&) = delete;

    /** Where the next record's fields are appended, before EndRecord(). */
    [[nodiscard]] std::string& Fields() { return m_filling.Fields; }
    /** Ends the record whose fields were just appended; these are its times. */
    void EndRecord(const RecordEvents& events);
    /** Returns once every line handed over is written to the stream. Throws what stopped
     * the thread (no memory for a line). */
    void Finish();

private:
    struct PendingRecord {
        std::size_t FieldsEnd; // its fields end here, and begin where the one before ends
        RecordEvents Events;
    };
    struct Chunk {
        std::string Fields;
        std::vector<PendingRecord> Records;
    };

    void HandOver();
    void Run();
    void Write(const Chunk& chunk, std::string& lines);
    void RethrowFailure();

    std::ostream& m_out;
    Chunk m_filling;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Chunk> m_handedOver; // written by the thread in this order
    std::vector<Chunk> m_spare;     // written, kept for their memory
    bool m_writing = false;         // the thread holds a chunk
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::string m_lines; // used by the caller when there is no thread
    std::thread m_thread;
};

} // namespace varnok
