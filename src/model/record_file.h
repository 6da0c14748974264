#pragma once
// Whole-file save and load of a record through a typed stream, shared by the
// order and the selection files: a failure of any kind is shown as
// "<failureMessage>\r\n(<reason>)" and returned as false.

#include "base/atomic_file.h"
#include "base/prompter.h"
#include "base/typed_stream.h"

#include <exception>
#include <string>

namespace kvf {

// Runs write(stream) on a fresh stream and puts the bytes in place atomically.
template <class Write>
bool SaveRecordFile(const std::string& fileName, const char* failureMessage, Prompter& prompter,
                    Write write) {
    try {
        TSpecStream stream(&prompter);
        write(stream);
        WriteFileAtomic(fileName, stream.Bytes());
        return true;
    } catch (const std::exception& e) {
        prompter.Error(std::string(failureMessage) + "\r\n(" + e.what() + ")");
        return false;
    }
}

// Reads the whole file into a stream and returns read(stream).
template <class Read>
bool LoadRecordFile(const std::string& fileName, const char* failureMessage, Prompter& prompter, Read read) {
    try {
        TSpecStream stream = TSpecStream::FromBytes(ReadFileBytes(fileName), &prompter);
        return read(stream);
    } catch (const std::exception& e) {
        prompter.Error(std::string(failureMessage) + "\r\n(" + e.what() + ")");
        return false;
    }
}

} // namespace kvf
