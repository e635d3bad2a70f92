#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "forensic/recordtimes.h"

namespace varnok {

// Makes JSON lines on a thread of its own. The caller escapes each record's fields (the
// part all its lines share) but for one text, its headers, which it hands over as the
// file holds them, with the record's times; the thread escapes the headers and writes
// one line per time to the stream, in the order handed over. Reading and escaping on one
// core and the rest on another take about the same time, so a timeline is made nearly
// twice as fast; where no thread can be had, the caller writes the lines itself.
class JsonLinePipeline {
public:
    explicit JsonLinePipeline(std::ostream& out);
    /** Stops the thread; what was handed over and not yet written is dropped. */
    ~JsonLinePipeline();
    JsonLinePipeline(const JsonLinePipeline&) = delete;
    JsonLinePipeline& operator=(const JsonLinePipeline&) = delete;

    /** Where the next record's escaped fields are appended, before EndRecord(). */
    [[nodiscard]] std::string& Fields() { return m_filling.Fields; }
    /** Hands over the record's headers, to be escaped (AppendJsonText) where they stand
     * among its fields: after what Fields() holds of it so far. Once per record, before
     * EndRecord(). */
    void AddHeaders(std::string_view bytes);
    /** Ends the record whose fields were just appended; these are its times. */
    void EndRecord(const RecordEvents& events);
    /** Returns once every line handed over is written to the stream. Throws what stopped
     * the thread (no memory for a line). */
    void Finish();

private:
    // Each record's fields and headers begin where the record before ends.
    struct PendingRecord {
        std::size_t HeadersAt; // where its headers go among its fields
        std::size_t FieldsEnd;
        std::size_t HeadersEnd;
        RecordEvents Events;
    };
    struct Chunk {
        std::string Fields;
        std::string Headers;
        std::vector<PendingRecord> Records;

        void Clear();
    };

    void HandOver();
    void Run();
    void Write(const Chunk& chunk, std::string& fields, std::string& lines);
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
    std::size_t m_headersAt = 0; // where the headers of the record being filled go
    std::string m_fields;        // used by the caller when there is no thread
    std::string m_lines;
    std::thread m_thread;
};

} // namespace varnok
