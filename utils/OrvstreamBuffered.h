// TOrvBufferedFileStream: the typed file stream with a 64 KiB window of the file in memory, for
// callers who want many small values fast and know the trade.
//
// The trade: written bytes stay in memory until the stream moves to another part of the file, or
// until Flush, SetSize or Free. Until then another handle on the file does not see them, a change
// another handle makes inside the window is not seen here (and is overwritten by the flush), and a
// write the system refuses is reported only when the bytes are flushed. Within this one stream
// everything is exact: positions, sizes, end of file and the bytes of the file are those of an
// unbuffered stream, however reads, writes, seeks and size changes are mixed.
//
// Failures are never dropped: Flush raises, Free flushes and raises, and when the destructor meets
// a failed final flush (it cannot raise) the failure goes to the application's exception handling,
// which shows it. Call Flush (or Free) wherever a failed write must be handled by the caller.
//
// The typed reads and writes here take their bytes straight from the window; called through a
// TOrvFileStream pointer they go through Read and Write instead, with the same result.
#pragma once

#include <cstddef>
#include <vector>

#include "utils/Orvstream.h"

namespace Tovix {

class TOrvBufferedFileStream : public TOrvFileStream {
 public:
  TOrvBufferedFileStream(const String& fileName, TFileMode mode);
  // Flushes what is still buffered; a failure goes to the application's exception handling.
  ~TOrvBufferedFileStream() override;
  // Flushes, destroys the stream and then raises the flush's failure, if any. Hides TObject::Free
  // (freeing through a base pointer reports a failure as the destructor does).
  void Free();

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
  void Flush();

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
  // gets its own copy with the size fixed; they are defined (and used) in OrvstreamBuffered.cpp only.
  inline void ReadWindowed(void* value, size_t size);
  inline void WriteWindowed(const void* value, size_t size, bool terminate);
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
