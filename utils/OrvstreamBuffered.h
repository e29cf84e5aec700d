// Orvstream: a file stream with typed reads and writes, for simple record files of an application.
//
// A file is the sequence of values in the order they were written, with no header and no type
// tags; it must be read back in the same order and with the same types:
//   string     its bytes followed by one zero byte
//   integer    4 bytes, signed, little-endian
//   boolean    1 byte: 1 for true, 0 for false (any non-zero byte reads as true)
//   date-time  8 bytes, the IEEE 754 double of the TDateTime
// Writing 'ab', 1 and true gives 61 62 00 01 00 00 00 01.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/Classes.h"

namespace Tovix {

// The stream keeps a window of the file in memory, so that typed values do not cost a system call
// each. The window is invisible from outside: positions, sizes, end of file and the bytes of the
// file are those an unbuffered TFileStream would have, however reads, writes, seeks and size
// changes are mixed. Written bytes reach the file when the stream moves on to another part of
// the file, on FlushBuffer, SetSize, and when the stream is freed; call FlushBuffer before
// working on GetHandle's handle directly.
class TOrvFileStream : public TFileStream {
 public:
  TOrvFileStream(const String& fileName, TFileMode mode);
  // Flushes what is still buffered. A destructor cannot raise, so a failure here is lost: call
  // FlushBuffer first wherever a failed write must be noticed.
  ~TOrvFileStream() override;

  // True when the position is at or past the end of the stream.
  bool IsEOF();
  // Reads bytes up to and including the next zero byte and returns those before it. Raises
  // EStreamError "Unable to read string from stream" when the stream ends first.
  String ReadStr();
  // These raise EReadError "Stream read error" (an EStreamError) when the stream ends before
  // the whole value; the position is then at the end of the stream.
  int ReadInt();
  bool ReadBool();
  TDateTime ReadDateTime();
  void WriteStr(const String& text);
  void WriteInt(int value);
  void WriteBool(bool flag);
  void WriteDateTime(TDateTime value);

  // Writes what is buffered to the file now. Raises an EStreamError (EWriteError, or the error of
  // moving to where the bytes belong) when the system refuses it; the bytes then stay buffered.
  void FlushBuffer();

  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override;
  void SetSize(int64_t size) override;

 private:
  // Bytes of the window readable at the position; 0 when the position is outside the window.
  size_t BufferedAtPosition() const;
  // The window's byte at the position; only while the position is inside the window or at its end.
  char* WindowAtPosition();
  // True when a write at the position can go into the window: the position is inside the
  // window's content or just after it, with room left.
  bool WindowTakesWrite() const;
  // Flushes and loads the window at the position; false at the end of the file.
  bool FillWindow();
  void MarkWritten(size_t begin, size_t end);
  // Transfers straight between the caller and the file at the position, past the window.
  int DirectRead(char* buffer, int count);
  int DirectWrite(const char* buffer, int count);
  // Typed values: straight from or into the window when it can, through Read/Write otherwise.
  // terminate adds the zero byte that ends a string. Inline, so that each typed read and write
  // gets its own copy with the size fixed; they are defined (and used) in Orvstream.cpp only.
  inline void ReadValue(void* value, size_t size);
  inline void WriteValue(const void* value, size_t size, bool terminate);
  void WriteValueThroughWrite(const void* value, size_t size, bool terminate);
  String ReadStrUnbuffered();

  const bool canRead_;
  const bool canWrite_;
  std::vector<char> window_;
  int64_t windowStart_ = 0;   // file offset of window_[0]
  size_t windowLength_ = 0;   // bytes of the window holding the file's current content
  size_t dirtyBegin_ = 0;     // written bytes not yet in the file: [dirtyBegin_, dirtyEnd_)
  size_t dirtyEnd_ = 0;
  int64_t position_ = 0;
};

}  // namespace Tovix
